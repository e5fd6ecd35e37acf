#include <QJsonArray>
#include <QTest>

#include "BrowserProbe.h"
#include "GalleryFixture.h"
#include "capture/CaptureState.h"
#include "capture/GetCommand.h"
#include "capture/PreviewLayout.h"
#include "capture/PreviewPage.h"
#include "platform/devtools/DevToolsBrowser.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "support/ChromiumProcess.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using vorlaken::test::ChromiumProcess;
using vorlaken::test::LoopbackHttpServer;

using probe::evaluate;
using probe::evaluateInPage;

namespace {

bool holds(Browser& browser, const QString& expression) {
    return probe::waitFor(browser, expression, 0);
}

}  // namespace

// The capture engine and the preview page over the real attached browser.
class DevToolsCaptureTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void getCapturesTopPageAndDirectFrames();
    void previewValuesComeBackUnchanged();

  private:
    BrowserPtr open(const QString& path);

    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;
};

void DevToolsCaptureTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    gallery::serve(server_);
    chromium_ = std::make_unique<ChromiumProcess>();
    QVERIFY2(chromium_->start(QStringLiteral("about:blank")), qPrintable(chromium_->errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toLatin1());
}

BrowserPtr DevToolsCaptureTest::open(const QString& path) {
    return probe::openPage(server_.url(path));
}

void DevToolsCaptureTest::getCapturesTopPageAndDirectFrames() {
    const BrowserPtr page = open(QStringLiteral("/gallery.html"));
    QVERIFY(page);
    // Wait for the frames and the pictures that can load (the slow one keeps loading).
    QVERIFY(QTest::qWaitFor(
        [&] {
            const auto frames = page->frames();
            return frames.size() == 3 &&
                   std::all_of(frames.begin(), frames.end(),
                               [](const BrowserPtr& f) {
                                   return holds(*f, QStringLiteral("document.readyState === 'complete'"));
                               }) &&
                   holds(*page, QStringLiteral("document.images[0].complete && document.images[1].complete"));
        },
        10000));

    CaptureState state;
    state.mainFilters.widthLimit = 0;
    state.mainFilters.heightLimit = 0;
    state.specialProcess = true;
    DevToolsBrowserFinder finder;
    int rendered = 0;
    GetCommand(finder, [&rendered] { ++rendered; }).Run(state, false);

    const QString top = server_.url(QStringLiteral("/gallery.html"));
    const QString same = server_.url(QStringLiteral("/frame-same.html"));
    const QString cross = server_.localhostUrl(QStringLiteral("/frame-cross.html"));
    const QString slowSize = QStringLiteral("%1*%2")
                                 .arg(evaluate(*page, QStringLiteral("document.images[3].width")).toInt())
                                 .arg(evaluate(*page, QStringLiteral("document.images[3].height")).toInt());
    CaptureTable expected;
    expected.append(server_.url(QStringLiteral("/img/red.png")), QStringLiteral("40*30"),
                    server_.url(QStringLiteral("/big/1.html")), top);
    expected.append(server_.url(QStringLiteral("/img/green.png")), QStringLiteral("20*10"),
                    kPlaceholderLinkUrl, top);
    expected.append(server_.url(QStringLiteral("/img/blue.png")), QStringLiteral("50*60"),
                    server_.url(QStringLiteral("/rel.html")), top);  // as the browser follows it
    expected.append(server_.url(QStringLiteral("/img/slow.png")), slowSize, kPlaceholderLinkUrl, top);
    expected.append(server_.url(QStringLiteral("/img/input.png")), QStringLiteral("25*15"),
                    kPlaceholderLinkUrl, top);
    expected.append(server_.url(QStringLiteral("/img/frame.png")), QStringLiteral("30*30"),
                    kPlaceholderLinkUrl, same);
    expected.append(server_.localhostUrl(QStringLiteral("/img/cross.png")), QStringLiteral("33*22"),
                    server_.localhostUrl(QStringLiteral("/c.html")), cross);
    QCOMPARE(state.table.picUrl, expected.picUrl);
    QCOMPARE(state.table.sizeText, expected.sizeText);
    QCOMPARE(state.table.linkUrl, expected.linkUrl);
    QCOMPARE(state.table.pageUrl, expected.pageUrl);

    QCOMPARE(state.titleItems, QStringList({"Gallery & friends", "Late frame", "Same frame", "Cross frame"}));
    QCOMPARE(state.titleText, QStringLiteral("Gallery & friends"));
    QCOMPARE(state.locationText, top);
    QCOMPARE(state.countLabel, QStringLiteral("7"));
    QCOMPARE(rendered, 1);
    QVERIFY(state.saveEnabled);
}

