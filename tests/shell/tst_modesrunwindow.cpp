// The enhanced runs from the window against a real headless Chromium, driven through the automation as
// a script would: what the window shows while a run goes on, what it refuses, what it gives back, the
// page's Save with its own counter and the category menu at that button, the list shown as pictures on
// the origin page, the auto-click run, the reference values, and built addresses shown and captured.
#include <QDialog>
#include <QDirIterator>
#include <QTest>
#include <QTimer>

#include "ChromiumProcess.h"
#include "ClickSite.h"
#include "LoopbackHttpServer.h"
#include "RunSite.h"
#include "ShellFixture.h"
#include "modes/AutoClickRun.h"
#include "modes/IntervalRun.h"
#include "modes/MultipageRun.h"
#include "modes/RunSteps.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "save/SaveState.h"
#include "shell/BusService.h"
#include "shell/ModesController.h"
#include "shell/ResultsController.h"
#include "shell/SaveController.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

// One second of the pages' time controls, shortened: the display time of 5 lasts 1.5 s.
constexpr int kSecondMs = 300;

QStringList filesBelow(const QString& folder) {
    QStringList files;
    for (QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories); it.hasNext();)
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

}  // namespace

class ModesRunWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void multipageRunFromTheWindow();
    void stopOverTheBusEndsTheWait();
    void intervalRunFromTheWindow();
    void listShownAsPicturesOnTheOriginPage();
    void autoClickRunFromTheWindow();
    void referenceValuesAndAFixedLinkFromTheWindow();
    void builtUrlsShownAndGotFromTheWindow();
    void popupStepsFromTheWindow();
    void largestVersionFromTheWindow();
    void ownSizeFromTheWindow();

  private:
    QString call(const QString& name, const QString& argument = QString()) {
        return bus_->Invoke(name, argument);
    }
    QString control(const QString& name) { return bus_->Control(name); }
    void set(const QString& name, const QString& value) { bus_->SetControl(name, value); }
    QStringList picturePaths();
    // The page the browser shows, asked anew (a browser on its way to a page may not answer).
    QString shownLocation();
    // The browser shows the page at path.
    bool showPage(const QString& path);

    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;
    DevToolsBrowserFinder finder_;
    std::unique_ptr<ShellFixture> fixture_;
    MainWindow* window_ = nullptr;
    std::unique_ptr<BusService> bus_;
    QString out_;
};

void ModesRunWindowTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    RunSite::serve(server_);
    ClickSite::serve(server_);
    chromium_ = std::make_unique<ChromiumProcess>();
    QVERIFY2(chromium_->start(QStringLiteral("about:blank")), qPrintable(chromium_->errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toUtf8());
}

void ModesRunWindowTest::cleanupTestCase() {
    qunsetenv("VORLAKEN_DEVTOOLS");
    chromium_.reset();
}

QString ModesRunWindowTest::shownLocation() {
    try {
        BrowserPtr shown = finder_.discover();
        return shown ? shown->locationUrl() : QString();
    } catch (const PageError&) {
        return QString();
    }
}

void ModesRunWindowTest::init() {
    // Each test starts with the browser on the start page, which the window captures at start-up.
    server_.addPage("/start.html", RunSite::startPage());
    BrowserPtr browser;
    QVERIFY(QTest::qWaitFor([&] { return bool(browser = finder_.discover()); }, 20000));
    browser->navigate(server_.url("/start.html"));
    QTRY_COMPARE_WITH_TIMEOUT(shownLocation(), server_.url("/start.html"), 20000);
    fixture_ = std::make_unique<ShellFixture>();
    out_ = fixture_->path(QStringLiteral("out"));
    QDir().mkpath(out_);
    fixture_->writeSettings("[config]\r\nkeepdir=1\r\ndir=" + out_.toUtf8() + "\r\n");
    QFile categories(fixture_->path(QStringLiteral("cat.txt")));
    QVERIFY(categories.open(QIODevice::WriteOnly));
    categories.write("Business\r\nNature\r\n");
    categories.close();
    window_ = &fixture_->create(finder_);
    window_->modes().setSecondMs(kSecondMs);
    QVERIFY(fixture_->showAndWaitForStartup());
    bus_ = std::make_unique<BusService>(*window_);
    QTRY_COMPARE_WITH_TIMEOUT(control("cLabel"), QStringLiteral("1"), 20000);
    server_.clearRequests();
}

