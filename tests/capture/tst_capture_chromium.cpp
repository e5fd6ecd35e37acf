#include <QTest>

#include "capture/Capture.h"
#include "capture/GetCommand.h"
#include "capture/PreviewPage.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "results/SelectionCommands.h"
#include "support/ChromiumProcess.h"
#include "support/FakeDesktop.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using vorlaken::test::ChromiumProcess;
using vorlaken::test::LoopbackHttpServer;

namespace {

// A transparent 1x1 GIF: every picture of the fixture pages loads.
const QByteArray kGif =
    QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");

}  // namespace

// The capture and the preview read back through a real headless Chromium: a page with linked,
// duplicate and INPUT pictures, a same-origin frame holding a frame of its own, a cross-origin frame.
class CaptureChromiumTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void getCapturesPageAndDirectFrames();
    void previewValuesReadBackUnchanged();

  private:
    BrowserPtr open(const QString& url);

    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;
};

void CaptureChromiumTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    for (const char* name : {"1", "2", "small", "in", "f1", "f2", "f3", "f4", "f5", "nested", "c1"}) {
        server_.addPage(QStringLiteral("/g/%1.gif").arg(QLatin1String(name)), kGif, "image/gif");
    }
    server_.addPage("/G/1.GIF", kGif, "image/gif");
    server_.addPage(
        "/d/top.html",
        "<html><head><title>Top</title></head><body>\n"
        "<a href=\"/big/1.htm\"><img src=\"/g/1.gif\" width=\"120\" height=\"90\"></a>\n"
        "<a href=\"./b.htm\"><img src=\"/g/2.gif\" width=\"100\" height=\"100\"></a>\n"
        "<img src=\"/G/1.GIF\" width=\"50\" height=\"50\">\n"
        "<p><img src=\"/g/small.gif\" width=\"10\" height=\"10\"> <a href=\"/next.htm\">next</a></p>\n"
        "<input type=\"image\" src=\"/g/in.gif\" width=\"30\" height=\"20\">\n"
        "<iframe src=\"/frame.html\"></iframe>\n" +
            QString("<iframe src=\"%1\"></iframe>\n").arg(server_.localhostUrl("/cross.html")).toUtf8() +
            "</body></html>");
    server_.addPage(
        "/frame.html",
        "<html><head><title>Frame</title></head><body>"
        "<img src=\"/g/f1.gif\" width=\"11\" height=\"11\"><img src=\"/g/f2.gif\" width=\"12\" height=\"12\">"
        "<img src=\"/g/f3.gif\" width=\"13\" height=\"13\"><img src=\"/g/f4.gif\" width=\"14\" height=\"14\">"
        "<img src=\"/g/f5.gif\" width=\"15\" height=\"15\"><iframe src=\"/nested.html\"></iframe>"
        "</body></html>");
    server_.addPage("/nested.html",
                    "<html><head><title>Nested</title></head><body>"
                    "<img src=\"/g/nested.gif\" width=\"16\" height=\"16\"></body></html>");
    server_.addPage("/cross.html",
                    "<html><head><title>Cross</title></head><body>"
                    "<img src=\"/g/c1.gif\" width=\"17\" height=\"17\"></body></html>");

    chromium_ = std::make_unique<ChromiumProcess>();
    QVERIFY2(chromium_->start(QStringLiteral("about:blank")), qPrintable(chromium_->errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toLatin1());
}

void CaptureChromiumTest::cleanupTestCase() {
    chromium_.reset();
    qunsetenv("VORLAKEN_DEVTOOLS");
}

BrowserPtr CaptureChromiumTest::open(const QString& url) {
    BrowserPtr browser = DevToolsBrowserFinder().discover();
    if (!browser) {
        return nullptr;
    }
    browser->navigate(url);
    const bool loaded = QTest::qWaitFor(
        [&] {
            try {
                return browser->locationUrl() == url && browser->document()->url() == url;
            } catch (const PageError&) {
                return false;
            }
        },
        15000);
    return loaded ? browser : nullptr;
}

