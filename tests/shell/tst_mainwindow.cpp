// The main window: start-up capture against a real headless Chromium, the missing template, the view
// options, the thumbnail columns, the welcome zone, and the automation surface in-process.
#include <utility>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "ChromiumProcess.h"
#include "FakeDesktop.h"
#include "FakePageModel.h"
#include "LoopbackHttpServer.h"
#include "ShellFixture.h"
#include "common/WelcomePage.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "save/SaveState.h"
#include "shell/BusService.h"
#include "shell/CategoryDialog.h"

using namespace vorlaken;
using namespace vorlaken::test;

class MainWindowTest : public QObject {
    Q_OBJECT

    // What the desktop gave the program before any skin was applied.
    const QString desktopStyle_ = QApplication::style()->name();
    const QPalette desktopPalette_ = QApplication::palette();

  private slots:
    void startupListsThePicturesWithoutUserAction();
    void missingTemplateShowsTheWarningAndNeverCaptures();
    void startupWithoutBrowserSaysHowToAttach();
    void toolbarButtonLabels();
    void viewOptionsRenderAgainAndTickEveryBox();
    void viewOptionsDoNothingWhileGetIsDisabled();
    void getRunsAloneWithItsButtonsShownDisabled();
    void thumbnailColumnsFollowTheWidth_data();
    void thumbnailColumnsFollowTheWidth();
    void minimiseAndRestoreReloadTheWelcomeZone();
    void welcomeZoneRefreshesToTheShippedPage();
    void makerAddressesLeadToDeliveredPages();
    void windowsCarryTheirOwnTitles();
    void hintsOfTheOptions_data();
    void hintsOfTheOptions();
    void automationCollectsMessagesInsteadOfShowingThem();
    void automationReachesControlsByName();
    void filterBoxesHoldLowerCaseOnly();
    void startupChecksForAnUpgradeWhenTicked_data();
    void startupChecksForAnUpgradeWhenTicked();
    void theTwoSkinsLookDifferent();
    void desktopSkinTakesTheDesktopsStyleAndColours();
    void firstShowingCentresTheStoredSize();
};

namespace {

// Rows for the preview without a browser: pictures that need no network.
void fillTable(CaptureState& state, int rows) {
    state.table.clear();
    for (int i = 1; i <= rows; ++i)
        state.table.append(
            QStringLiteral(
                "data:image/gif;base64,R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==#%1")
                .arg(i),
            QStringLiteral("%1*%1").arg(100 + i),
            i % 2 ? kPlaceholderLinkUrl : QStringLiteral("http://example.test/%1.htm").arg(i),
            QStringLiteral("http://example.test/page.htm"));
    state.pageLocation = QStringLiteral("http://example.test:8080/page.htm");
}

// Discovery that runs a probe once while it looks for the browser, as the real one lets events in then.
class ProbingFinder : public FakeBrowserFinder {
  public:
    std::function<void()> probe;

    BrowserPtr discover() override {
        if (const std::function<void()> once = std::exchange(probe, nullptr))
            once();
        return FakeBrowserFinder::discover();
    }
};

// The body text of a zone; empty while it shows no document.
QString bodyOf(Zone* zone) {
    try {
        return zone->document()->body()->innerHtml();
    } catch (const PageError&) {
        return QString();
    }
}

}  // namespace