void ModesRunWindowTest::cleanup() {
    bus_.reset();
    fixture_.reset();
}

QStringList ModesRunWindowTest::picturePaths() {
    QStringList paths;
    for (const PictureRow& row : bus_->Pictures())
        paths << QUrl(row.picUrl).path();
    return paths;
}

void ModesRunWindowTest::multipageRunFromTheWindow() {
    call("N3");
    set("urlMemo", QStringLiteral("%1\njavascript:next()\n%2\njavascript:more()\n%3")
                       .arg(server_.url("/p1.html"), server_.url("/p2.html"), server_.url("/p3.html")));
    call("Label65");
    set("aaSpinEdit", "5");
    // The way back to the start page takes a while, so the run ends before the browser is there.
    server_.addDelayed("/start.html", 3000, RunSite::startPage());

    // What the window shows while the run goes on.
    QStringList seen;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (control("aabtn.enabled") != QLatin1String("0"))
            return;
        QStringList now;
        for (const char* name : {"Panel6.visible", "saveaaBtn.enabled", "Label64.enabled", "Label65.enabled",
                                 "aaSpinEdit.enabled", "aaSpinEdit2.enabled", "aachk2.enabled",
                                 "CheckBox5.enabled", "urlMemo.enabled", "aachk.enabled", "CheckBox4"})
            now << QString::fromLatin1(name) + '=' + control(name);
        now << QStringLiteral("red=%1").arg(
            window_->modes().pages().multipageStopCheck->styleSheet().contains("red"));
        for (const char* locked : {"getbtn", "savebtn", "aabtn", "button2", "saveccbtn"})
            now << QString::fromLatin1(locked) + (window_->commands().locks(locked) ? " locked" : " free");
        for (const char* free : {"aachk", "urlMemo", "Label49", "dropPanel"})
            now << QString::fromLatin1(free) + (window_->commands().locks(free) ? " locked" : " free");
        seen = now;
    });
    watch.start(20);
    bus_->SetAnswer(QStringLiteral("yes"));
    const QString messages = call("aabtn");
    watch.stop();

    QCOMPARE(messages, RunSteps::kNotBackMessage);
    QCOMPARE(seen, (QStringList{"Panel6.visible=0",  "saveaaBtn.enabled=0",  "Label64.enabled=0",
                                "Label65.enabled=0", "aaSpinEdit.enabled=0", "aaSpinEdit2.enabled=0",
                                "aachk2.enabled=0",  "CheckBox5.enabled=0",  "urlMemo.enabled=1",
                                "aachk.enabled=1",   "CheckBox4=1",          "red=1",
                                "getbtn locked",     "savebtn locked",       "aabtn locked",
                                "button2 locked",    "saveccbtn locked",     "aachk free",
                                "urlMemo free",      "Label49 free",         "dropPanel free"}));
    // The start page's picture was cleared at the question; the run's pictures in order.
    QCOMPARE(picturePaths(),
             (QStringList{"/pic/a.png", "/pic/b.png", "/pic/c.png", "/pic/d.png", "/pic/e.png"}));
    QCOMPARE(control("aalabel2"), QStringLiteral("URL:5/5"));
    QCOMPARE(control("aaLabel"), QStringLiteral("Get pictures:5"));
    QCOMPARE(control("cLabel"), QStringLiteral("5"));
    for (const char* name : {"Panel6.visible", "aabtn.enabled", "saveaaBtn.enabled", "Label64.enabled",
                             "aaSpinEdit.enabled", "getbtn.enabled", "savebtn.enabled"})
        QCOMPARE(control(name), QStringLiteral("1"));
    QCOMPARE(control("CheckBox4"), QStringLiteral("0"));
    QCOMPARE(control("aachk"), QStringLiteral("0"));
    QVERIFY(!window_->modes().pages().multipageStopCheck->styleSheet().contains("red"));
    QVERIFY(!window_->commands().busy());
    QTRY_COMPARE_WITH_TIMEOUT(shownLocation(), server_.url("/start.html"), 30000);

    // The page's Save counts on its own label.
    QCOMPARE(call("saveaaBtn"), QString());
    QCOMPARE(control("label119"), QStringLiteral("Saved:5/5"));
    QCOMPARE(control("Label3"), QStringLiteral("Saved:0/0"));
    QCOMPARE(filesBelow(out_).filter(QStringLiteral(".png")).size(), 5);

    // Saving under categories, the menu pops up at the button that was pressed.
    window_->saving().state().categoriesOn = true;
    QMenu* menu = window_->saving().categoryMenu();
    QPushButton* save = window_->modes().pages().multipageSaveButton;
    QCOMPARE(call("saveaaBtn"), QString());
    QTRY_VERIFY(menu->isVisible());
    const QPoint corner = save->mapToGlobal(save->rect().bottomLeft());
    QCOMPARE(menu->geometry().top(), corner.y());
    if (corner.x() + menu->width() <= save->screen()->geometry().right())
        QCOMPARE(menu->geometry().left(), corner.x());
    call("catPopup", QStringLiteral("Business"));
    QCOMPARE(control("label119"), QStringLiteral("Saved:5/5"));
    QCOMPARE(control("Label3"), QStringLiteral("Saved:0/0"));
    QVERIFY(!filesBelow(out_ + QStringLiteral("/Business")).isEmpty());
}

