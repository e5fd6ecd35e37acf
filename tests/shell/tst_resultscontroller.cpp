// The result operations wired into the main window: every command is reached through its menu item
// by name (the way the bus and a user reach it), in real Qt WebEngine zones, and the origin page in a
// real headless Chromium.
#include <QApplication>
#include <QFile>
#include <QMouseEvent>
#include <QSplitter>
#include <QTest>
#include <QWebEngineView>

#include "ChromiumProcess.h"
#include "LoopbackHttpServer.h"
#include "ShellFixture.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "results/OriginPage.h"
#include "results/PreviewReadBack.h"
#include "shell/BusService.h"
#include "shell/ResultsController.h"

using namespace vorlaken;
using namespace vorlaken::test;

class ResultsControllerTest : public QObject {
    Q_OBJECT

  private slots:
    void menusCarryTheirItems_data();
    void menusCarryTheirItems();
    void reductionsFromTheSelectMenu_data();
    void reductionsFromTheSelectMenu();
    void selectAllAndDeselectAll();
    void invertAndShiftClickRanges();
    void captureOptionsAreCheckItems();
    void urlListFillsTheWidePanel();
    void commentPanelIsOneStateForWidgetsAndPreview();
    void copyCommandsReachTheClipboard();
    void sortsAreExactReverses();
    void clearResultFromEitherMenu_data();
    void clearResultFromEitherMenu();
    void onlyTextAndPicturesFromTheMenus();
    void scrollBarToggleAndRestore();
    void selectionOnAnotherPageTellsTheUser();
    void originPageInTheAttachedBrowser();
    void originPageWithoutBrowserDoesNothing();
};

namespace {

const QString kDot =
    QStringLiteral("data:image/gif;base64,R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");

QString picture(int n) {
    return kDot + QStringLiteral("#%1").arg(n);
}

// Rows 1..n (picture n in row n), odd rows without a link; the table in the order given.
void fillTable(CaptureState& state, const QList<int>& rows) {
    state.table.clear();
    for (int n : rows)
        state.table.append(picture(n), QStringLiteral("%1*%1").arg(100 + n),
                           n % 2 ? kPlaceholderLinkUrl : QStringLiteral("http://example.test/%1.htm").arg(n),
                           QStringLiteral("http://example.test/page.htm"));
    state.pageLocation = QStringLiteral("http://example.test/page.htm");
}

// A window after its start-up (no browser) showing a preview of the rows.
struct Window {
    explicit Window(const QList<int>& rows = {1, 2, 3, 4, 5}) : window(fixture.create()), bus(window) {
        ok = fixture.showAndWaitForStartup();
        fillTable(window.state(), rows);
        window.ui().saveButton->setEnabled(true);
        window.renderPreview();
    }
    QString invoke(const char* name) { return bus.Invoke(QLatin1String(name), QString()); }
    QString control(const QString& name) { return bus.Control(name); }
    QList<int> rows() const {
        QList<int> result;
        for (const QString& url : window.state().table.picUrl)
            result.append(url.section(QLatin1Char('#'), 1).toInt());
        return result;
    }
    Zone& zone(const char* name) { return *window.zone(QLatin1String(name)); }

    ShellFixture fixture;
    MainWindow& window;
    BusService bus;
    bool ok = false;
};

QList<bool> ticks(const QList<int>& ticked, int count) {
    QList<bool> result;
    for (int n = 1; n <= count; ++n)
        result.append(ticked.contains(n));
    return result;
}

}  // namespace

void ResultsControllerTest::menusCarryTheirItems_data() {
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("select") << "checkPopupMenu"
                            << QStringList{"Select all",
                                           "Deselect All",
                                           "Invert selection",
                                           "Keep Cheked",
                                           "Checked Before",
                                           "Checked After",
                                           "",
                                           "Pictures with links",
                                           "Link near by",
                                           "",
                                           "Show Picture URLs",
                                           "Show Picture Links",
                                           "Hide List"};
    QTest::newRow("beside Get") << "PopupMenu2"
                                << QStringList{"Get from all tabs",
                                               "",
                                               "Copy Picture URLs",
                                               "Copy Picture",
                                               "Copy Link URLs",
                                               "Copy UBB Code",
                                               "",
                                               "Sort by URL Ascending",
                                               "Sort by URL Descending",
                                               "",
                                               "Clear Result",
                                               "",
                                               "Show or Hide Picture Comments",
                                               "Clear Comments",
                                               "Remove Comments HTML format",
                                               "Only Text and Pictures"};
    QTest::newRow("comments") << "commentPopupMenu"
                              << QStringList{"Show or Hide Comments", "Clear Comments", "Remove HTML format",
                                             "Only Text and Pictures"};
    QTest::newRow("more") << "specialPopupMenu"
                          << QStringList{"Display pictures on origin webpage", "Refresh origin webpage",
                                         "Pictures invisible ?", "Restore preivew zone",
                                         "Show or hide preview zone scrollbar"};
}