void MainWindowTest::startupListsThePicturesWithoutUserAction() {
    VORLAKEN_REQUIRE_CHROMIUM();
    LoopbackHttpServer server;
    QVERIFY(server.listen());
    server.setRoot(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo"));
    server.addPage(QStringLiteral("/gallery.htm"),
                   "<html><head><title>Start-up gallery</title></head><body>"
                   "<img src='photo1.png' width=360 height=240>"
                   "<a href='/photo2.png'><img src='photo2.png' width=360 height=240></a>"
                   "<img src='dot.png' width=16 height=16>"
                   "<a href='./photo3.png'><img src='thumb1.png' width=120 height=90></a>"
                   "</body></html>");
    ChromiumProcess chromium;
    QVERIFY2(chromium.start(server.url(QStringLiteral("/gallery.htm"))), qPrintable(chromium.errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium.endpoint().toUtf8());

    ShellFixture fixture;
    DevToolsBrowserFinder finder;
    MainWindow& window = fixture.create(finder);
    // The page is in the browser before the window's timer fires: it has asked for its pictures.
    for (const char* path : {"/photo1.png", "/photo2.png", "/dot.png", "/thumb1.png"})
        QTRY_VERIFY_WITH_TIMEOUT(!server.requestsFor(path).isEmpty(), 20000);
    QVERIFY(fixture.showAndWaitForStartup());

    const CaptureTable& table = window.state().table;
    QCOMPARE(table.size(), 3);
    QCOMPARE(table.picUrl.at(0), server.url(QStringLiteral("/photo1.png")));
    QCOMPARE(table.linkUrl.at(1), server.url(QStringLiteral("/photo2.png")));
    QCOMPARE(table.sizeText.at(2), QStringLiteral("120*90"));
    QCOMPARE(window.ui().totalLabel->text(), QStringLiteral("3"));
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:0/0"));
    QCOMPARE(window.ui().titleCombo->currentText(), QStringLiteral("Start-up gallery"));
    QCOMPARE(window.ui().locationEdit->text(), server.url(QStringLiteral("/gallery.htm")));
    QVERIFY(window.ui().getButton->isEnabled());
    QVERIFY(window.ui().saveButton->isEnabled());

    // The preview keeps the read-back positions: element 2i/2i+1 of the form, image i, link i.
    DocumentPtr preview = window.zone(QStringLiteral("wb1"))->document();
    const auto elements = preview->forms()->item(0)->formElements()->read(kValue | kType);
    const auto images = preview->images()->read(kSrc);
    const auto links = preview->links()->read(kHrefAttribute);
    QCOMPARE(int(elements.size()), 2 * table.size());
    QCOMPARE(int(images.size()), table.size());
    QCOMPARE(int(links.size()), table.size());
    for (int i = 0; i < table.size(); ++i) {
        QCOMPARE(elements[2 * i].type, QStringLiteral("checkbox"));
        QCOMPARE(elements[2 * i].value, table.sizeText.at(i));
        QCOMPARE(elements[2 * i + 1].value, table.pageUrl.at(i));
        QCOMPARE(images[i].src, table.picUrl.at(i));
        QCOMPARE(links[i].hrefAttribute, table.linkUrl.at(i));
    }
    // The comment panel became editable before the capture.
    QVERIFY(window.zone(QStringLiteral("wb2"))
                ->document()
                ->body()
                ->outerHtml()
                .contains(QStringLiteral("contenteditable=\"true\"")));
    qunsetenv("VORLAKEN_DEVTOOLS");
}

void MainWindowTest::missingTemplateShowsTheWarningAndNeverCaptures() {
    ShellFixture fixture(false);
    MainWindow& window = fixture.create();
    QVERIFY(window.templateMissing());
    window.show();
    const QString warning = fixture.path(QStringLiteral("warngrabnest.htm"));
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(warning), 15000);
    QFile file(warning);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(
        file.readAll().startsWith("<html><body><h1>The file grabnest.htm is not found in current directory. "
                                  "Please reinstall Vorlaken. If "
                                  "you missed  setup file, you can download it on "));
    QTRY_VERIFY_WITH_TIMEOUT(fixture.previewHtml().contains(QStringLiteral("grabnest.htm is not found")),
                             10000);
    // The warning is the last step of the first showing, where the start-up timer would have been
    // started: it is not running, so no capture will be tried, and Get stays disabled.
    const QTimer* timer1 = window.findChild<QTimer*>(QStringLiteral("Timer1"));
    QVERIFY(timer1);
    QVERIFY(!timer1->isActive());
    QVERIFY(!window.startupCaptureDone());
    QCOMPARE(fixture.noBrowser.calls, 0);
    QVERIFY(!window.ui().getButton->isEnabled());
}

void MainWindowTest::startupWithoutBrowserSaysHowToAttach() {
    // No browser at the start: the preview says how to attach one; Get stays silent and changes nothing.
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    const QString help = fixture.previewHtml();
    QVERIFY2(help.contains(QStringLiteral("No browser page to read")), qPrintable(help));
    QVERIFY(help.contains(QStringLiteral("Display an icon on IE toolbar band(Recommend)")));
    QVERIFY(help.contains(QStringLiteral("--remote-debugging-port")));
    BusService bus(window);
    QCOMPARE(bus.Invoke(QStringLiteral("getbtn"), QString()), QString());
    QCOMPARE(fixture.noBrowser.calls, 2);
    QCOMPARE(fixture.previewHtml(), help);
    // The template is still there: the pictures of the next capture are shown as always.
    fillTable(window.state(), 2);
    window.renderPreview();
    QVERIFY(!fixture.previewHtml().contains(QStringLiteral("No browser page to read")));
    QVERIFY(fixture.previewHtml().contains(QStringLiteral("<table")));

    // A browser there, even one whose page has no pictures: the preview stays as it was.
    ShellFixture attached;
    FakeBrowserFinder finder;
    auto browser = std::make_shared<FakeBrowser>();
    browser->page =
        browser->showPage(QStringLiteral("http://example.test/empty.htm"), QStringLiteral("Empty"));
    finder.browser = browser;
    attached.create(finder);
    QVERIFY(attached.showAndWaitForStartup());
    QVERIFY(!attached.previewHtml().contains(QStringLiteral("No browser page to read")));
}

void MainWindowTest::toolbarButtonLabels() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    BusService bus(window);
    const QString restart = QStringLiteral("Please close all IE web page and launch IE again. ");
    // Without grabnest.ico beside the program nothing is registered.
    QCOMPARE(bus.Invoke(QStringLiteral("ieLabel1"), QString()),
             QStringLiteral("The file grabnest.ico is not found. You should reinstall this software"));
    QVERIFY(fixture.toolbarButtons.registered.isEmpty());

    // With it (grabhot.ico need not be there): a button that starts this program, both icons the hot
    // one; what a browser still needs follows the message.
    QVERIFY(QFile::copy(QStringLiteral(VORLAKEN_SOURCE_DATA "/grabnest.ico"),
                        fixture.path(QStringLiteral("grabnest.ico"))));
    fixture.toolbarButtons.notes = QStringList{QStringLiteral("first"), QStringLiteral("second")};
    QCOMPARE(bus.Invoke(QStringLiteral("ieLabel1"), QString()),
             restart + QStringLiteral("\nfirst\n\nsecond"));
    QCOMPARE(fixture.toolbarButtons.registered.size(), 1);
    const ToolbarButtonRegistry::Button& button = fixture.toolbarButtons.registered.first();
    QCOMPARE(button.identifier, QStringLiteral("{3F7C5588-6763-4791-8B8B-D73B08396DE9}"));
    QVERIFY(button.visible);
    QCOMPARE(button.kind, 3);
    QCOMPARE(button.target, QCoreApplication::applicationFilePath());
    QCOMPARE(button.hotIcon, window.programDir().deliveredFile(QStringLiteral("grabhot.ico")));
    QCOMPARE(button.icon, button.hotIcon);
    QCOMPARE(button.buttonText, QStringLiteral("Vorlaken"));
    // A write the store refuses is reported, without the message that all went well.
    fixture.toolbarButtons.refusal = QStringLiteral("Cannot write /x.");
    QCOMPARE(bus.Invoke(QStringLiteral("ieLabel1"), QString()),
             QStringLiteral("The toolbar button could not be registered. Cannot write /x."));

    // Taking it out asks first; Cancel leaves it.
    bus.SetAnswer(QStringLiteral("cancel"));
    QCOMPARE(bus.Invoke(QStringLiteral("ielabel2"), QString()), QString());
    QVERIFY(fixture.toolbarButtons.unregistered.isEmpty());
    bus.SetAnswer(QStringLiteral("ok"));
    QCOMPARE(bus.Invoke(QStringLiteral("ielabel2"), QString()), restart);
    QCOMPARE(fixture.toolbarButtons.unregistered, QStringList{button.identifier});
}

