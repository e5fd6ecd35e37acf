// A large page in real headless Chromium: 10,000 pictures in the top document and 20 frames of 100
// pictures each, half of them of another origin (out of process). Prints:
// - capture_10k_rows, capture_10k_ms: one capture with "special process" and "Link near by" on (the
//   options that read more than the pictures), median of the runs; capture_floor_ms and capture_ratio
//   against the floor, one evaluation per document collecting the pictures' fields and those of every
//   element;
// - preview_10k_ms: RenderPreview of those rows into a real Qt WebEngine zone showing the preview
//   template, from the call until the zone reports every picture of the page loaded;
// - rss_10k_mb: the growth of this process's peak resident memory across the first capture and that
//   render;
// - capture_companion_ms, capture_companion_ratio: the same capture over the companion extension in the
//   same browser, against the same floor.
#include <algorithm>
#include <cstdio>
#include <vector>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include "capture/Capture.h"
#include "capture/CaptureState.h"
#include "capture/PreviewPage.h"
#include "platform/companion/CompanionBrowserFinder.h"
#include "platform/devtools/DevToolsBrowser.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "platform/devtools/PageScripts.h"
#include "platform/webzone/ScriptRunner.h"
#include "platform/webzone/SilentPage.h"
#include "platform/webzone/WebZone.h"
#include "support/ChromiumProcess.h"
#include "support/CompanionRuntime.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;

namespace {

constexpr int kTopPictures = 10000;
constexpr int kFrames = 20;
constexpr int kFramePictures = 100;
constexpr int kAllPictures = kTopPictures + kFrames * kFramePictures;
constexpr int kRuns = 5;

// A 1x1 GIF, written out byte by byte.
const QByteArray kGif = QByteArray::fromHex(
    "47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");

// count pictures, every second one inside a link, with text and other elements between them. The
// addresses differ in their fragment only, so each is a picture of its own while the browsers fetch the
// one file once: what is measured is the program's work, not that of a server answering 12,000 times.
QByteArray picturesPage(const QString& title, const QString& prefix, int count, const QString& frames) {
    QString html = QStringLiteral("<!DOCTYPE html><html><head><title>%1</title></head><body>\n").arg(title);
    for (int i = 0; i < count; ++i) {
        const QString img =
            QStringLiteral("<img src=\"/img/p.gif#%1%2\" width=\"100\" height=\"80\">").arg(prefix).arg(i);
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

// A value of /proc/self/status in kB; -1 when it cannot be read.
qint64 statusKb(const QByteArray& key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':')) {
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
        }
    }
    return -1;
}

