// A save run of 200 pictures of about 200 KB through the run's own disk cache reader, over a simple
// cache of 20,000 entries written in Chromium's format. The run is the program's: it reads the ticks
// from the preview page in a Qt WebEngine zone, shows its progress in the progress window and works
// with the Qt desktop (in bus mode, so that a message collected is printed instead of waiting for a
// click).
// - save_ms, wget_ms, save_ratio: the cache holds none of the pictures, so each is fetched from a
//   loopback HTTP server after the one walk of the cache; against wget fetching the same list.
// - save_cached_ms: the same cache plus the 200 pictures, keyed for the page's site; every picture is
//   copied out of the cache and the server is never asked. save_cached_first_ms is the first of those
//   runs, which also materialises every body; later runs find the copies made.
// Best of five rounds each; the uncached rounds alternate with wget, so both see the same machine load.
// Then one transfer of an endless body, stopped after 1 GB: endless_mb_per_s and endless_rss_growth_mb,
// the growth of the process's peak resident memory meanwhile, which must stay within kMostGrowthMb (the
// benchmark fails otherwise).
#include <algorithm>
#include <cstdio>

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include "SimpleCacheWriter.h"
#include "capture/CaptureState.h"
#include "capture/PreviewPage.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/webzone/WebZone.h"
#include "save/Downloader.h"
#include "save/SaveRun.h"
#include "shell/SaveProgressWindow.h"
#include "support/LoopbackHttpServer.h"
#include "widgets/BusModeDesktop.h"

using namespace vorlaken;
using vorlaken::test::SimpleCacheWriter;

namespace {

constexpr int kPictures = 200;
constexpr int kPictureSide = 256;  // a PNG of noise this wide and high holds about 200 KB
constexpr int kOtherEntries = 20000;
constexpr int kRounds = 5;

// Picture seed as a PNG the preview can show: noise, which PNG cannot make smaller.
QByteArray pictureBody(int seed) {
    QImage image(kPictureSide, kPictureSide, QImage::Format_RGB888);
    quint32 state = 2654435761u * quint32(seed + 1);
    for (int y = 0; y < kPictureSide; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < kPictureSide * 3; ++x) {
            state = state * 1664525u + 1013904223u;
            line[x] = uchar(state >> 24);
        }
    }
    QByteArray body;
    QBuffer buffer(&body);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return body;
}

qint64 chromiumTimeNow() {
    // Microseconds since 1601-01-01, as Chromium stores response times.
    return (QDateTime::currentMSecsSinceEpoch() + 11644473600000LL) * 1000;
}

QByteArray headersFor(const QByteArray& type, qsizetype length) {
    return QByteArray("HTTP/1.1 200 OK") + '\0' + "Content-Type: " + type + '\0' +
           "Content-Length: " + QByteArray::number(length) + '\0' + '\0';
}

// What a browser keeps of other sites: pages, scripts and pictures of 0.5 to 3.5 KB.
bool fillOtherEntries(const QString& folder) {
    const char* const types[] = {"image/jpeg", "image/png", "text/html", "text/javascript", "image/webp"};
    const qint64 now = chromiumTimeNow();
    for (int i = 0; i < kOtherEntries; ++i) {
        const QString site = QStringLiteral("https://site%1.example").arg(i % 50);
        const QString url = site + QStringLiteral("/dir/res%1").arg(i);
        const QByteArray body(512 + (i * 37) % 3000, char('a' + i % 26));
        if (!SimpleCacheWriter::write(
                folder, SimpleCacheWriter::keyFor(url, site), body,
                SimpleCacheWriter::responseInfo(headersFor(types[i % 5], body.size()), now)))
            return false;
    }
    return true;
}

bool addPictureEntries(const QString& folder, const QStringList& urls, const QString& site) {
    const qint64 now = chromiumTimeNow();
    for (int i = 0; i < urls.size(); ++i) {
        const QByteArray body = pictureBody(i);
        if (!SimpleCacheWriter::write(
                folder, SimpleCacheWriter::keyFor(urls[i], site), body,
                SimpleCacheWriter::responseInfo(headersFor("image/png", body.size()), now)))
            return false;
    }
    return true;
}

