#include "SaveBench.h"

#include <algorithm>
#include <cstdio>

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTest>

#include "SimpleCacheWriter.h"
#include "capture/CaptureState.h"
#include "capture/PreviewPage.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "save/SaveRun.h"

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
                SimpleCacheWriter::responseInfo(headersFor("image/png", body.size()), now)))
            return false;
    }
    return true;
}

BenchPreview::BenchPreview(const QString& folder)
    : zone_(&view_, QUrl::fromLocalFile(folder + u'/'), ZoneAccess::ownPageWithPictures()) {
    view_.resize(900, 700);
    view_.show();
}

bool BenchPreview::show(const QStringList& urls) {
    bool blank = false;
    const QMetaObject::Connection loaded =
        QObject::connect(&zone_, &WebZone::documentComplete, [&blank] { blank = true; });
    zone_.loadHtml(QStringLiteral("<html><body></body></html>"));
    const bool ready = QTest::qWaitFor([&blank] { return blank; }, 60000);
    QObject::disconnect(loaded);
    if (!ready)
        return false;
    CaptureState capture;
    capture.pageLocation = kPageUrl;
    for (const QString& url : urls)
        capture.table.append(url, QStringLiteral("100*100"), kPlaceholderLinkUrl, kPageUrl);
    PreviewOptions options;
    options.availableWidth = 700;
    RenderPreview(capture, zone_, options, kPreviewBgColor);
    return QTest::qWaitFor(
        [&] {
            try {
                const std::vector<ElementData> images = zone_.document()->images()->read(kWidth | kComplete);
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

qint64 timeSaveRun(Browser& preview, SaveProgress& progress, BusModeDesktop& desktop,
                   const QString& cacheFolder, const QString& bodies, const QString& saveFolder) {
    CaptureState capture;
    capture.locationText = kPageUrl;
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

QStringList servePictures(test::LoopbackHttpServer& server, const QString& folder, int delayMs) {
    QStringList urls;
    for (int i = 0; i < kPictures; ++i) {
        const QString path = folder + QStringLiteral("/%1.png").arg(i);
        server.addDelayed(path, delayMs, pictureBody(i), "image/png");
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