void ModesRunWindowTest::stopOverTheBusEndsTheWait() {
    call("N3");
    set("urlMemo", QStringLiteral("%1\n%2").arg(server_.url("/p1.html"), server_.url("/p2.html")));
    set("aaSpinEdit", "600");  // three minutes here
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (!server_.requestsFor("/p1.html").isEmpty()) {
            watch.stop();
            set("aachk", "1");
        }
    });
    watch.start(20);
    bus_->SetAnswer(QStringLiteral("no"));
    QElapsedTimer clock;
    clock.start();
    call("aabtn");
    QVERIFY(clock.elapsed() < 60000);
    QVERIFY(server_.requestsFor("/p2.html").isEmpty());
    // "No" kept the start page's picture; the stopped run captured nothing more.
    QCOMPARE(picturePaths(), QStringList{"/pic/s.png"});
    QCOMPARE(control("aachk"), QStringLiteral("0"));
    QCOMPARE(control("Panel6.visible"), QStringLiteral("1"));
    QCOMPARE(control("aabtn.enabled"), QStringLiteral("1"));
    QTRY_COMPARE_WITH_TIMEOUT(shownLocation(), server_.url("/start.html"), 30000);
}

void ModesRunWindowTest::intervalRunFromTheWindow() {
    call("N4");
    set("Edit5", "abc");
    QCOMPARE(call("ccbtn"), IntervalRun::kInvalidMessage);
    set("Edit5", "0.09");
    QCOMPARE(call("ccbtn"), IntervalRun::kTooShortMessage);
    QCOMPARE(picturePaths(), QStringList{"/pic/s.png"});

    BrowserPtr browser = finder_.discover();
    QVERIFY(browser);
    browser->navigate(server_.url("/slides.html"));
    QTRY_COMPARE_WITH_TIMEOUT(shownLocation(), server_.url("/slides.html"), 20000);
    set("Edit5", "0.1");
    bool sawRunning = false;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (control("ccbtn.enabled") == QLatin1String("0") && control("Panel6.visible") == QLatin1String("0"))
            sawRunning = true;
        // Every picture of the show is in: stop, as the user would.
        if (bus_->Pictures().size() == 3) {
            watch.stop();
            set("stopcc", "1");
        }
    });
    watch.start(20);
    bus_->SetAnswer(QStringLiteral("yes"));
    QCOMPARE(call("ccbtn"), QString());
    watch.stop();
    QVERIFY(sawRunning);
    QCOMPARE(picturePaths(), (QStringList{"/pic/1.png", "/pic/2.png", "/pic/3.png"}));
    QCOMPARE(control("ccLabel"), QStringLiteral("Get pictures:3"));
    QCOMPARE(control("cLabel"), QStringLiteral("3"));
    QCOMPARE(control("stopcc"), QStringLiteral("0"));
    QCOMPARE(control("ccbtn.enabled"), QStringLiteral("1"));
    QCOMPARE(control("saveccbtn.enabled"), QStringLiteral("1"));
    QCOMPARE(control("Label117"), QStringLiteral("Saved:0/0"));
    QCOMPARE(control("Panel6.visible"), QStringLiteral("1"));
    QCOMPARE(call("saveccbtn"), QString());
    QCOMPARE(control("Label117"), QStringLiteral("Saved:3/3"));
    QCOMPARE(control("Label3"), QStringLiteral("Saved:0/0"));
}