void ResultsControllerTest::menusCarryTheirItems() {
    QFETCH(QString, menu);
    QFETCH(QStringList, items);
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    auto* found = window.findChild<QMenu*>(menu);
    QVERIFY(found);
    QStringList captions;
    for (QAction* action : found->actions())
        captions.append(action->text());
    QCOMPARE(captions, items);
    QCOMPARE(window.findChild<QMenu*>(QStringLiteral("selectPopupMenu")), nullptr);
    QCOMPARE(window.ui().selectButton->text(), QStringLiteral("Select"));
    auto* label = window.findChild<QLabel*>(QStringLiteral("Label58"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Comments"));
    QCOMPARE(label->toolTip(), QStringLiteral("show or hide picture comments"));
}

void ResultsControllerTest::reductionsFromTheSelectMenu_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("kept");
    QTest::newRow("Keep Cheked") << "N42" << QList<int>{2, 4};
    QTest::newRow("Checked Before") << "N43" << QList<int>{1, 2};
    QTest::newRow("Checked After") << "N44" << QList<int>{2, 3, 4, 5};
}

void ResultsControllerTest::reductionsFromTheSelectMenu() {
    QFETCH(QString, item);
    QFETCH(QList<int>, kept);
    Window w;
    QVERIFY(w.ok);
    w.bus.SetChecked(ticks({2, 4}, 5));
    QCOMPARE(w.bus.Invoke(item, QString()), QString());
    QCOMPARE(w.rows(), kept);
    QCOMPARE(w.window.ui().totalLabel->text(), QString::number(kept.size()));
    // The reduced preview comes back with every picture ticked.
    QCOMPARE(w.bus.Checked(), QList<bool>(kept.size(), true));
}

void ResultsControllerTest::selectAllAndDeselectAll() {
    Window w;
    QVERIFY(w.ok);
    w.invoke("N41");
    QCOMPARE(w.bus.Checked(), QList<bool>(5, false));
    w.invoke("n37");
    QCOMPARE(w.bus.Checked(), QList<bool>(5, true));
    // Nothing ticked: a reduction keeps the table as it is.
    w.invoke("N41");
    w.invoke("N42");
    QCOMPARE(w.rows(), (QList<int>{1, 2, 3, 4, 5}));
}

void ResultsControllerTest::invertAndShiftClickRanges() {
    Window w;
    QVERIFY(w.ok);
    w.bus.SetChecked(ticks({2, 4}, 5));
    QCOMPARE(w.invoke("nInvert"), QString());
    QCOMPARE(w.bus.Checked(), ticks({1, 3, 5}, 5));

    // Real clicks in the zone, as the user gives them: on a checkbox, then shift on another.
    QWebEngineView* view = w.window.ui().previewView;
    const auto centreOf = [view](const QString& name) {
        QPoint at;
        bool done = false;
        view->page()->runJavaScript(
            QStringLiteral("(function(){var r=document.getElementsByName('%1')[0].getBoundingClientRect();"
                           "return [r.left + r.width / 2, r.top + r.height / 2];})()")
                .arg(name),
            [&](const QVariant& result) {
                const QVariantList xy = result.toList();
                at = QPoint(int(xy.value(0).toDouble()), int(xy.value(1).toDouble()));
                done = true;
            });
        // No answer leaves the point off the page, and the clicks after it change nothing.
        return QTest::qWaitFor([&] { return done; }, 10000) ? at : QPoint(-1, -1);
    };
    const auto click = [view](const QPoint& at, Qt::KeyboardModifiers modifiers) {
        QWidget* target = view->focusProxy();
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                              type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, modifiers);
            QApplication::sendEvent(target, &event);
        }
    };
    w.invoke("N41");
    click(centreOf(QStringLiteral("c2")), Qt::NoModifier);
    QTRY_COMPARE(w.bus.Checked(), ticks({2}, 5));
    click(centreOf(QStringLiteral("c4")), Qt::ShiftModifier);
    QTRY_COMPARE(w.bus.Checked(), ticks({2, 3, 4}, 5));
    // A shift-click unticking a box unticks the range back to the one clicked before.
    click(centreOf(QStringLiteral("c3")), Qt::ShiftModifier);
    QTRY_COMPARE(w.bus.Checked(), ticks({2}, 5));
    // A click on a picture ticks it; shift on another picture takes the range with it.
    click(centreOf(QStringLiteral("p5")), Qt::NoModifier);
    QTRY_COMPARE(w.bus.Checked(), ticks({2, 5}, 5));
    click(centreOf(QStringLiteral("p1")), Qt::ShiftModifier);
    QTRY_COMPARE(w.bus.Checked(), ticks({1, 2, 3, 4, 5}, 5));
    // Without shift nothing else changes.
    click(centreOf(QStringLiteral("c3")), Qt::NoModifier);
    QTRY_COMPARE(w.bus.Checked(), ticks({1, 2, 4, 5}, 5));
}