void MainWindowTest::viewOptionsRenderAgainAndTickEveryBox() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    QCOMPARE(fixture.noBrowser.calls, 1);
    fillTable(window.state(), 3);
    window.renderPreview();
    QVERIFY(fixture.previewHtml().contains(QStringLiteral("<table")));
    QVERIFY(fixture.previewHtml().contains(QStringLiteral("<i>101*101</i>")));
    QCOMPARE(window.ui().locationEdit->text(),
             QString());  // set by the command binding, not by a bare render
    QCOMPARE(window.state().pageDomain, QStringLiteral("example.test_8080"));

    BusService bus(window);
    bus.SetChecked({false, true, false});
    QCOMPARE(bus.Checked(), (QList<bool>{false, true, false}));

    window.ui().showSizeCheck->click();
    QVERIFY(!fixture.previewHtml().contains(QStringLiteral("<i>101*101</i>")));
    QCOMPARE(bus.Checked(), (QList<bool>{true, true, true}));
    QCOMPARE(window.ui().locationEdit->text(), QStringLiteral("http://example.test:8080/page.htm"));

    window.ui().thumbnailCheck->click();
    QVERIFY(!fixture.previewHtml().contains(QStringLiteral("<table")));
    QVERIFY(fixture.previewHtml().contains(QStringLiteral("onload=\"javascript:if (this.width>")));

    bus.SetChecked({true, false, true});
    window.ui().originSizeCheck->click();
    QVERIFY(!fixture.previewHtml().contains(QStringLiteral("onload=")));
    QCOMPARE(bus.Checked(), (QList<bool>{true, true, true}));
}

