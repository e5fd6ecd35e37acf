// A save run of 200 pictures of about 200 KB from a loopback HTTP server that answers every request
// after 50 ms, as a far-away server would, through the run's own disk cache reader over a simple
// cache of 20,000 entries in Chromium's format that holds none of them. The run reads the ticks from the
// preview in a Qt WebEngine zone, shows its progress in the progress window and works with the Qt
// desktop, as bench_save's runs do:
// - save_latency_ms: the run;
// - aria2_latency_ms: aria2c fetching the same list six at a time (-j 6);
// - wget_latency_ms: wget fetching it one after the other;
// - save_latency_ratio (save against aria2c) and save_latency_vs_wget.
// Best of three rounds each, the three taking turns so that each sees the same machine load.
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "SaveBench.h"
#include "platform/desktop/QtDesktop.h"
#include "shell/SaveProgressWindow.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::bench;

namespace {

constexpr int kRounds = 3;
constexpr int kAnswerDelayMs = 50;

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    test::LoopbackHttpServer server;
    if (!server.listen())
        return 1;
    const QStringList urls = servePictures(server, QStringLiteral("/far"), kAnswerDelayMs);
    QTemporaryDir dir;
    const QString list = dir.path() + QStringLiteral("/list.txt");
    const QString cacheFolder = dir.path() + QStringLiteral("/Cache_Data");
    if (!writeList(list, urls) || !fillOtherEntries(cacheFolder)) {
        std::fprintf(stderr, "the list or the cache could not be written\n");
        return 1;
    }
    BenchPreview preview(dir.path());
    if (!preview.show(urls)) {
        std::fprintf(stderr, "the preview's pictures did not load\n");
        return 1;
    }
    SaveProgressWindow progress;
    QtDesktop qtDesktop;
    BusModeDesktop desktop(qtDesktop);

    qint64 bestSave = -1;
    qint64 bestAria = -1;
    qint64 bestWget = -1;
    for (int round = 0; round < kRounds; ++round) {
        const QString saveFolder = dir.path() + QStringLiteral("/save%1/").arg(round);
        const QString ariaFolder = dir.path() + QStringLiteral("/aria%1").arg(round);
        const QString wgetFolder = dir.path() + QStringLiteral("/wget%1").arg(round);
        for (const QString& folder : {saveFolder, ariaFolder, wgetFolder})
            QDir().mkpath(folder);
        const qint64 save = timeSaveRun(preview.zone(), progress, desktop, cacheFolder,
                                        dir.path() + QStringLiteral("/bodies"), saveFolder);
        const qint64 aria = timeTool(
            QStringLiteral("aria2c"),
            {QStringLiteral("-j"), QStringLiteral("6"), QStringLiteral("--no-conf"), QStringLiteral("-q"),
             QStringLiteral("--file-allocation=none"), QStringLiteral("--max-connection-per-server=1"),
             QStringLiteral("--no-proxy=127.0.0.1"), QStringLiteral("--allow-overwrite=false"),
             QStringLiteral("-d"), ariaFolder, QStringLiteral("-i"), list},
            ariaFolder, kPictures);
        const qint64 wget = timeTool(QStringLiteral("wget"),
                                     {QStringLiteral("-q"), QStringLiteral("--no-proxy"),
                                      QStringLiteral("-P"), wgetFolder, QStringLiteral("-i"), list},
                                     wgetFolder, kPictures);
        if (save < 0 || aria < 0 || wget < 0)
            return 1;
        bestSave = best(bestSave, save);
        bestAria = best(bestAria, aria);
        bestWget = best(bestWget, wget);
        for (const QString& folder : {saveFolder, ariaFolder, wgetFolder})
            QDir(folder).removeRecursively();
    }

    std::printf("save_latency_ms %lld\n", static_cast<long long>(bestSave));
    std::printf("aria2_latency_ms %lld\n", static_cast<long long>(bestAria));
    std::printf("wget_latency_ms %lld\n", static_cast<long long>(bestWget));
    std::printf("save_latency_ratio %.3f\n", double(bestSave) / double(qMax<qint64>(bestAria, 1)));
    std::printf("save_latency_vs_wget %.3f\n", double(bestSave) / double(qMax<qint64>(bestWget, 1)));
    return 0;
}