void ResultsControllerTest::captureOptionsAreCheckItems() {
    Window w;
    for (const QString& name : {QStringLiteral("chkLink"), QStringLiteral("nearbychk")}) {
        QCOMPARE(w.control(name), QStringLiteral("0"));
        w.bus.SetControl(name, QStringLiteral("1"));
        QCOMPARE(w.control(name), QStringLiteral("1"));
    }
    QCOMPARE(w.window.ui().selectMenuWithLinks->parent(),
             w.window.findChild<QMenu*>(QStringLiteral("checkPopupMenu")));
}

void ResultsControllerTest::urlListFillsTheWidePanel() {
    Window w({1, 2, 3});
    QVERIFY(w.ok);
    QCOMPARE(w.control("Panel2.visible"), QStringLiteral("0"));
    w.bus.SetChecked({true, false, true});
    w.invoke("N46");
    QCOMPARE(w.control("Panel2.visible"), QStringLiteral("1"));
    QVERIFY(w.window.ui().commentPanel->width() >= 400);
    QVERIFY(w.window.results().commentPanelState().width >= 400);
    const QString html = w.control("wb2");
    QVERIFY(html.contains(QStringLiteral("Picture URLs:")));
    QVERIFY(html.contains(picture(1).toHtmlEscaped() + QStringLiteral("<br>")));
    QVERIFY(!html.contains(picture(2)));
    QVERIFY(html.contains(QStringLiteral("[img]") + picture(3) + QStringLiteral("[/img]")));

    w.invoke("N47");
    QVERIFY(w.control("wb2").contains(QStringLiteral("Picture Links:")));
    w.invoke("N48");
    QCOMPARE(w.control("Panel2.visible"), QStringLiteral("0"));
}

void ResultsControllerTest::commentPanelIsOneStateForWidgetsAndPreview() {
    Window w;
    QVERIFY(w.ok);
    const ResultsController& results = w.window.results();
    QVERIFY(!results.commentPanelState().visible);
    QCOMPARE(results.commentPanelState().width, 205);
    for (const char* toggle : {"n23", "MenuItem9", "Label58"}) {
        const bool before = results.commentPanelState().visible;
        w.invoke(toggle);
        QCOMPARE(results.commentPanelState().visible, !before);
        QCOMPARE(w.window.ui().commentPanel->isVisible(), !before);
    }
    QVERIFY(results.commentPanelState().visible);
    QTRY_COMPARE(w.window.ui().zoneSplitter->sizes().value(1), 205);

    // A width the user drags is kept when the panel is hidden and shown again.
    QSplitterHandle* handle = w.window.ui().zoneSplitter->handle(1);
    const QPoint grip = handle->rect().center();
    const auto drag = [handle](QEvent::Type type, const QPoint& at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, handle->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(handle, &event);
    };
    drag(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    drag(QEvent::MouseMove, grip - QPoint(60, 0), Qt::LeftButton);
    drag(QEvent::MouseButtonRelease, grip - QPoint(60, 0), Qt::NoButton);
    const int dragged = w.window.ui().zoneSplitter->sizes().value(1);
    QVERIFY(dragged != 205);
    QCOMPARE(results.commentPanelState().width, dragged);
    w.invoke("n23");
    w.invoke("n23");
    QTRY_COMPARE(w.window.ui().zoneSplitter->sizes().value(1), dragged);

    // The thumbnail columns follow the width left beside the panel.
    w.window.ui().thumbnailCheck->click();
    const QString narrow = w.fixture.previewHtml();
    w.invoke("N48");
    w.window.ui().thumbnailCheck->click();
    w.window.ui().thumbnailCheck->click();
    QVERIFY(w.fixture.previewHtml() != narrow);
}

void ResultsControllerTest::copyCommandsReachTheClipboard() {
    Window w({1, 2, 3});
    QVERIFY(w.ok);
    // Every row counts, ticked or not.
    w.bus.SetChecked({false, false, false});
    w.invoke("N10");
    QCOMPARE(w.bus.Clipboard(), picture(1) + "\r\n" + picture(2) + "\r\n" + picture(3) + "\r\n");
    w.invoke("N16");
    QCOMPARE(w.bus.Clipboard(), QStringLiteral("http://example.test/2.htm\r\n"));
    w.invoke("N17");
    QCOMPARE(w.bus.Clipboard(), "[img]" + picture(1) + "[/img]\r\n[img]" + picture(2) + "[/img]\r\n[img]" +
                                    picture(3) + "[/img]\r\n");
}

void ResultsControllerTest::sortsAreExactReverses() {
    Window w({3, 1, 5, 2, 4});
    QVERIFY(w.ok);
    w.invoke("n20");
    const QList<int> ascending = w.rows();
    QCOMPARE(ascending, (QList<int>{1, 2, 3, 4, 5}));
    w.invoke("n21");
    QList<int> descending = w.rows();
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(descending, ascending);
    QCOMPARE(w.bus.Pictures().size(), 5);
}

void ResultsControllerTest::clearResultFromEitherMenu_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("saveAfter");
    QTest::newRow("beside Get") << "N2" << false;
    QTest::newRow("Enhanced") << "N9" << true;
}