void MainWindowTest::viewOptionsDoNothingWhileGetIsDisabled() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    fillTable(window.state(), 2);
    window.renderPreview();
    const QString before = fixture.previewHtml();
    window.ui().getButton->setEnabled(false);
    window.ui().thumbnailCheck->click();
    window.ui().showSizeCheck->click();
    // A view option renders within its click (see viewOptionsRenderAgainAndTickEveryBox): nothing to wait
    // for.
    QCOMPARE(fixture.previewHtml(), before);
    QVERIFY(!window.ui().thumbnailCheck->isChecked());
}

// While a capture waits for the browser, Get and Save show disabled, and automation can neither start
// a second capture nor a save inside it; reads still answer.
void MainWindowTest::getRunsAloneWithItsButtonsShownDisabled() {
    auto browser = std::make_shared<FakeBrowser>();
    browser->page = browser->showPage(QStringLiteral("http://example.test/page.htm"), QStringLiteral("Page"));
    for (int i = 1; i <= 2; ++i)
        browser->page->addImage(
            QStringLiteral(
                "data:image/gif;base64,R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==#%1")
                .arg(i),
            120, 120);
    ProbingFinder finder;
    finder.browser = browser;
    ShellFixture fixture;
    MainWindow& window = fixture.create(finder);
    QVERIFY(fixture.showAndWaitForStartup());
    QCOMPARE(window.ui().totalLabel->text(), QStringLiteral("2"));
    QCOMPARE(finder.calls, 1);

    BusService bus(window);
    bool getShown = true;
    bool saveShown = true;
    QString count;
    QStringList nested;
    finder.probe = [&] {
        getShown = window.ui().getButton->isEnabled();
        saveShown = window.ui().saveButton->isEnabled();
        nested << bus.Invoke(QStringLiteral("getbtn"), QString())
               << bus.Invoke(QStringLiteral("savebtn"), QString());
        count = bus.Control(QStringLiteral("cLabel"));
    };
    window.ui().getButton->click();
    QVERIFY(!getShown);
    QVERIFY(!saveShown);
    QCOMPARE(nested, (QStringList{QString(), QString()}));
    QCOMPARE(count, QStringLiteral("2"));
    QCOMPARE(finder.calls, 2);  // no second capture inside the first
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:0/0"));
    QVERIFY(window.ui().getButton->isEnabled());
    QVERIFY(window.ui().saveButton->isEnabled());
    QVERIFY(!window.commands().busy());

    // Without a browser the capture changes nothing: the buttons are back as they were.
    finder.browser = nullptr;
    window.ui().getButton->click();
    QCOMPARE(finder.calls, 3);
    QVERIFY(window.ui().getButton->isEnabled());
    QVERIFY(window.ui().saveButton->isEnabled());
}