void ModesRunWindowTest::listShownAsPicturesOnTheOriginPage() {
    call("N3");
    const QString a = server_.url("/pic/a.png");
    const QString b = server_.url("/pic/b.png");
    set("urlMemo", a + QStringLiteral("\n\n") + b);
    QCOMPARE(call("Label49"), QString());
    BrowserPtr browser = finder_.discover();
    QVERIFY(browser);
    const auto sources = [&browser] {
        QStringList srcs;
        for (const ElementData& image : browser->document()->images()->read(kSrc))
            srcs << image.src;
        return srcs;
    };
    // The list's pictures, the empty line's too (an empty address is the page's own), above the page's
    // own content.
    const QString empty = server_.url("/start.html");
    QCOMPARE(sources(), (QStringList{a, empty, b, server_.url("/pic/s.png")}));
    QVERIFY(browser->document()->body()->outerText().contains(QStringLiteral("origin content")));

    // Without the origin content only the list's pictures stay; the main Get then captures them.
    browser->reload();
    QTRY_COMPARE_WITH_TIMEOUT(sources(), QStringList{server_.url("/pic/s.png")}, 20000);
    set("noorgChk", "1");
    call("Label49");
    QCOMPARE(sources(), (QStringList{a, empty, b}));
    QVERIFY(!browser->document()->body()->outerText().contains(QStringLiteral("origin content")));
    call("button1");
    set("SpinEdit1", "0");
    set("SpinEdit2", "0");
    call("getbtn");
    QVERIFY(picturePaths().contains(QStringLiteral("/pic/a.png")));
    QVERIFY(picturePaths().contains(QStringLiteral("/pic/b.png")));
}

bool ModesRunWindowTest::showPage(const QString& path) {
    BrowserPtr browser = finder_.discover();
    if (!browser)
        return false;
    browser->navigate(server_.url(path));
    return QTest::qWaitFor([&] { return shownLocation() == server_.url(path); }, 20000);
}

void ModesRunWindowTest::autoClickRunFromTheWindow() {
    QVERIFY(showPage(QStringLiteral("/gallery/1.html")));
    call("N5");
    QCOMPARE(call("Label72"), QString());
    set("SpinEdit3", "2");
    set("SpinEdit4", "5");
    set("chkclickgoback", "1");
    QStringList seen;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (control("clickbtn.enabled") != QLatin1String("0"))
            return;
        QStringList now;
        for (const char* name : {"Panel6.visible", "saveclickbtn.enabled", "Label71.enabled",
                                 "Label72.enabled", "SpinEdit3.enabled", "SpinEdit4.enabled",
                                 "CheckBox2.enabled", "CheckBox3.enabled", "CheckBox4"})
            now << QString::fromLatin1(name) + '=' + control(name);
        now << QStringLiteral("red=%1").arg(
            window_->modes().pages().clickStopCheck->styleSheet().contains("red"));
        for (const char* locked : {"getbtn", "clickbtn", "rrbtn"})
            now << QString::fromLatin1(locked) + (window_->commands().locks(locked) ? " locked" : " free");
        seen = now;
    });
    watch.start(20);
    bus_->SetAnswer(QStringLiteral("yes"));
    const QString messages = call("clickbtn");
    watch.stop();
    // The way back has only been asked for when the run ends.
    QCOMPARE(messages, RunSteps::kNotBackMessage);
    QCOMPARE(seen, (QStringList{"Panel6.visible=0", "saveclickbtn.enabled=0", "Label71.enabled=0",
                                "Label72.enabled=0", "SpinEdit3.enabled=0", "SpinEdit4.enabled=0",
                                "CheckBox2.enabled=0", "CheckBox3.enabled=1", "CheckBox4=1", "red=1",
                                "getbtn locked", "clickbtn locked", "rrbtn locked"}));
    QCOMPARE(picturePaths(), (QStringList{"/pic/wide1.png", "/pic/big1.png", "/pic/wide2.png",
                                          "/pic/big2.png", "/pic/wide3.png", "/pic/big3.png"}));
    QCOMPARE(control("clickLabel2"), QStringLiteral("Click:2/2"));
    QCOMPARE(control("clickLabel"), QStringLiteral("Get pictures:6"));
    QCOMPARE(control("cLabel"), QStringLiteral("6"));
    for (const char* name :
         {"Panel6.visible", "clickbtn.enabled", "saveclickbtn.enabled", "Label71.enabled",
          "SpinEdit3.enabled", "getbtn.enabled", "savebtn.enabled", "saveclickbtn.visible"})
        QCOMPARE(control(name), QStringLiteral("1"));
    QCOMPARE(control("CheckBox4"), QStringLiteral("0"));
    QTRY_COMPARE_WITH_TIMEOUT(shownLocation(), server_.url("/gallery/1.html"), 30000);
    QCOMPARE(call("saveclickbtn"), QString());
    QCOMPARE(control("Label118"), QStringLiteral("Saved:6/6"));
    QCOMPARE(control("Label3"), QStringLiteral("Saved:0/0"));
}

