#include "ChromiumCacheRun.h"

#include <QDir>
#include <QTest>

#include "CacheFolderCopy.h"
#include "support/ChromiumProcess.h"

namespace vorlaken::test {

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
        return QDir(cacheData).entryList({QStringLiteral("*_0")}, QDir::Files).size() >
               fixture.pictures.size();
    };
    if (!QTest::qWaitFor(written, 15000)) {
        return QStringLiteral("Chromium did not write the cache entries");
    }
    QTest::qWait(500);
    chromium.close(10000);
    return CopyCacheFolder(cacheData, cacheCopy) ? QString()
                                                 : QStringLiteral("The cache could not be copied");
}

}  // namespace vorlaken::test