void MainWindowTest::thumbnailColumnsFollowTheWidth_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("narrow") << 640;
    QTest::newRow("design") << 860;
    QTest::newRow("wide") << 1400;
}

void MainWindowTest::thumbnailColumnsFollowTheWidth() {
    QFETCH(int, width);
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    window.resize(width, 600);
    QTRY_COMPARE(window.width(), width);
    fillTable(window.state(), 12);
    window.renderPreview();
    const int available = PreviewAvailableWidth(
        window.ui().panelTabs->width(), window.style()->pixelMetric(QStyle::PM_ScrollBarExtent), false, 0);
    const int columns = std::max(1, available / 100);
    const QString html = fixture.previewHtml();
    const QString firstRow = html.section(QStringLiteral("</tr>"), 0, 0);
    QCOMPARE(int(firstRow.count(QStringLiteral("<td valign=\"top\">"))), std::min(columns, 12));
    QCOMPARE(int(html.count(QStringLiteral("<tr>"))), (12 + columns - 1) / columns);
}

void MainWindowTest::minimiseAndRestoreReloadTheWelcomeZone() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    Zone* welcome = window.zone(QStringLiteral("wbad"));
    QTRY_VERIFY(bodyOf(welcome).contains(QStringLiteral("Welcome to use Vorlaken 8.1")));
    window.showMinimized();
    QTRY_COMPARE(welcome->locationUrl(), QStringLiteral("about:blank"));
    window.showNormal();
    QTRY_VERIFY(bodyOf(welcome).contains(QStringLiteral("Technical support")));
    QCOMPARE(window.ui().welcomeView->contextMenuPolicy(), Qt::PreventContextMenu);
}

// After its 15 seconds the welcome zone shows the welcome page delivered beside the program, not an
// error page for an address that does not exist.
void MainWindowTest::welcomeZoneRefreshesToTheShippedPage() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    Zone* welcome = window.zone(QStringLiteral("wbad"));
    const QString home = MakerSite(fixture.programDir().path()).home();
    QTRY_COMPARE_WITH_TIMEOUT(welcome->locationUrl(), home, 60000);
    QTRY_VERIFY_WITH_TIMEOUT(bodyOf(welcome).contains(QStringLiteral("What is new in Vorlaken 8.1")), 20000);
    QCOMPARE(welcome->document()->title(), QStringLiteral("Vorlaken 8.1"));
    QVERIFY(
        bodyOf(welcome).contains(QStringLiteral("Welcome to use Vorlaken 8.1 (Release on Sep 18th,2008).")));
}