void ModesRunWindowTest::referenceValuesAndAFixedLinkFromTheWindow() {
    QVERIFY(showPage(QStringLiteral("/next.html")));
    call("N5");
    call("RadioButton3");
    call("r23");
    set("chkcode", "1");
    QCOMPARE(call("Label50"), QString());
    QCOMPARE(window_->modes().pages().fixedLinkEdit->count(), 1);
    QCOMPARE(window_->modes().pages().fixedLinkEdit->itemText(0), QStringLiteral("javascript:goOn()"));
    QVERIFY(window_->results().commentPanelState().visible);
    QTRY_VERIFY_WITH_TIMEOUT(control("wb2").contains(QStringLiteral("javascript:goOn()<br>")), 10000);
    QVERIFY(control("wb2").contains(QStringLiteral("<textarea")));
    call("Label79");
    QVERIFY(!window_->results().commentPanelState().visible);
    // "invisible?" shows the page itself in the panel.
    QCOMPARE(call("Label75"), QString());
    Zone* comments = window_->zone(QStringLiteral("wb2"));
    QTRY_COMPARE_WITH_TIMEOUT(comments->locationUrl(), server_.url("/next.html"), 20000);

    window_->modes().pages().fixedLinkEdit->setCurrentIndex(0);
    set("chkcode", "0");
    QCOMPARE(call("Label72"), QString());
    set("CheckBox2", "1");
    set("SpinEdit4", "5");
    set("SpinEdit12", "0");
    set("spinedit22", "0");
    bus_->SetAnswer(QStringLiteral("yes"));
    QCOMPARE(call("clickbtn"), QString());
    QCOMPARE(picturePaths(), QStringList{"/pic/script.png"});
    QCOMPARE(control("clickLabel2"), QStringLiteral("Click:1/1"));
}

void ModesRunWindowTest::builtUrlsShownAndGotFromTheWindow() {
    QVERIFY(showPage(QStringLiteral("/gallery/3.html")));
    call("N7");
    call("Label61");
    QTRY_VERIFY(window_->findChild<QDialog*>(QStringLiteral("TfrmSerial")));
    set("TfrmSerial.Edit1", server_.url("/pic/big"));
    set("TfrmSerial.Edit2", ".png");
    set("TfrmSerial.SpinEdit2", "2");
    call("TfrmSerial.SpeedButton1");
    call("TfrmSerial.Button1");
    QCOMPARE(call("TfrmSerial.Button2"), QString());
    QCOMPARE(control("replaceMemo"), server_.url("/pic/big1.png") + '\n' + server_.url("/pic/big2.png"));
    QCOMPARE(call("Label86"), QString());
    BrowserPtr browser = finder_.discover();
    QVERIFY(browser);
    QTRY_VERIFY_WITH_TIMEOUT(browser->document()->images()->length() == 4, 10000);
    // "merge" unticked: the capture replaces the start page's picture.
    QCOMPARE(call("rrbtn"), QString());
    QCOMPARE(picturePaths(),
             (QStringList{"/pic/big1.png", "/pic/big2.png", "/pic/wide3.png", "/pic/big3.png"}));
    QCOMPARE(control("Label94"), QStringLiteral("Get pictures:4"));
    QCOMPARE(control("saverrbtn.enabled"), QStringLiteral("1"));
    QCOMPARE(call("saverrbtn"), QString());
    QCOMPARE(control("Label116"), QStringLiteral("Saved:4/4"));
}

