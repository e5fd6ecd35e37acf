#include <QTest>

#include "capture/PageBody.h"
#include "capture/PreviewPage.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "results/CommentCommands.h"
#include "results/OriginPage.h"
#include "results/UrlList.h"
#include "support/BrowserDiscovery.h"
#include "support/ChromiumProcess.h"
#include "support/FakeDesktop.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using vorlaken::test::ChromiumProcess;
using vorlaken::test::LoopbackHttpServer;

namespace {

const QByteArray kGif =
    QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");

}  // namespace

// The result commands on real pages of a headless Chromium. The page /zones.html holds three frames
// standing in for the preview zone, the origin page and the comment panel.
class ResultsChromiumTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void displayOnOriginPage();
    void displayWithoutOriginContent();
    void urlListInPanel();
    void onlyTextAndPictures();

  private:
    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;
    BrowserPtr preview_;
    BrowserPtr origin_;
    BrowserPtr panel_;
    CaptureState state_;
    FakeDesktop desktop_;
};

void ResultsChromiumTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    server_.addPage("/g/1.gif", kGif, "image/gif");
    server_.addPage("/g/2.gif", kGif, "image/gif");
    server_.addPage("/g/other.gif", kGif, "image/gif");
    server_.addPage("/zones.html",
                    "<html><head><title>Zones</title></head><body>"
                    "<iframe src=\"about:blank\"></iframe><iframe src=\"/origin.html\"></iframe>"
                    "<iframe src=\"/panel.html\"></iframe></body></html>");
    server_.addPage("/origin.html",
                    "<html><head><title>Origin</title></head><body><p id=own>own content</p>"
                    "<img src=\"/g/other.gif\"></body></html>");
    server_.addPage("/panel.html",
                    "<html><head><title>Panel</title></head><body contenteditable=true></body></html>");

    chromium_ = std::make_unique<ChromiumProcess>();
    QVERIFY2(chromium_->start(QStringLiteral("about:blank")), qPrintable(chromium_->errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toLatin1());
}

void ResultsChromiumTest::init() {
    DevToolsBrowserFinder finder;
    BrowserPtr top = test::DiscoverWhenReady(finder);
    QVERIFY(top);
    const QString url = server_.url("/zones.html");
    top->navigate(url);
    std::vector<BrowserPtr> frames;
    QVERIFY(QTest::qWaitFor(
        [&] {
            try {
                if (top->document()->url() != url) {
                    return false;
                }
                frames = top->frames();
                if (frames.size() != 3) {
                    return false;
                }
                // The preview, like the program's, is a local document; the other two are web pages.
                if (!frames[0] || frames[0]->document()->url() != QStringLiteral("about:blank")) {
                    return false;
                }
                for (std::size_t i = 1; i < frames.size(); ++i) {
                    if (!frames[i] || frames[i]->document()->title().isEmpty()) {
                        return false;
                    }
                }
                return true;
            } catch (const PageError&) {
                return false;
            }
        },
        15000));
    preview_ = frames[0];
    origin_ = frames[1];
    panel_ = frames[2];

    state_ = CaptureState();
    state_.table.append(server_.url("/g/1.gif"), "10*10", server_.url("/big/1.htm?a=1&b=2"),
                        server_.url("/p"));
    state_.table.append(server_.url("/g/2.gif"), "20*20", kPlaceholderLinkUrl, server_.url("/p"));
    PreviewOptions options;
    options.availableWidth = 430;
    RenderPreview(state_, *preview_, options);
    desktop_ = FakeDesktop();
}

void ResultsChromiumTest::cleanupTestCase() {
    preview_.reset();
    origin_.reset();
    panel_.reset();
    chromium_.reset();
    qunsetenv("VORLAKEN_DEVTOOLS");
}

void ResultsChromiumTest::displayOnOriginPage() {
    OriginPage::Display(origin_, *preview_, false, desktop_);
    DocumentPtr page = origin_->document();
    const std::vector<ElementData> images =
        page->images()->read(kSrc | kParentTagName | kParentHrefAttribute);
    QCOMPARE(images.size(), std::size_t(3));
    QCOMPARE(images[0].src, server_.url("/g/1.gif"));
    QCOMPARE(images[0].parentTagName, QString("A"));
    QCOMPARE(images[0].parentHrefAttribute, server_.url("/big/1.htm?a=1&b=2"));
    QCOMPARE(images[1].src, server_.url("/g/2.gif"));
    QCOMPARE(images[1].parentTagName, QString("TD"));      // no anchor for a picture without link
    QCOMPARE(images[2].src, server_.url("/g/other.gif"));  // the page's own content stays below
    const QString text = PageBody(*origin_)->outerText();
    QVERIFY(text.contains("origin content"));
    QVERIFY(text.indexOf("reload") < text.indexOf("own content"));
    QVERIFY(desktop_.messages.isEmpty());
}

void ResultsChromiumTest::displayWithoutOriginContent() {
    OriginPage::Display(origin_, *preview_, true, desktop_);
    const std::vector<ElementData> images = origin_->document()->images()->read(kSrc);
    QCOMPARE(images.size(), std::size_t(2));
    const QString text = PageBody(*origin_)->outerText();
    QVERIFY(!text.contains("own content"));
    QVERIFY(!text.contains("origin content"));
    QVERIFY(text.contains("reload"));
}

void ResultsChromiumTest::urlListInPanel() {
    CommentPanelState state;
    CommentPanel panel(state, *panel_);
    UrlList::Show(UrlList::Kind::PictureLinks, *preview_, panel, desktop_);
    const QStringList lines = PageBody(*panel_)->outerText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{"Picture Links:", server_.url("/big/1.htm?a=1&b=2"),
                                 "Link URLs:", "[url]" + server_.url("/big/1.htm?a=1&b=2") + "[/url]"}));
    QVERIFY(state.visible);
}

void ResultsChromiumTest::onlyTextAndPictures() {
    const QString captured = server_.url("/g/1.gif");
    PageBody(*panel_)->setInnerHtml("Nice one<br><img src=\"" + captured + "\"><div><img src=\"" +
                                    server_.url("/g/other.gif") +
                                    "\"></div><p>More &lt;b&gt;</p><img src=\"" + captured + "\">");
    CommentPanelState state;
    CommentPanel panel(state, *panel_);
    CommentCommands::OnlyTextAndPictures(panel, state_.table, desktop_);
    QVERIFY(desktop_.messages.isEmpty());

    const std::vector<ElementData> images = panel_->document()->images()->read(kSrc);
    QCOMPARE(images.size(), std::size_t(2));  // the captured picture twice, the other one gone
    QCOMPARE(images[0].src, captured);
    QCOMPARE(images[1].src, captured);
    const QStringList lines = PageBody(*panel_)->outerText().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, (QStringList{"Nice one", "More <b>"}));  // typed markup stays text
}

QTEST_GUILESS_MAIN(ResultsChromiumTest)
#include "tst_results_chromium.moc"