// Every address of the maker names a page the build delivers into the program folder (the anchors
// included), and the pages name nothing outside it.
void MainWindowTest::makerAddressesLeadToDeliveredPages() {
    const QString bin = qEnvironmentVariable("VORLAKEN_BIN_DIR") + QLatin1Char('/');
    const MakerSite site(bin);
    QFile help(bin + QStringLiteral("help.htm"));
    QVERIFY2(help.open(QIODevice::ReadOnly), qPrintable(help.fileName()));
    const QString helpText = QString::fromUtf8(help.readAll());

    QStringList addresses = {site.home(), site.helpPage(), site.downloadPage()};
    const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    for (auto m = href.globalMatch(WelcomePageText(site)); m.hasNext();)
        addresses << m.next().captured(1);
    QCOMPARE(addresses.size(), 3 + 4);
    for (const QString& address : addresses) {
        const QUrl url(address);
        QVERIFY2(url.isLocalFile() && QFile::exists(url.toLocalFile()), qPrintable(address));
        QVERIFY2(url.toLocalFile().startsWith(bin), qPrintable(address));
        if (url.hasFragment())
            QVERIFY2(helpText.contains(QStringLiteral("id=\"%1\"").arg(url.fragment())), qPrintable(address));
    }
    QVERIFY(MissingTemplatePageText(site).contains(site.downloadPage()));

    // What the pages load themselves comes from the program folder too: no remote resource, no script.
    for (const QString& page : {QStringLiteral("welcome.htm"), QStringLiteral("help.htm")}) {
        QFile file(bin + page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        QVERIFY2(!text.contains(QStringLiteral("<script"), Qt::CaseInsensitive), qPrintable(page));
        for (auto m = QRegularExpression(QStringLiteral("(?:src|href)=\"([^\"#][^\"]*)\"")).globalMatch(text);
             m.hasNext();) {
            const QString target = m.next().captured(1).section(QLatin1Char('#'), 0, 0);
            QVERIFY2(QFile::exists(bin + target), qPrintable(page + QStringLiteral(": ") + target));
        }
    }
}

// The titles the windows hand to the window system (what X11 then shows is checked on the real program).
void MainWindowTest::windowsCarryTheirOwnTitles() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowHandle()->title(), QStringLiteral("Vorlaken 8.1"));

    SaveState save;
    CategoryDialog categories(save, fixture.desktop, fixture.path(QStringLiteral("cat.txt")), &window);
    categories.show();
    QVERIFY(QTest::qWaitForWindowExposed(&categories));
    QCOMPARE(categories.windowHandle()->title(), QStringLiteral("Picture Category"));
    categories.close();

    // A message box is modal: read it while it runs.
    QString caption;
    QTimer::singleShot(0, &window, [&caption] {
        QTRY_VERIFY(QApplication::activeModalWidget());
        caption = QApplication::activeModalWidget()->windowHandle()->title();
        QApplication::activeModalWidget()->close();
    });
    fixture.desktop.showMessage(QStringLiteral("text"));
    QCOMPARE(caption, QStringLiteral("Hint"));
}

void MainWindowTest::hintsOfTheOptions_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("hint");
    QTest::newRow("local webpage") << "savechk"
                                   << "Generate a local html file to show the  information of pictures";
    QTest::newRow("zip package") << "zipChk"
                                 << "generate a zip file which  combine all  files of picture.";
    QTest::newRow("skin") << "cb1"
                          << "Please choose one skin";
    QTest::newRow("main panel") << "button1"
                                << "show main panel";
}

void MainWindowTest::hintsOfTheOptions() {
    QFETCH(QString, control);
    QFETCH(QString, hint);
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QString shown;
    QVERIFY(window.controls().value(control + QStringLiteral(".hint"), &shown));
    QCOMPARE(shown, hint);
}

void MainWindowTest::automationCollectsMessagesInsteadOfShowingThem() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    window.show();
    BusService bus(window);
    bool dialogSeen = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                dialogSeen = true;
                box->reject();
            }
        }
    });
    watch.start(20);
    const QString messages = bus.Invoke(QStringLiteral("Label59"), QString());
    QCOMPARE(messages, QStringLiteral("The file upgrade is not found. Please check or reinstall Vorlaken."));
    QVERIFY(!dialogSeen);
    QVERIFY(!window.desktop().inBusCall());
    // Unknown names do nothing and say nothing.
    QCOMPARE(bus.Invoke(QStringLiteral("noSuchControl"), QString()), QString());
}

