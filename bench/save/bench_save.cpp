// A save run of 200 pictures of about 200 KB from a loopback HTTP server, against wget fetching the
// same list one by one. Prints save_ms, wget_ms and save_ratio (save / wget); the best of five rounds
// of each, taken alternately, so both see the same machine load.
#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "capture/CaptureState.h"
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
    return 0;
}