void ModesRunWindowTest::popupStepsFromTheWindow() {
    QVERIFY(showPage(QStringLiteral("/popup.html")));
    call("button1");
    set("SpinEdit1", "0");
    set("SpinEdit2", "0");
    call("N5");
    call("RadioButton4");
    QCOMPARE(call("Label91"), QString());
    QCOMPARE(picturePaths(), (QStringList{"/pic/p1.png", "/pic/p2.png", "/pic/p3.png"}));
    QTRY_COMPARE_WITH_TIMEOUT(bus_->Checked(), (QList<bool>{true, true, true}), 20000);
    QCOMPARE(call("Label92"), QString());
    QCOMPARE(control("Memo3"),
             ClickSite::popupBigUrl(server_, 1) + '\n' + ClickSite::popupBigUrl(server_, 2));
    QCOMPARE(control("Label88"), QStringLiteral("find:2"));
    QCOMPARE(call("Label93"), QString());
    BrowserPtr browser = finder_.discover();
    QVERIFY(browser);
    QTRY_VERIFY_WITH_TIMEOUT(browser->document()->images()->length() == 5, 10000);
    set("SpinEdit12", "0");
    set("spinedit22", "0");
    QCOMPARE(call("btn11"), QString());
    QCOMPARE(picturePaths(),
             (QStringList{"/pic/b1.png", "/pic/b2.png", "/pic/p1.png", "/pic/p2.png", "/pic/p3.png"}));
    QCOMPARE(control("Label102"), QStringLiteral("Get:5"));
    QCOMPARE(control("btn12.enabled"), QStringLiteral("1"));
    QCOMPARE(call("btn12"), QString());
    QCOMPARE(control("Label120"), QStringLiteral("Saved:5/5"));
    QCOMPARE(control("Label3"), QStringLiteral("Saved:0/0"));
}

void ModesRunWindowTest::largestVersionFromTheWindow() {
    server_.addPage("/versions.html",
                    RunSite::page("Versions",
                                  "<img src='/pic/big1.png' srcset='/pic/big1.png, "
                                  "/pic/big3.png 3x, /pic/big2.png 2x' width=200 height=150>"));
    QVERIFY(showPage(QStringLiteral("/versions.html")));
    QCOMPARE(call("getbtn"), QString());
    QCOMPARE(picturePaths(), QStringList{"/pic/big1.png"});
    set("largestChk", "1");
    QCOMPARE(call("getbtn"), QString());
    QCOMPARE(picturePaths(), QStringList{"/pic/big3.png"});
}

void ModesRunWindowTest::ownSizeFromTheWindow() {
    // The gallery's 300-pixel picture shown at 150: with "own size" a width limit of 200 keeps it.
    server_.addPage("/scaled.html",
                    RunSite::page("Scaled", "<img src='/pic/wide1.png' style='width:150px'>"));
    QVERIFY(showPage(QStringLiteral("/scaled.html")));
    set("SpinEdit1", "200");
    QCOMPARE(call("getbtn"), QString());
    QCOMPARE(control("cLabel"), QStringLiteral("0"));
    set("ownSizeChk", "1");
    QCOMPARE(call("getbtn"), QString());
    QCOMPARE(picturePaths(), QStringList{"/pic/wide1.png"});
    QCOMPARE(bus_->Pictures().first().sizeText, QStringLiteral("300*150"));
    QTRY_VERIFY_WITH_TIMEOUT(control("wb1").contains(QStringLiteral("300*150 (shown 150*75)")), 10000);
}

QTEST_MAIN(ModesRunWindowTest)
#include "tst_modesrunwindow.moc"
