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
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "SaveBench.h"
#include "platform/desktop/QtDesktop.h"
#include "save/Downloader.h"
#include "shell/SaveProgressWindow.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::bench;

namespace {

constexpr int kRounds = 5;

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
    const StoreOutcome outcome = downloader.downloadToFile(url, target, [&] {
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
    const QStringList urls = servePictures(server, QStringLiteral("/pictures"));
    QTemporaryDir dir;
    const QString list = dir.path() + QStringLiteral("/list.txt");
    if (!writeList(list, urls))
        return 1;
    BenchPreview preview(dir.path());
    if (!preview.show(urls)) {
        std::fprintf(stderr, "the preview's pictures did not load\n");
        return 1;
    }
    SaveProgressWindow progress;
    QtDesktop qtDesktop;
    BusModeDesktop desktop(qtDesktop);

    const QString cacheFolder = dir.path() + QStringLiteral("/Cache_Data");
    const QString bodies = dir.path() + QStringLiteral("/bodies");
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
        const qint64 save = timeSaveRun(preview.zone(), progress, desktop, cacheFolder, bodies, saveFolder);
        const qint64 wget = timeTool(QStringLiteral("wget"),
                                     {QStringLiteral("-q"), QStringLiteral("--no-proxy"),
                                      QStringLiteral("-P"), wgetFolder, QStringLiteral("-i"), list},
                                     wgetFolder, kPictures);
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
        const qint64 cached = timeSaveRun(preview.zone(), progress, desktop, cacheFolder, bodies, saveFolder);
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