void ResultsControllerTest::clearResultFromEitherMenu() {
    QFETCH(QString, item);
    QFETCH(bool, saveAfter);
    Window w;
    QVERIFY(w.ok);
    w.bus.Invoke(item, QString());
    QCOMPARE(w.window.state().table.size(), 0);
    QVERIFY(!w.fixture.previewHtml().contains(QStringLiteral("<img")));
    QCOMPARE(w.control("savebtn.enabled"), QString(saveAfter ? "1" : "0"));
}

void ResultsControllerTest::onlyTextAndPicturesFromTheMenus() {
    for (const char* itemName : {"n25", "MenuItem12"}) {
        Window w({1, 2});
        QVERIFY(w.ok);
        w.zone("wb2").document()->body()->setInnerHtml(
            "<b>Nice</b> one<br><img src=\"" + picture(2) +
            "\"><br><img src=\"http://elsewhere.test/x.png\"><div>More</div>");
        w.invoke(itemName);
        const QString html = w.control("wb2");
        QVERIFY2(html.contains(QStringLiteral("Nice one<br>")), qPrintable(html));
        QCOMPARE(html.count(QStringLiteral("<img")), 1);
        QVERIFY(html.contains(picture(2).toHtmlEscaped()));
        QVERIFY(!html.contains(QStringLiteral("elsewhere")));
        QVERIFY(html.contains(QStringLiteral("More<br>")));
        // The clean-up leaves the panel hidden as it was.
        QCOMPARE(w.control("Panel2.visible"), QStringLiteral("0"));
    }
    Window w;
    w.zone("wb2").document()->body()->setInnerHtml("<b>bold</b>");
    w.invoke("html1");
    QCOMPARE(w.control("wb2"), QStringLiteral("bold"));
    QCOMPARE(w.control("Panel2.visible"), QStringLiteral("1"));
    w.invoke("N48");
    w.invoke("MenuItem10");
    QCOMPARE(w.control("wb2"), QString());
    QCOMPARE(w.control("Panel2.visible"), QStringLiteral("1"));
}

void ResultsControllerTest::scrollBarToggleAndRestore() {
    Window w;
    QVERIFY(w.ok);
    const auto overflow = [&w] {
        return w.zone("wb1").document()->body()->outerHtml().contains(QStringLiteral("overflow: scroll"));
    };
    for (int use = 1; use <= 3; ++use) {
        w.invoke("N38");
        QCOMPARE(overflow(), use % 2 == 1);
        QCOMPARE(w.window.results().scrollToggleCount(), use % 2);
    }
    w.invoke("nN37");
    QTRY_VERIFY(w.zone("wb1").locationUrl().endsWith(QStringLiteral("/grabnest.htm")));
}