// The preview page of the pictures as the program renders it, every one ticked; true once every
// picture has loaded.
bool renderPreview(WebZone& preview, const QStringList& urls, const QString& pageUrl) {
    CaptureState capture;
    capture.pageLocation = pageUrl;
    for (const QString& url : urls)
        capture.table.append(url, QStringLiteral("100*100"), kPlaceholderLinkUrl, pageUrl);
    PreviewOptions options;
    options.availableWidth = 700;
    RenderPreview(capture, preview, options, kPreviewBgColor);
    return QTest::qWaitFor(
        [&] {
            try {
                const std::vector<ElementData> images =
                    preview.document()->images()->read(kWidth | kComplete);
                return int(images.size()) == urls.size() &&
                       std::all_of(images.begin(), images.end(), [](const ElementData& image) {
                           return image.complete && image.width > 0;
                       });
            } catch (const PageError&) {
                return false;
            }
        },
        120000);
}

// One run as the program makes it: a cache opened for the run, walked at most once.
qint64 timeSaveRun(Browser& preview, SaveProgress& progress, BusModeDesktop& desktop, const QString& pageUrl,
                   const QString& cacheFolder, const QString& bodies, const QString& saveFolder) {
    CaptureState capture;
    capture.locationText = pageUrl;
    SaveState save;
    save.saveFolder = saveFolder;
    save.subFolderRule = kNoSubFolder;
    save.localWebpage = false;
    SaveServices services;
    services.desktop = &desktop;
    services.progress = &progress;
    services.previewZone = &preview;
    services.endPauseMs = 0;
    QString label;
    QElapsedTimer clock;
    clock.start();
    desktop.beginBusCall();
    DiskBrowserCache cache(CacheFolders::inFolder(cacheFolder), bodies, DiskBrowserCache::Listing::Kept);
    cache.setPageUrl(capture.locationText);
    services.cache = &cache;
    SaveRun(capture, save, services, label);
    const qint64 ms = clock.elapsed();
    const QStringList messages = desktop.endBusCall();
    std::fprintf(stderr, "run: %lld ms, %d walks of the cache\n", static_cast<long long>(ms), cache.walks());
    if (label != QStringLiteral("Saved:%1/%1").arg(kPictures) || cache.walks() > 1 || !messages.isEmpty()) {
        std::fprintf(stderr, "save run stored %s after %d walks of the cache; messages: %s\n",
                     qPrintable(label), cache.walks(), qPrintable(messages.join(QStringLiteral(" | "))));
        return -1;
    }
    return ms;
}

qint64 timeWget(const QString& list, const QString& folder) {
    QProcess wget;
    QElapsedTimer clock;
    clock.start();
    wget.start(QStringLiteral("wget"), {QStringLiteral("-q"), QStringLiteral("--no-proxy"),
                                        QStringLiteral("-P"), folder, QStringLiteral("-i"), list});
    if (!wget.waitForFinished(600000) || wget.exitCode() != 0) {
        std::fprintf(stderr, "wget failed\n");
        return -1;
    }
    const qint64 ms = clock.elapsed();
    if (QDir(folder).entryList(QDir::Files).size() != kPictures)
        return -1;
    return ms;
}

qint64 best(qint64 a, qint64 b) {
    return a < 0 || b < a ? b : a;
}

