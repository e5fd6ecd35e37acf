#include "SaveBench.h"

#include <cstdio>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include "SimpleCacheWriter.h"
#include "capture/CaptureState.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "save/SaveRun.h"
#include "support/FakeDesktop.h"
#include "support/FakeSaveProgress.h"

namespace vorlaken::bench {

using test::SimpleCacheWriter;

namespace {

qint64 chromiumTimeNow() {
    // Microseconds since 1601-01-01, as Chromium stores response times.
    return (QDateTime::currentMSecsSinceEpoch() + 11644473600000LL) * 1000;
}

QByteArray headersFor(const QByteArray& type, qsizetype length) {
    return QByteArray("HTTP/1.1 200 OK") + '\0' + "Content-Type: " + type + '\0' +
           "Content-Length: " + QByteArray::number(length) + '\0' + '\0';
}

}  // namespace

QByteArray pictureBody(int seed) {
    QByteArray body("\xFF\xD8\xFF\xE0", 4);
    body.reserve(kPictureBytes);
    for (int i = body.size(); i < kPictureBytes; ++i)
        body.append(char((i * 31 + seed) % 251));
    return body;
}

bool fillOtherEntries(const QString& folder) {
    if (!QDir().mkpath(folder + QStringLiteral("/index-dir")))
        return false;
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
                SimpleCacheWriter::responseInfo(headersFor("image/jpeg", body.size()), now)))
            return false;
    }
    return true;
}

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

qint64 timeSaveRun(FakeBrowser& preview, const QString& cacheFolder, const QString& bodies,
                   const QString& saveFolder) {
    FakeDesktop desktop;
    FakeSaveProgress progress;
    CaptureState capture;
    capture.locationText = QStringLiteral("http://127.0.0.1/gallery.html");
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
    DiskBrowserCache cache(CacheFolders::inFolder(cacheFolder), bodies, DiskBrowserCache::Listing::Kept);
    cache.setPageUrl(capture.locationText);
    services.cache = &cache;
    SaveRun(capture, save, services, label);
    const qint64 ms = clock.elapsed();
    std::fprintf(stderr, "run: %lld ms, %d walks of the cache\n", static_cast<long long>(ms), cache.walks());
    if (label != QStringLiteral("Saved:%1/%1").arg(kPictures) || cache.walks() > 1) {
        std::fprintf(stderr, "save run stored %s after %d walks of the cache\n", qPrintable(label),
                     cache.walks());
        return -1;
    }
    return ms;
}

QStringList servePictures(test::LoopbackHttpServer& server, const QString& folder, int delayMs) {
    QStringList urls;
    for (int i = 0; i < kPictures; ++i) {
        const QString path = folder + QStringLiteral("/%1.jpg").arg(i);
        server.addDelayed(path, delayMs, pictureBody(i), "image/jpeg");
        urls << server.url(path);
    }
    return urls;
}

bool writeList(const QString& path, const QStringList& urls) {
    QFile list(path);
    return list.open(QIODevice::WriteOnly) && list.write(urls.join(u'\n').toUtf8() + '\n') > 0;
}

qint64 timeTool(const QString& program, const QStringList& arguments, const QString& folder,
                int expectedFiles) {
    QProcess tool;
    QElapsedTimer clock;
    clock.start();
    tool.start(program, arguments);
    if (!tool.waitForFinished(600000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program),
                     qPrintable(QString::fromLocal8Bit(tool.readAllStandardError())));
        return -1;
    }
    const qint64 ms = clock.elapsed();
    const qsizetype files = QDir(folder).entryList(QDir::Files).size();
    if (files != expectedFiles) {
        std::fprintf(stderr, "%s left %lld files instead of %d\n", qPrintable(program),
                     static_cast<long long>(files), expectedFiles);
        return -1;
    }
    return ms;
}

qint64 best(qint64 a, qint64 b) {
    return a < 0 || b < a ? b : a;
}

}  // namespace vorlaken::bench
