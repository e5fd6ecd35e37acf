// Capture time of a large page in real headless Chromium against the floor: one evaluation per
// document that collects the same fields. The same capture is made over the DevTools endpoint and over
// the companion extension, in one browser. Prints capture_ms, capture_floor_ms, capture_ratio,
// capture_companion_ms and capture_companion_ratio.

#include <algorithm>
#include <cstdio>
#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QTest>

#include "capture/Capture.h"
#include "capture/CaptureState.h"
#include "platform/companion/CompanionBrowserFinder.h"
#include "platform/devtools/DevToolsBrowser.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "platform/devtools/PageScripts.h"
#include "support/ChromiumProcess.h"
#include "support/CompanionRuntime.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;

namespace {

constexpr int kTopPictures = 1000;
constexpr int kFramePictures = 100;
constexpr int kRuns = 9;

// A 1x1 GIF, written out byte by byte.
const QByteArray kGif = QByteArray::fromHex(
    "47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");

// count pictures, every second one inside a link, with text and other elements between them.
QByteArray picturesPage(const QString& title, const QString& prefix, int count, const QString& frames) {
    QString html = QStringLiteral("<!DOCTYPE html><html><head><title>%1</title></head><body>\n").arg(title);
    for (int i = 0; i < count; ++i) {
        const QString img =
            QStringLiteral("<img src=\"/img/p.gif?%1%2\" width=\"100\" height=\"80\">").arg(prefix).arg(i);
        if (i % 2 == 0) {
            html +=
                QStringLiteral("<div><a href=\"/big/%1%2.html\">%3</a></div>\n").arg(prefix).arg(i).arg(img);
        } else {
            html += QStringLiteral("<div><span>picture %1</span> %2</div>\n").arg(i).arg(img);
        }
    }
    html += frames + QStringLiteral("<a href=\"/next.html\">next</a></body></html>\n");
    return html.toUtf8();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The fewest evaluations that collect what a capture needs: one per document.
void floorRead(const std::vector<FrameContext>& documents) {
    const unsigned imageFields = kSrc | kWidth | kHeight | kParentTagName | kParentLinkAddress | kSourceIndex;
    const unsigned allFields = kTagName | kLinkAddress | kType | kSrc | kWidth | kHeight;
    const QString script = PageScripts::program(
        QStringLiteral(
            "const all = document.getElementsByTagName('*'); const pos = new Map();"
            " for (let i = 0; i < all.length; i++) pos.set(all[i], i);"
            " return [document.URL, document.title, Array.from(document.images, e => D(e, %1, pos)),"
            " Array.from(all, e => D(e, %2, pos))];")
            .arg(imageFields)
            .arg(allFields));
    for (const FrameContext& document : documents) {
        const QJsonArray result = document.evaluate(script).toArray();
        std::vector<ElementData> rows;
        for (const QJsonValue& row : result.at(2).toArray()) {
            rows.push_back(PageScripts::parseRow(row, imageFields));
        }
        for (const QJsonValue& row : result.at(3).toArray()) {
            rows.push_back(PageScripts::parseRow(row, allFields));
        }
        if (rows.empty()) {
            qFatal("floor read found nothing");
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (!test::ChromiumProcess::available()) {
        std::printf("skipped no_chromium\n");
        return 0;
    }
    test::LoopbackHttpServer server;
    if (!server.listen()) {
        qFatal("no port for the page server");
    }
    server.addPage(QStringLiteral("/img/p.gif"), kGif, "image/gif");
    const QString frames =
        QStringLiteral("<iframe src=\"/frame.html\"></iframe><iframe src=\"%1\"></iframe>\n")
            .arg(server.localhostUrl(QStringLiteral("/cross.html")));
    server.addPage(QStringLiteral("/page.html"),
                   picturesPage(QStringLiteral("Top"), QStringLiteral("t"), kTopPictures, frames));
    server.addPage(QStringLiteral("/frame.html"),
                   picturesPage(QStringLiteral("Frame"), QStringLiteral("f"), kFramePictures, {}));
    server.addPage(QStringLiteral("/cross.html"),
                   picturesPage(QStringLiteral("Cross"), QStringLiteral("c"), kFramePictures, {}));

    test::CompanionRuntime runtime;
    test::ChromiumProcess chromium;
    if (!chromium.start(server.url(QStringLiteral("/page.html")), runtime.prepare(chromium))) {
        qFatal("chromium: %s", qPrintable(chromium.errorString()));
    }
    qputenv("VORLAKEN_DEVTOOLS", chromium.endpoint().toLatin1());

    BrowserPtr browser;
    std::vector<BrowserPtr> children;
    const bool ready = QTest::qWaitFor(
        [&] {
            try {
                browser = DevToolsBrowserFinder().discover();
                if (!browser || browser->document()->images()->length() != kTopPictures) {
                    return false;
                }
                children = browser->frames();
                if (children.size() != 2) {
                    return false;
                }
                for (const BrowserPtr& frame : children) {
                    if (frame->document()->images()->length() != kFramePictures) {
                        return false;
                    }
                }
                // Pictures still arriving would change the layout under the measurement.
                children.insert(children.begin(), browser);
                const bool loaded = std::all_of(children.begin(), children.end(), [](const BrowserPtr& b) {
                    return static_cast<DevToolsBrowser&>(*b)
                        .frame()
                        .evaluate(
                            QStringLiteral("document.readyState === 'complete' && "
                                           "Array.prototype.every.call(document.images, i => i.complete)"))
                        .toBool();
                });
                children.erase(children.begin());
                return loaded;
            } catch (const PageError&) {
                return false;
            }
        },
        30000);
    if (!ready) {
        qFatal("the page did not load");
    }

    // The same page through the extension.
    BrowserPtr companion;
    const bool companionReady = QTest::qWaitFor(
        [&] {
            try {
                companion = CompanionBrowserFinder(runtime.socketFolder()).discover();
                return companion && companion->locationUrl() == server.url(QStringLiteral("/page.html"));
            } catch (const PageError&) {
                return false;
            }
        },
        30000);
    if (!companionReady) {
        qFatal("the extension did not show the page");
    }

    CaptureState state;
    state.attached = browser;
    state.specialProcess = true;
    state.linkNearBy = true;
    state.mainFilters.widthLimit = 0;
    state.mainFilters.heightLimit = 0;
    CaptureState overCompanion = state;
    overCompanion.attached = companion;

    std::vector<FrameContext> documents{static_cast<DevToolsBrowser&>(*browser).frame()};
    for (const BrowserPtr& frame : children) {
        documents.push_back(static_cast<DevToolsBrowser&>(*frame).frame());
    }

    // One untimed round of each warms both paths (isolated worlds, script compilation).
    Capture(state, false);
    floorRead(documents);
    Capture(overCompanion, false);
    const int rows = state.table.size();
    if (overCompanion.table.picUrl != state.table.picUrl) {
        qFatal("the capture over the extension found other pictures");
    }

    std::vector<double> captureMs;
    std::vector<double> floorMs;
    std::vector<double> companionMs;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer clock;
        clock.start();
        Capture(state, false);
        captureMs.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        floorRead(documents);
        floorMs.push_back(clock.nsecsElapsed() / 1e6);
        clock.restart();
        Capture(overCompanion, false);
        companionMs.push_back(clock.nsecsElapsed() / 1e6);
    }
    const double capture = median(captureMs);
    const double floor = median(floorMs);
    const double overExtension = median(companionMs);
    std::printf("capture_rows %d\n", rows);
    std::printf("capture_ms %.1f\n", capture);
    std::printf("capture_floor_ms %.1f\n", floor);
    std::printf("capture_ratio %.2f\n", capture / floor);
    std::printf("capture_companion_ms %.1f\n", overExtension);
    std::printf("capture_companion_ratio %.2f\n", overExtension / floor);
    return 0;
}