void ResultsControllerTest::selectionOnAnotherPageTellsTheUser() {
    Window w;
    QVERIFY(w.ok);
    QFile page(w.fixture.path(QStringLiteral("origin.htm")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<html><body><img src='a.png'><img src='b.png'><a href='x.htm'>x</a></body></html>");
    page.close();
    w.bus.SetControl(QStringLiteral("Edit2"), QUrl::fromLocalFile(page.fileName()).toString());
    w.invoke("N35");
    QTRY_VERIFY(w.zone("wb1").locationUrl().endsWith(QStringLiteral("/origin.htm")));
    // The address changes before the document is there to be read.
    const auto pictures = [&w] {
        try {
            return w.zone("wb1").document()->images()->length();
        } catch (const PageError&) {
            return -1;
        }
    };
    QTRY_COMPARE(pictures(), 2);

    for (const char* reduce : {"N42", "N43", "N44"}) {
        QCOMPARE(w.invoke(reduce), kNotPreviewPageMessage);
        QCOMPARE(w.rows(), (QList<int>{1, 2, 3, 4, 5}));
        QCOMPARE(w.window.ui().totalLabel->text(), QStringLiteral("Total:0"));
    }
    w.invoke("nN37");
    QTRY_VERIFY(w.zone("wb1").locationUrl().endsWith(QStringLiteral("/grabnest.htm")));
}

void ResultsControllerTest::originPageInTheAttachedBrowser() {
    VORLAKEN_REQUIRE_CHROMIUM();
    LoopbackHttpServer server;
    QVERIFY(server.listen());
    server.setRoot(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo"));
    server.addPage(QStringLiteral("/gallery.htm"),
                   "<html><head><title>Origin</title></head><body><p id=own>Own content</p>"
                   "<img src='photo1.png' width=360 height=240>"
                   "<a href='/photo2.png'><img src='photo2.png' width=360 height=240></a>"
                   "</body></html>");
    ChromiumProcess chromium;
    QVERIFY2(chromium.start(server.url(QStringLiteral("/gallery.htm"))), qPrintable(chromium.errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium.endpoint().toUtf8());

    ShellFixture fixture;
    DevToolsBrowserFinder finder;
    MainWindow& window = fixture.create(finder);
    // The page is in the browser before the window's timer fires: it has asked for its pictures.
    for (const char* path : {"/photo1.png", "/photo2.png"})
        QTRY_VERIFY_WITH_TIMEOUT(!server.requestsFor(path).isEmpty(), 20000);
    QVERIFY(fixture.showAndWaitForStartup());
    qunsetenv("VORLAKEN_DEVTOOLS");
    QCOMPARE(window.state().table.size(), 2);
    QVERIFY(window.state().attached);
    BusService bus(window);
    const auto originBody = [&window] { return window.state().attached->document()->body()->innerHtml(); };

    bus.Invoke(QStringLiteral("N33"), QString());
    QString body = originBody();
    QVERIFY2(body.contains(QStringLiteral("Own content")), qPrintable(body));
    QVERIFY(body.indexOf(server.url(QStringLiteral("/photo1.png"))) <
            body.indexOf(QStringLiteral("Own content")));
    QVERIFY(body.contains(server.url(QStringLiteral("/photo2.png"))));

    bus.Invoke(QStringLiteral("N34"), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!originBody().contains(QStringLiteral("overflow")), 10000);

    bus.SetControl(QStringLiteral("noorgChk"), QStringLiteral("1"));
    bus.SetChecked({false, true});
    bus.Invoke(QStringLiteral("N33"), QString());
    body = originBody();
    QVERIFY2(!body.contains(QStringLiteral("Own content")), qPrintable(body));
    QVERIFY(body.contains(server.url(QStringLiteral("/photo2.png"))));
    QVERIFY(!body.contains(server.url(QStringLiteral("/photo1.png"))));

    // "Pictures invisible ?" shows the origin page in the preview zone.
    bus.Invoke(QStringLiteral("N35"), QString());
    QTRY_COMPARE_WITH_TIMEOUT(window.zone(QStringLiteral("wb1"))->locationUrl(),
                              server.url(QStringLiteral("/gallery.htm")), 10000);
}

void ResultsControllerTest::originPageWithoutBrowserDoesNothing() {
    Window w;
    QVERIFY(w.ok);
    QVERIFY(!w.window.state().attached);
    const QString preview = w.fixture.previewHtml();
    QCOMPARE(w.invoke("N33"), QString());
    QCOMPARE(w.invoke("N34"), QString());
    QCOMPARE(w.fixture.previewHtml(), preview);
}

QTEST_MAIN(ResultsControllerTest)
#include "tst_resultscontroller.moc"