void MainWindowTest::automationReachesControlsByName() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    BusService bus(window);
    bus.SetControl(QStringLiteral("SpinEdit1"), QStringLiteral("120"));
    bus.SetControl(QStringLiteral("lockchk"), QStringLiteral("1"));
    bus.SetControl(QStringLiteral("cbsize"), QStringLiteral("2"));
    bus.SetControl(QStringLiteral("cbtitle"), QStringLiteral("My title"));
    QCOMPARE(window.ui().widthSpin->value(), 120);
    QVERIFY(window.ui().lockTitleCheck->isChecked());
    QCOMPARE(bus.Control(QStringLiteral("cbsize")), QStringLiteral("2"));
    QCOMPARE(bus.Control(QStringLiteral("cbtitle")), QStringLiteral("My title"));
    // Without a browser the start-up Get changed nothing: the design text stays.
    QCOMPARE(bus.Control(QStringLiteral("cLabel")), QStringLiteral("Total:0"));
    QCOMPARE(bus.Control(QStringLiteral("getbtn.enabled")), QStringLiteral("1"));
    QCOMPARE(bus.Control(QStringLiteral("savebtn.enabled")), QStringLiteral("0"));
    QCOMPARE(bus.Control(QStringLiteral("Edit2.visible")), QStringLiteral("0"));
    QCOMPARE(bus.Control(QStringLiteral("button1.hint")), QStringLiteral("show main panel"));
    QCOMPARE(bus.Control(QStringLiteral("Tfrmgrabnest")), QStringLiteral("Vorlaken 8.1"));

    // Panels and menu items: "Options" hides the pairs, a mode item shows its own, n51 hides Panel15.
    bus.Invoke(QStringLiteral("button3"), QString());
    QCOMPARE(bus.Control(QStringLiteral("PageControl1")), QStringLiteral("1"));
    QCOMPARE(bus.Control(QStringLiteral("getbtn.visible")), QStringLiteral("0"));
    bus.Invoke(QStringLiteral("N7"), QString());
    QCOMPARE(bus.Control(QStringLiteral("PageControl1")), QStringLiteral("2"));
    QCOMPARE(bus.Control(QStringLiteral("PageControl11")), QStringLiteral("4"));
    QCOMPARE(bus.Control(QStringLiteral("rrbtn.visible")), QStringLiteral("1"));
    QCOMPARE(bus.Control(QStringLiteral("aabtn.visible")), QStringLiteral("0"));
    QCOMPARE(bus.Control(QStringLiteral("N7")), QStringLiteral("1"));
    bus.Invoke(QStringLiteral("n51"), QString());
    QCOMPARE(bus.Control(QStringLiteral("Panel15.visible")), QStringLiteral("0"));
    bus.Invoke(QStringLiteral("button1"), QString());
    QCOMPARE(bus.Control(QStringLiteral("getbtn.visible")), QStringLiteral("1"));
    QCOMPARE(bus.Control(QStringLiteral("rrbtn.visible")), QStringLiteral("0"));
    bus.SetControl(QStringLiteral("chkLink"), QStringLiteral("1"));
    QCOMPARE(bus.Control(QStringLiteral("chkLink")), QStringLiteral("1"));

    fillTable(window.state(), 2);
    bus.Invoke(QStringLiteral("whCheck"), QString());
    QVERIFY(bus.Control(QStringLiteral("wb1")).contains(QStringLiteral("name=\"p2\"")));
    const auto rows = bus.Pictures();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0).linkUrl, QString());  // no link: empty, not the placeholder
    QCOMPARE(rows.at(1).linkUrl, QStringLiteral("http://example.test/2.htm"));
}

void MainWindowTest::filterBoxesHoldLowerCaseOnly() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    window.show();
    for (QLineEdit* box :
         {window.ui().urlIncludeEdit, window.ui().urlExcludeEdit, window.ui().linkIncludeEdit,
          window.ui().linkExcludeEdit, window.ui().enhancedUrlIncludeEdit, window.ui().enhancedUrlExcludeEdit,
          window.ui().enhancedLinkIncludeEdit, window.ui().enhancedLinkExcludeEdit}) {
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("PhOTO.JPG"));
        QCOMPARE(box->text(), QStringLiteral("photo.jpg"));
    }
    QTest::keyClicks(window.ui().replaceFromEdit, QStringLiteral("X"));
    QCOMPARE(window.ui().replaceFromEdit->text(), QStringLiteral("/thumb/X"));
}

void MainWindowTest::startupChecksForAnUpgradeWhenTicked_data() {
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("checked");
    QTest::newRow("auto upgrade ticked") << QByteArray() << true;
    QTest::newRow("auto upgrade unticked") << QByteArray("[config]\r\nautoupgrade=0\r\n") << false;
}

