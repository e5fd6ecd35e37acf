#include "ChromiumCacheRun.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QtEndian>

#include "CacheFolderCopy.h"
#include "support/ChromiumProcess.h"

namespace vorlaken::test {

namespace {

// Chromium closes a simple cache entry a moment after its load and only then writes the end of its
// file: the end record of its first stream, which starts with this number, comes last.
bool entryClosed(const QString& path) {
    constexpr qint64 kEndRecordSize = 24;
    constexpr quint64 kEndMagic = 0xf4fa6f45970d41d8ull;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < kEndRecordSize ||
        !file.seek(file.size() - kEndRecordSize))
        return false;
    const QByteArray magic = file.read(8);
    return magic.size() == 8 && qFromLittleEndian<quint64>(magic.constData()) == kEndMagic;
}

}  // namespace

QString RunChromiumOnFixture(CachingHttpServer& server, const PictureFixture& fixture,
                             const QString& cacheCopy) {
    ChromiumProcess chromium;
    if (!chromium.start(server.url(fixture.pagePath))) {
        return chromium.errorString();
    }
    const auto allLoaded = [&] {
        for (const QString& path : fixture.pictures.keys()) {
            if (server.hits(path) == 0) {
                return false;
            }
        }
        return server.hits(fixture.missingPath) > 0;
    };
    if (!QTest::qWaitFor(allLoaded, 30000)) {
        return QStringLiteral("Chromium did not load every picture of the page");
    }
    // Entries are written shortly after the loads: the page, the pictures and the 404 answers.
    const QString cacheData = chromium.profileDir() + QStringLiteral("/Default/Cache/Cache_Data");
    const auto written = [&] {
        const QStringList entries = QDir(cacheData).entryList({QStringLiteral("*_0")}, QDir::Files);
        if (entries.size() <= fixture.pictures.size())
            return false;
        for (const QString& entry : entries) {
            if (!entryClosed(cacheData + QLatin1Char('/') + entry))
                return false;
        }
        return true;
    };
    if (!QTest::qWaitFor(written, 15000)) {
        return QStringLiteral("Chromium did not write the cache entries");
    }
    chromium.close(10000);
    return CopyCacheFolder(cacheData, cacheCopy) ? QString()
                                                 : QStringLiteral("The cache could not be copied");
}

}  // namespace vorlaken::test