void DevToolsCaptureTest::previewValuesComeBackUnchanged() {
    const BrowserPtr zone = open(QStringLiteral("/frame-inner.html"));
    QVERIFY(zone);
    const QString attack =
        QStringLiteral("\"><img src=x onerror=\"window.ran=1\"><script>window.ran=2</script>&amp;'");
    CaptureState state;
    // Pictures that load keep their boxes ticked; one that failed would untick its own.
    state.table.append(server_.url(QStringLiteral("/img/red.png?a\"b<script>&c'")),
                       QStringLiteral("10*20") + attack, QStringLiteral("http://h/x?a=1&b=<2>\"q\""),
                       QStringLiteral("http://p/<script>alert(1)</script>"));
    state.table.append(server_.url(QStringLiteral("/img/green.png")), QStringLiteral("0*0"),
                       kPlaceholderLinkUrl, attack);
    state.table.append(server_.url(QStringLiteral("/img/blue.png?")) + attack, QStringLiteral("5*5"),
                       QStringLiteral("javascript:window.ran=3"), QString());
    state.pageLocation = server_.url(QStringLiteral("/frame-inner.html"));

    for (bool thumbnail : {true, false}) {
        PreviewOptions options;
        options.thumbnail = thumbnail;
        options.availableWidth = 430;
        RenderPreview(state, *zone, options);

        const DocumentPtr document = zone->document();
        const CollectionPtr forms = document->forms();
        QCOMPARE(forms->length(), 1);
        QCOMPARE(forms->item(0)->getAttribute(QStringLiteral("name")), QStringLiteral("form1"));
        const std::vector<ElementData> controls =
            forms->item(0)->formElements()->read(kValue | kChecked | kType);
        QCOMPARE(int(controls.size()), PreviewLayout::kControlsPerPicture * state.table.size());
        const std::vector<ElementData> images = document->images()->read(kTagName);
        QCOMPARE(int(images.size()), state.table.size());
        const std::vector<ElementData> links = document->links()->read(kHrefAttribute);
        QCOMPARE(int(links.size()), state.table.size());
        for (int i = 0; i < state.table.size(); ++i) {
            const ElementData& box = controls[std::size_t(PreviewLayout::checkboxIndex(i))];
            QCOMPARE(box.type, QStringLiteral("checkbox"));
            QVERIFY(box.checked);
            QCOMPARE(box.value, state.table.sizeText[i]);
            QCOMPARE(controls[std::size_t(PreviewLayout::hiddenIndex(i))].value, state.table.pageUrl[i]);
            QCOMPARE(
                document->images()->item(PreviewLayout::imageIndex(i))->getAttribute(QStringLiteral("src")),
                state.table.picUrl[i]);
            QCOMPARE(links[std::size_t(PreviewLayout::linkIndex(i))].hrefAttribute, state.table.linkUrl[i]);
        }
        QCOMPARE(evaluate(*zone, QStringLiteral("document.body.getAttribute('bgcolor')")).toString(),
                 QStringLiteral("#FEF9ED"));
    }
    // An escaped value that slipped through would run once its broken picture ended loading.
    QVERIFY(probe::waitFor(
        *zone, QStringLiteral("Array.prototype.every.call(document.images, i => i.complete)"), 20000));
    QVERIFY(evaluateInPage(*zone, QStringLiteral("window.ran === undefined")).toBool());
    QCOMPARE(evaluate(*zone, QStringLiteral("document.scripts.length")).toInt(), 0);
}

QTEST_GUILESS_MAIN(DevToolsCaptureTest)
#include "tst_DevToolsCapture.moc"
