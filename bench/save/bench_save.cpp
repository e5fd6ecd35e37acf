// A save run of 200 pictures of about 200 KB from a loopback HTTP server, against wget fetching the
// same list one by one. Prints save_ms, wget_ms and save_ratio (save / wget); the best of five rounds
// of each, taken alternately, so both see the same machine load. Then one transfer of an endless body,
// stopped after 1 GB: endless_mb_per_s and endless_rss_growth_mb, the growth of the process's peak
// resident memory meanwhile, which must stay within kMostGrowthMb (the benchmark fails otherwise).
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "capture/CaptureState.h"
#include "save/Downloader.h"
#include "save/NullBrowserCache.h"
#include "save/SaveRun.h"
#include "support/FakeDesktop.h"
#include "support/FakePageModel.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;

namespace {

constexpr int kPictures = 200;
constexpr int kPictureBytes = 200 * 1024;
constexpr int kRounds = 5;

QByteArray pictureBody(int seed) {
    QByteArray body("\xFF\xD8\xFF\xE0", 4);
    body.reserve(kPictureBytes);
    for (int i = body.size(); i < kPictureBytes; ++i)
        body.append(char((i * 31 + seed) % 251));
    return body;
}

// The preview page of the pictures, every one ticked and loaded.
void fillPreview(FakeBrowser& preview, const QStringList& urls) {
    preview.showPage(QStringLiteral("about:blank"), QString());
    FakeElementPtr form = preview.page->add(QStringLiteral("FORM"));
    for (const QString& url : urls) {
        FakeElementPtr box = preview.page->add(QStringLiteral("INPUT"), form);
        box->data.type = QStringLiteral("checkbox");
        box->data.checked = true;
        FakeElementPtr hidden = preview.page->add(QStringLiteral("INPUT"), form);
        hidden->data.type = QStringLiteral("hidden");
        FakeElementPtr anchor = preview.page->addLink(kPlaceholderLinkUrl, form);
        preview.page->addImage(url, 100, 100, anchor);
    }
}

qint64 timeSaveRun(FakeBrowser& preview, const QString& folder) {
    FakeDesktop desktop;
    NullBrowserCache cache;
    NullSaveProgress progress;
    CaptureState capture;
    capture.locationText = QStringLiteral("http://127.0.0.1/gallery.html");
    SaveState save;
    save.saveFolder = folder;
    save.subFolderRule = kNoSubFolder;
    save.localWebpage = false;
    SaveServices services;
    services.desktop = &desktop;
    services.cache = &cache;
    services.progress = &progress;
    services.previewZone = &preview;
    services.endPauseMs = 0;
    QString label;
    QElapsedTimer clock;
    clock.start();
    SaveRun(capture, save, services, label);
    const qint64 ms = clock.elapsed();
    if (label != QStringLiteral("Saved:%1/%1").arg(kPictures)) {
        std::fprintf(stderr, "save run stored %s\n", qPrintable(label));
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
    QCoreApplication app(argc, argv);
    test::LoopbackHttpServer server;
    if (!server.listen())
        return 1;
    QStringList urls;
    for (int i = 0; i < kPictures; ++i) {
        const QString path = QStringLiteral("/pictures/%1.jpg").arg(i);
        server.addPage(path, pictureBody(i), "image/jpeg");
        urls << server.url(path);
    }
    QTemporaryDir dir;
    const QString list = dir.path() + QStringLiteral("/list.txt");
    QFile listFile(list);
    if (!listFile.open(QIODevice::WriteOnly))
        return 1;
    listFile.write(urls.join(u'\n').toUtf8() + '\n');
    listFile.close();
    FakeBrowser preview;
    fillPreview(preview, urls);

    qint64 bestSave = -1;
    qint64 bestWget = -1;
    for (int round = 0; round < kRounds; ++round) {
        const QString saveFolder = dir.path() + QStringLiteral("/save%1/").arg(round);
        const QString wgetFolder = dir.path() + QStringLiteral("/wget%1/").arg(round);
        QDir().mkpath(saveFolder);
        QDir().mkpath(wgetFolder);
        const qint64 save = timeSaveRun(preview, saveFolder);
        const qint64 wget = timeWget(list, wgetFolder);
        if (save < 0 || wget < 0)
            return 1;
        if (bestSave < 0 || save < bestSave)
            bestSave = save;
        if (bestWget < 0 || wget < bestWget)
            bestWget = wget;
        QDir(saveFolder).removeRecursively();
        QDir(wgetFolder).removeRecursively();
    }
    std::printf("save_ms %lld\n", static_cast<long long>(bestSave));
    std::printf("wget_ms %lld\n", static_cast<long long>(bestWget));
    std::printf("save_ratio %.3f\n", double(bestSave) / double(qMax<qint64>(bestWget, 1)));

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