// Starts the peak resident size afresh from the current one.
bool resetPeakMemory() {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
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

// Every picture of the documents has ended loading.
bool allLoaded(const std::vector<FrameContext>& documents) {
    return std::all_of(documents.begin(), documents.end(), [](const FrameContext& document) {
        return document
            .evaluate(QStringLiteral("document.readyState === 'complete' && "
                                     "Array.prototype.every.call(document.images, i => i.complete)"))
            .toBool();
    });
}

// The documents of the page once it is there with all its frames and pictures.
std::vector<FrameContext> loadedDocuments(BrowserPtr& browser) {
    std::vector<FrameContext> documents;
    const bool ready = QTest::qWaitFor(
        [&] {
            try {
                documents.clear();
                browser = DevToolsBrowserFinder().discover();
                if (!browser || browser->document()->images()->length() != kTopPictures) {
                    return false;
                }
                documents.push_back(static_cast<DevToolsBrowser&>(*browser).frame());
                for (const BrowserPtr& frame : browser->frames()) {
                    if (!frame || frame->document()->images()->length() != kFramePictures) {
                        return false;
                    }
                    documents.push_back(static_cast<DevToolsBrowser&>(*frame).frame());
                }
                // Pictures still arriving would change the layout under the measurement.
                return documents.size() == std::size_t(kFrames + 1) && allLoaded(documents);
            } catch (const PageError&) {
                return false;
            }
        },
        120000);
    if (!ready) {
        qFatal("the page did not load");
    }
    return documents;
}

// Writes the rows into the zone and waits until the zone reports every picture of them loaded.
double renderUntilLoaded(CaptureState& state, WebZone& zone, const ScriptRunner& zoneScript) {
    PreviewOptions options;
    options.availableWidth = 1000;
    const QString loaded = QStringLiteral(
                               "return document.images.length === %1 && "
                               "Array.prototype.every.call(document.images, i => i.complete);")
                               .arg(state.table.size());
    QElapsedTimer clock;
    clock.start();
    RenderPreview(state, zone, options);
    const bool done = QTest::qWaitFor(
        [&] {
            try {
                return zoneScript.run(loaded).toBool();
            } catch (const PageError&) {
                return false;
            }
        },
        120000);
    const double ms = clock.nsecsElapsed() / 1e6;
    if (!done) {
        qFatal("the preview did not load its pictures");
    }
    return ms;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!test::ChromiumProcess::available()) {
        std::printf("skipped no_chromium\n");
        return 0;
    }
    test::LoopbackHttpServer server;
    if (!server.listen()) {
        qFatal("no port for the page server");
    }
    server.addPage(QStringLiteral("/img/p.gif"), kGif, "image/gif");
    QString frames;
    for (int f = 0; f < kFrames; ++f) {
        const QString path = QStringLiteral("/frame%1.html").arg(f);
        server.addPage(path, picturesPage(QStringLiteral("Frame %1").arg(f), QStringLiteral("f%1_").arg(f),
                                          kFramePictures, {}));
        // Every second frame comes from another origin, so the browser keeps it in its own process.
        frames += QStringLiteral("<iframe src=\"%1\"></iframe>\n")
                      .arg(f % 2 == 0 ? path : server.localhostUrl(path));
    }
    server.addPage(QStringLiteral("/page.html"),
                   picturesPage(QStringLiteral("Top"), QStringLiteral("t"), kTopPictures, frames));

    test::CompanionRuntime runtime;
    test::ChromiumProcess chromium;
    if (!chromium.start(server.url(QStringLiteral("/page.html")), runtime.prepare(chromium))) {
        qFatal("chromium: %s", qPrintable(chromium.errorString()));
    }
    qputenv("VORLAKEN_DEVTOOLS", chromium.endpoint().toLatin1());
    BrowserPtr browser;
    const std::vector<FrameContext> documents = loadedDocuments(browser);
    // The preview zone as the program has it: the template from the program folder, offscreen.
    QWebEngineView view;
    view.resize(1100, 800);
    view.show();
    const QString programDir = QStringLiteral(VORLAKEN_PROGRAM_DIR "/");
    WebZone zone(&view, QUrl::fromLocalFile(programDir), 60000);
    QSignalSpy templateDone(&zone, &WebZone::documentComplete);
    zone.navigate(programDir + QStringLiteral("grabnest.htm"));
    if (!templateDone.wait(30000)) {
        qFatal("the preview template did not load");
    }
    const ScriptRunner zoneScript(zone.page(), 60000);

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

    // The first capture and render of the process, as after "Get": its memory growth.
    if (!resetPeakMemory()) {
        qFatal("the peak resident size cannot be reset");
    }
    const qint64 before = statusKb("VmRSS");
    Capture(state, false);
    const int rows = state.table.size();
    if (rows != kAllPictures) {
        qFatal("the capture found %d pictures", rows);
    }
    const double preview = renderUntilLoaded(state, zone, zoneScript);
    const qint64 growthKb = statusKb("VmHWM") - before;
    Capture(overCompanion, false);
    if (overCompanion.table.picUrl != state.table.picUrl) {
        qFatal("the capture over the extension found other pictures");
    }

    floorRead(documents);  // warms its path as the capture above warmed the capture's
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
    std::printf("capture_10k_rows %d\n", rows);
    std::printf("capture_10k_ms %.1f\n", capture);
    std::printf("capture_floor_ms %.1f\n", floor);
    std::printf("capture_ratio %.2f\n", capture / floor);
    std::printf("preview_10k_ms %.1f\n", preview);
    std::printf("rss_10k_mb %.1f\n", double(growthKb) / 1024.0);
    std::printf("capture_companion_ms %.1f\n", overExtension);
    std::printf("capture_companion_ratio %.2f\n", overExtension / floor);
    return 0;
}
