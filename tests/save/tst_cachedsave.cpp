#include <QtTest>

#include "CachingHttpServer.h"
#include "ChromiumCacheRun.h"
#include "PictureFixture.h"
#include "SaveFixture.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "support/ChromiumProcess.h"

using namespace vorlaken;
using namespace vorlaken::test;

// Save runs that take their pictures from a simple cache a real headless Chromium wrote, after the
// pictures' server has gone.
class TestCachedSave : public QObject {
    Q_OBJECT

    QTemporaryDir original_;
    QMap<QString, QByteArray> pictures_;  // address → bytes
    QString missing_;
    QString page_;

  private slots:
    void initTestCase() {
        VORLAKEN_REQUIRE_CHROMIUM();
        CachingHttpServer server;
        QVERIFY(server.listen());
        PictureFixture fixture;
        fixture.install(&server);
        const QString failure =
            RunChromiumOnFixture(server, fixture, original_.path() + QStringLiteral("/Cache_Data"));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        for (auto it = fixture.pictures.cbegin(); it != fixture.pictures.cend(); ++it)
            pictures_.insert(server.url(it.key()), it.value());
        missing_ = server.url(QStringLiteral("/pics/never-loaded.png"));
        page_ = server.url(fixture.pagePath);
    }  // the server goes here

    // The preview names the pictures in other letters than the page did, so no exact look-up finds
    // them: the one walk of the cache has to hand every one of them to the run.
    void walkHandsEveryPictureToTheRun() {
        SaveFixture f;
        f.save.autoRecognise = false;
        f.addPicture(missing_);  // the first miss starts the walk
        QStringList urls;
        for (const QString& url : pictures_.keys()) {
            const qsizetype path = url.indexOf(u'/', 7);
            urls << url.left(path) + url.mid(path).toUpper();
            f.addPicture(urls.last());
        }
        QTemporaryDir bodies;
        DiskBrowserCache cache(CacheFolders::inFolder(original_.path() + QStringLiteral("/Cache_Data")),
                               bodies.path(), DiskBrowserCache::Listing::Kept);
        f.services.cache = &cache;
        f.run();

        QCOMPARE(cache.walks(), 1);
        QCOMPARE(f.label, QStringLiteral("Saved:%1/%2").arg(pictures_.size()).arg(pictures_.size() + 1));
        const QStringList saved = f.filesIn(f.saveFolder);
        QCOMPARE(saved.size(), pictures_.size());
        // Numbered after their rows: row 1 was the missing picture.
        int row = 2;
        for (const QByteArray& bytes : pictures_) {
            const QStringList named =
                QDir(f.saveFolder).entryList({QStringLiteral("%1.*").arg(row)}, QDir::Files);
            QCOMPARE(named.size(), 1);
            QCOMPARE(readFile(f.saveFolder + named.first()), bytes);
            ++row;
        }
    }

    // Pictures named as the page named them are found by the keys Chromium gave them for the page's
    // site, without walking the cache at all.
    void exactAddressesNeedNoWalk() {
        SaveFixture f;
        f.save.autoRecognise = false;
        for (const QString& url : pictures_.keys())
            f.addPicture(url);
        QTemporaryDir bodies;
        DiskBrowserCache cache(CacheFolders::inFolder(original_.path() + QStringLiteral("/Cache_Data")),
                               bodies.path(), DiskBrowserCache::Listing::Kept);
        cache.setPageUrl(page_);
        f.services.cache = &cache;
        f.run();

        QCOMPARE(cache.walks(), 0);
        QCOMPARE(f.label, QStringLiteral("Saved:%1/%1").arg(pictures_.size()));
        int row = 1;
        for (const QByteArray& bytes : pictures_) {
            const QStringList named =
                QDir(f.saveFolder).entryList({QStringLiteral("%1.*").arg(row)}, QDir::Files);
            QCOMPARE(named.size(), 1);
            QCOMPARE(readFile(f.saveFolder + named.first()), bytes);
            ++row;
        }
    }
};

QTEST_GUILESS_MAIN(TestCachedSave)
#include "tst_cachedsave.moc"
