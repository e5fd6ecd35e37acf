// The capture over the companion extension gives what the capture over the DevTools endpoint gives,
// in real headless Chromium (one browser, both ways in) and firefox-esr: a gallery with same-origin
// and cross-site frames, a frame in a frame, a frame added by script and a picture still loading, and a
// hostile page.
#include <QJsonArray>
#include <QTest>

#include "../devtools/BrowserProbe.h"
#include "../devtools/GalleryFixture.h"
#include "CompanionProbe.h"
#include "capture/CaptureState.h"
#include "capture/GetCommand.h"
#include "platform/companion/CompanionBrowserFinder.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "support/ChromiumProcess.h"
#include "support/CompanionRuntime.h"
#include "support/FirefoxProcess.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

// A page that lies to scripts of its own world: the getters the capture reads are replaced, and
// titles and addresses carry markup. Nothing of it may run, and the values come back as written.
const char kHostile[] = R"(<!DOCTYPE html>
<html><head><title>&lt;script&gt;window.ran=1&lt;/script&gt; "q" &amp; 'a'</title></head><body>
<a href="javascript:window.ran=2"><img src="/img/red.png?a=&quot;&gt;&lt;script&gt;window.ran=3&lt;/script&gt;" width="41"></a>
<a href="/x?&lt;b&gt;=&amp;amp;"><img src="/img/green.png" alt="&quot; onerror=&quot;window.ran=4"></a>
<script>
  const lie = { get() { window.ran = 5; return 'http://liar.test/'; }, configurable: true };
  Object.defineProperty(HTMLImageElement.prototype, 'src', lie);
  Object.defineProperty(HTMLAnchorElement.prototype, 'href', lie);
  Object.defineProperty(Document.prototype, 'title', lie);
  Array.prototype.push = function () { window.ran = 6; };
  Element.prototype.getAttribute = function () { window.ran = 7; return 'lie'; };
</script>
</body></html>
)";

// Every row and the titles as lines, so that a difference shows where it is.
QStringList describe(const CaptureState& state) {
    QStringList lines;
    for (int i = 0; i < state.table.size(); ++i) {
        lines << QStringList{state.table.picUrl[i], state.table.sizeText[i], state.table.linkUrl[i],
                             state.table.pageUrl[i]}
                     .join(QLatin1Char(' '));
    }
    lines << QStringLiteral("titles: ") + state.titleItems.join(QStringLiteral(" | "));
    lines << QStringLiteral("title: ") + state.titleText << QStringLiteral("location: ") + state.locationText
          << QStringLiteral("count: ") + state.countLabel;
    return lines;
}

// Captures with every pass switched on and no size limit, so that every read of the capture is made.
CaptureState capture(BrowserFinder& finder) {
    CaptureState state;
    state.mainFilters.widthLimit = 0;
    state.mainFilters.heightLimit = 0;
    state.specialProcess = true;
    state.linkNearBy = true;
    GetCommand(finder, [] {}).Run(state, false);
    return state;
}

// The gallery has loaded as far as it will before the slow picture comes: its three frames are there
// and complete, and the pictures before the slow one are too.
bool galleryLoaded(Browser& page) {
    try {
        const std::vector<BrowserPtr> frames = page.frames();
        if (frames.size() != 3)
            return false;
        for (const BrowserPtr& frame : frames) {
            if (!frame || companionprobe::readyState(*frame) != QLatin1String("complete"))
                return false;
        }
        const std::vector<ElementData> images = page.document()->images()->read(kComplete);
        return images.size() == 4 && images[0].complete && images[1].complete && images[2].complete;
    } catch (const PageError&) {
        return false;
    }
}

// The size the browser gives the picture that is still loading, as a capture writes it.
QString loadingSize(Browser& page) {
    const ElementData slow = page.document()->images()->read(kWidth | kHeight).at(3);
    return QStringLiteral("%1*%2").arg(slow.width).arg(slow.height);
}

}  // namespace

class CompanionCaptureTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void chromiumGivesTheRowsOfDevTools_data();
    void chromiumGivesTheRowsOfDevTools();
    void firefoxGivesTheRowsOfChromium();

  private:
    LoopbackHttpServer server_;
    CompanionRuntime runtime_;
    ChromiumProcess chromium_;
};

void CompanionCaptureTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    gallery::serve(server_);
    server_.addPage(QStringLiteral("/hostile.html"), kHostile);
    QVERIFY2(chromium_.start(QStringLiteral("about:blank"), runtime_.prepare(chromium_)),
             qPrintable(chromium_.errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium_.endpoint().toLatin1());
    QVERIFY(runtime_.waitForBrowser());
}

void CompanionCaptureTest::chromiumGivesTheRowsOfDevTools_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("gallery") << QStringLiteral("/gallery.html");
    QTest::newRow("hostile page") << QStringLiteral("/hostile.html");
}

void CompanionCaptureTest::chromiumGivesTheRowsOfDevTools() {
    QFETCH(QString, path);
    const BrowserPtr page = probe::openPage(server_.url(path));
    QVERIFY(page);
    QVERIFY(QTest::qWaitFor(
        [&] { return path != QLatin1String("/gallery.html") || galleryLoaded(*runtime_.waitForBrowser()); },
        20000));

    DevToolsBrowserFinder devTools;
    CompanionBrowserFinder companion(runtime_.socketFolder());
    const QStringList overDevTools = describe(capture(devTools));
    const QStringList overCompanion = describe(capture(companion));
    QCOMPARE(overCompanion, overDevTools);
    QVERIFY(overDevTools.size() > 4);
    QVERIFY(probe::evaluateInPage(*page, QStringLiteral("window.ran === undefined")).toBool());

    if (path == QLatin1String("/hostile.html")) {
        // And both are the page's true values.
        const QString red =
            server_.url(QStringLiteral("/img/red.png?a=%22%3E%3Cscript%3Ewindow.ran=3%3C/script%3E"));
        QCOMPARE(overCompanion.first(),
                 red + QStringLiteral(" 41*31 javascript:window.ran=2 ") + server_.url(path));
        QCOMPARE(overCompanion.at(3), QStringLiteral("title: <script>window.ran=1</script> \"q\" & 'a'"));
    }
}

void CompanionCaptureTest::firefoxGivesTheRowsOfChromium() {
    VORLAKEN_REQUIRE_FIREFOX();
    const QString url = server_.url(QStringLiteral("/gallery.html"));
    const BrowserPtr inChromium = probe::openPage(url);
    QVERIFY(inChromium);
    QVERIFY(QTest::qWaitFor([&] { return galleryLoaded(*runtime_.waitForBrowser()); }, 20000));
    DevToolsBrowserFinder devTools;
    QStringList expected = describe(capture(devTools));
    const QString chromiumLoading = loadingSize(*runtime_.waitForBrowser());

    CompanionRuntime firefoxRuntime;
    FirefoxProcess firefox;
    QVERIFY2(firefox.start(firefoxRuntime, url), qPrintable(firefox.errorString()));
    BrowserPtr inFirefox;
    QVERIFY(QTest::qWaitFor(
        [&] {
            inFirefox = firefoxRuntime.waitForBrowser(1000);
            return inFirefox && galleryLoaded(*inFirefox);
        },
        30000));
    CompanionBrowserFinder companion(firefoxRuntime.socketFolder());
    const QStringList got = describe(capture(companion));

    // The size of a picture that has not come yet is each browser's own.
    expected.replaceInStrings(QStringLiteral("/img/slow.png ") + chromiumLoading,
                              QStringLiteral("/img/slow.png ") + loadingSize(*inFirefox));
    QCOMPARE(got, expected);
    QCOMPARE(got.size(), 7 + 4);
}

QTEST_GUILESS_MAIN(CompanionCaptureTest)
#include "tst_companion_capture.moc"