void MainWindowTest::startupChecksForAnUpgradeWhenTicked() {
    QFETCH(QByteArray, settings);
    QFETCH(bool, checked);
    ShellFixture fixture;
    fixture.writeSettings(settings);
    QFile updater(fixture.path(QStringLiteral("upgrade")));
    QVERIFY(updater.open(QIODevice::WriteOnly));
    updater.close();
    // No recorded update: the check starts the updater, after the start-up capture.
    FakeDesktop desktop;
    MainWindow& window = fixture.create(fixture.noBrowser, desktop);
    QVERIFY(fixture.showAndWaitForStartup());
    // The offscreen platform has no window id to hand on.
    using Started = QList<std::pair<QString, QStringList>>;
    const Started started{{updater.fileName(), {QStringLiteral("0")}}};
    QCOMPARE(desktop.startedPrograms, checked ? started : Started());
    QCOMPARE(desktop.minimized, checked ? 1 : 0);
    // "Upgrade Now" starts it either way.
    window.ui().upgradeNowLabel->click();
    QCOMPARE(desktop.startedPrograms.size(), checked ? 2 : 1);
    QCOMPARE(desktop.startedPrograms.last(), started.first());
    QVERIFY(desktop.messages.isEmpty());
}

void MainWindowTest::theTwoSkinsLookDifferent() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    window.show();
    // The first start has "vista".
    QCOMPARE(window.ui().skinCombo->currentIndex(), 1);
    const QColor vistaWindow = QApplication::palette().color(QPalette::Window);
    const QImage vistaLook = window.ui().getButton->grab().toImage();
    QVERIFY(window.controls().setValue(QStringLiteral("cb1"), QStringLiteral("0")));
    QTRY_VERIFY(!window.isMinimized());
    QVERIFY(QApplication::palette().color(QPalette::Window) != vistaWindow);
    QVERIFY(window.ui().getButton->grab().toImage() != vistaLook);
    QVERIFY(window.controls().setValue(QStringLiteral("cb1"), QStringLiteral("1")));
    QCOMPARE(QApplication::palette().color(QPalette::Window), vistaWindow);
}

void MainWindowTest::desktopSkinTakesTheDesktopsStyleAndColours() {
    ShellFixture fixture;
    fixture.writeSettings("[config]\r\nskin=1\r\n");
    MainWindow& window = fixture.create();
    window.show();
    QCOMPARE(window.ui().skinCombo->itemText(2), QStringLiteral("desktop"));
    QVERIFY(QApplication::palette() != desktopPalette_);
    QVERIFY(window.controls().setValue(QStringLiteral("cb1"), QStringLiteral("2")));
    QTRY_VERIFY(!window.isMinimized());
    QCOMPARE(QApplication::style()->name(), desktopStyle_);
    QCOMPARE(QApplication::palette(), desktopPalette_);
    QVERIFY(qApp->styleSheet().isEmpty());
    // The main panel shows the desktop's colours, not its own warm ones.
    QVERIFY(!window.ui().mainPage->autoFillBackground());
    window.close();
    QVERIFY(fixture.settingsText().contains("skin=2"));

    // The next start comes back with it.
    MainWindow& again = fixture.create();
    QCOMPARE(again.ui().skinCombo->currentIndex(), 2);
    QCOMPARE(QApplication::palette(), desktopPalette_);
}

void MainWindowTest::firstShowingCentresTheStoredSize() {
    ShellFixture fixture;
    fixture.writeSettings("[config]\r\nfx=3\r\nfy=4\r\nfw=700\r\nfh=520\r\n");
    MainWindow& window = fixture.create();
    window.show();
    QCOMPARE(window.size(), QSize(700, 520));
    const QPoint screenCentre = window.screen()->availableGeometry().center();
    QVERIFY2(
        (window.geometry().center() - screenCentre).manhattanLength() <= 8,
        qPrintable(
            QStringLiteral("%1,%2").arg(window.geometry().center().x()).arg(window.geometry().center().y())));
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