// A value of /proc/self/status in kB; -1 when it cannot be read.
qint64 statusKb(const QByteArray& key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

constexpr qint64 kEndlessBytes = 1024ll * 1024 * 1024;
constexpr qint64 kMostGrowthMb = 64;

// Streams an endless body into a file until kEndlessBytes are on disk. Returns false when the
// transfer did not go as far, or memory could not be read.
bool streamEndless(const QString& url, const QString& folder, qint64* ms, qint64* growthKb) {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1)
        return false;
    clear.close();
    const qint64 before = statusKb("VmRSS");
    const QString target = folder + QStringLiteral("endless.jpg");
    Downloader downloader;
    QElapsedTimer clock;
    clock.start();
    qint64 written = 0;
    const StoreOutcome outcome = downloader.downloadToFile(url, target, nullptr, [&] {
        written = QFileInfo(target).size();
        return written >= kEndlessBytes;
    });
    *ms = clock.elapsed();
    *growthKb = statusKb("VmHWM") - before;
    return outcome.kind == StoreOutcome::kStopped && written >= kEndlessBytes && before > 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    test::LoopbackHttpServer server;
    if (!server.listen())
        return 1;
    QStringList urls;
    for (int i = 0; i < kPictures; ++i) {
        const QString path = QStringLiteral("/pictures/%1.png").arg(i);
        server.addPage(path, pictureBody(i), "image/png");
        urls << server.url(path);
    }
    QTemporaryDir dir;
    const QString list = dir.path() + QStringLiteral("/list.txt");
    QFile listFile(list);
    if (!listFile.open(QIODevice::WriteOnly))
        return 1;
    listFile.write(urls.join(u'\n').toUtf8() + '\n');
    listFile.close();
    // The page the pictures came from; the cache keys them for its site.
    const QString pageUrl = QStringLiteral("http://127.0.0.1/gallery.html");
    QWebEngineView view;
    view.resize(900, 700);
    view.show();
    WebZone preview(&view, QUrl::fromLocalFile(dir.path() + u'/'), ZoneAccess::ownPageWithPictures());
    bool blank = false;
    QObject::connect(&preview, &WebZone::documentComplete, [&blank] { blank = true; });
    preview.loadHtml(QStringLiteral("<html><body></body></html>"));
    if (!QTest::qWaitFor([&blank] { return blank; }, 60000) || !renderPreview(preview, urls, pageUrl)) {
        std::fprintf(stderr, "the preview's pictures did not load\n");
        return 1;
    }
    SaveProgressWindow progress;
    QtDesktop qtDesktop;
    BusModeDesktop desktop(qtDesktop);

    const QString cacheFolder = dir.path() + QStringLiteral("/Cache_Data");
    const QString bodies = dir.path() + QStringLiteral("/bodies");
    QDir().mkpath(cacheFolder + QStringLiteral("/index-dir"));
    if (!fillOtherEntries(cacheFolder)) {
        std::fprintf(stderr, "the cache could not be written\n");
        return 1;
    }

    qint64 bestSave = -1;
    qint64 bestWget = -1;
    for (int round = 0; round < kRounds; ++round) {
        const QString saveFolder = dir.path() + QStringLiteral("/save%1/").arg(round);
        const QString wgetFolder = dir.path() + QStringLiteral("/wget%1/").arg(round);
        QDir().mkpath(saveFolder);
        QDir().mkpath(wgetFolder);
        const qint64 save = timeSaveRun(preview, progress, desktop, pageUrl, cacheFolder, bodies, saveFolder);
        const qint64 wget = timeWget(list, wgetFolder);
        if (save < 0 || wget < 0)
            return 1;
        bestSave = best(bestSave, save);
        bestWget = best(bestWget, wget);
        QDir(saveFolder).removeRecursively();
        QDir(wgetFolder).removeRecursively();
    }

    // Keyed as Chromium keys a picture that a page of the same site loaded: the site has no port.
    if (!addPictureEntries(cacheFolder, urls, QStringLiteral("http://127.0.0.1"))) {
        std::fprintf(stderr, "the pictures could not be cached\n");
        return 1;
    }
    server.clearRequests();
    qint64 bestCached = -1;
    qint64 firstCached = -1;
    for (int round = 0; round < kRounds; ++round) {
        const QString saveFolder = dir.path() + QStringLiteral("/cached%1/").arg(round);
        QDir().mkpath(saveFolder);
        const qint64 cached =
            timeSaveRun(preview, progress, desktop, pageUrl, cacheFolder, bodies, saveFolder);
        if (cached < 0)
            return 1;
        if (!server.requests().isEmpty()) {
            std::fprintf(stderr, "cached pictures were fetched from the server\n");
            return 1;
        }
        bestCached = best(bestCached, cached);
        if (round == 0)
            firstCached = cached;
        QDir(saveFolder).removeRecursively();
    }

    std::printf("save_ms %lld\n", static_cast<long long>(bestSave));
    std::printf("wget_ms %lld\n", static_cast<long long>(bestWget));
    std::printf("save_ratio %.3f\n", double(bestSave) / double(qMax<qint64>(bestWget, 1)));
    std::printf("save_cached_ms %lld\n", static_cast<long long>(bestCached));
    // The first cached run also makes the materialised copies, which later runs find made.
    std::printf("save_cached_first_ms %lld\n", static_cast<long long>(firstCached));

    server.addEndless(QStringLiteral("/endless.jpg"), pictureBody(0).left(1024), "image/jpeg");
    qint64 endlessMs = 0;
    qint64 growthKb = 0;
    if (!streamEndless(server.url(QStringLiteral("/endless.jpg")), dir.path() + u'/', &endlessMs, &growthKb))
        return 1;
    std::printf("endless_mb_per_s %.1f\n",
                double(kEndlessBytes >> 20) * 1000.0 / double(qMax<qint64>(endlessMs, 1)));
    std::printf("endless_rss_growth_mb %.1f\n", double(growthKb) / 1024.0);
    if (growthKb > kMostGrowthMb * 1024) {
        std::fprintf(stderr, "memory grew by %lld kB while an endless body streamed\n",
                     static_cast<long long>(growthKb));
        return 1;
    }
    return 0;
}