void CaptureChromiumTest::getCapturesPageAndDirectFrames() {
    const QString top = server_.url("/d/top.html?x=1#y");
    QVERIFY(open(top));

    CaptureState state;
    state.mainFilters.widthLimit = 0;
    state.mainFilters.heightLimit = 0;
    state.specialProcess = true;
    state.linkNearBy = true;
    DevToolsBrowserFinder finder;
    int renders = 0;
    GetCommand get(finder, [&] { ++renders; });
    // The frames load on their own: wait until every picture of the top page and both frames is in.
    QVERIFY(QTest::qWaitFor(
        [&] {
            get.run(state, false);
            return state.table.size() == 10;
        },
        15000));

    const QString frame = server_.url("/frame.html");
    const QString cross = server_.localhostUrl("/cross.html");
    QStringList expected = {
        server_.url("/g/1.gif") + "|120*90|" + server_.url("/big/1.htm") + "|" + top,
        server_.url("/g/2.gif") + "|100*100|" + server_.url("/d/./b.htm") + "|" + top,
        server_.url("/g/small.gif") + "|10*10|" + server_.url("/next.htm") + "|" + top,  // near-by link
        server_.url("/g/in.gif") + "|30*20|-|" + top,
    };
    for (int i = 1; i <= 5; ++i) {
        expected << server_.url(QStringLiteral("/g/f%1.gif").arg(i)) + QStringLiteral("|1%1*1%1|-|").arg(i) +
                        frame;
    }
    expected << server_.localhostUrl("/g/c1.gif") + "|17*17|-|" + cross;
    QStringList rows;
    for (int i = 0; i < state.table.size(); ++i) {
        const QString link = state.table.linkUrl[i] == kPlaceholderLinkUrl ? "-" : state.table.linkUrl[i];
        rows << state.table.picUrl[i] + '|' + state.table.sizeText[i] + '|' + link + '|' +
                    state.table.pageUrl[i];
    }
    // Not captured: the case twin of 1.gif and the frame's own frame.
    QCOMPARE(rows, expected);

    QCOMPARE(state.titleItems, (QStringList{"Top", "Frame", "Cross"}));
    QCOMPARE(state.titleText, QString("Frame"));  // the frame has the most pictures
    QCOMPARE(state.locationText, top);            // the location stays the top page's
    QCOMPARE(state.countLabel, QString("10"));
    QCOMPARE(state.savedLabel, QString("Saved:0/0"));
    QVERIFY(state.getEnabled && state.saveEnabled);
    QVERIFY(renders > 0);
}

void CaptureChromiumTest::previewValuesReadBackUnchanged() {
    // The preview page lives in a local document; a web page is never read back as one.
    BrowserPtr zone = open("about:blank");
    QVERIFY(zone);

    CaptureState state;
    const QString hostile = "1*1\"><img src=x onerror=\"document.title='pwned'\">";
    state.table.append(server_.url("/g/1.gif?a=1&b=2"), hostile, server_.url("/l.htm?a=1&b=2"),
                       "x' onmouseover='document.title=1' \"&lt;");
    state.table.append(server_.url("/g/2.gif"), "100*100", kPlaceholderLinkUrl, server_.url("/p.htm"));
    const CaptureTable before = state.table;
    PreviewOptions options;
    options.availableWidth = 430;
    auto render = [&] { RenderPreview(state, *zone, options); };
    render();
    QCOMPARE(zone->document()->images()->length(), 2);

    FakeDesktop desktop;
    SelectionCommands selection(*zone, desktop, render);
    selection.deselectAll();
    selection.selectAll();
    selection.reduceToSelection(state, SelectionCommands::Reduce::KeepChecked);
    QCOMPARE(state.table.picUrl, before.picUrl);
    QCOMPARE(state.table.sizeText, before.sizeText);
    QCOMPARE(state.table.linkUrl, before.linkUrl);
    QCOMPARE(state.table.pageUrl, before.pageUrl);
    QCOMPARE(zone->document()->title(), QString());  // no value turned into markup
    QVERIFY(desktop.messages.isEmpty());
}

QTEST_GUILESS_MAIN(CaptureChromiumTest)
#include "tst_capture_chromium.moc"
