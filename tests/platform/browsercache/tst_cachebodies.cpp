#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include "BodiesFixture.h"
#include "CacheFolderCopy.h"
#include "CacheListing.h"
#include "CachingHttpServer.h"
#include "FirefoxCacheRun.h"
#include "platform/browsercache/ByteSource.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/browsercache/FirefoxCacheEntryReader.h"
#include "platform/browsercache/SimpleCacheEntryReader.h"
#include "support/ChromiumProcess.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

// Every entry file of a cache folder as its reader sees it, by address.
QMap<QString, CacheRecord> recordsByUrl(const QString& folder, bool chromium) {
    QMap<QString, CacheRecord> records;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::Files)) {
        FileByteSource source(info.filePath());
        const std::optional<CacheRecord> record =
            chromium ? SimpleCacheEntryReader::read(source) : FirefoxCacheEntryReader::read(source);
        if (record) {
            records.insert(record->sourceUrl, *record);
            records[record->sourceUrl].entryFile = info.filePath();
        }
    }
    return records;
}

}  // namespace

// Real headless Chromium (its cache not split by site, so keys read "1/0/<address>") and firefox-esr
// load a page of compressed, cut-off and mislabelled pictures; the readers list whole pictures only,
// under names of what they are, and copy them out decoded.
class CacheBodiesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        VORLAKEN_REQUIRE_CHROMIUM();
        // A server each, so that one browser's requests do not count as the other's.
        QVERIFY(server_.listen());
        fixture_.install(&server_);
        QVERIFY(firefoxServer_.listen());
        fixture_.install(&firefoxServer_);
        runChromium();
        const QString failure =
            RunFirefoxOnPage(firefoxServer_, fixture_.pagePath, firefoxProfile_.path(), [&] {
                const QMap<QString, CacheRecord> records = recordsByUrl(folderOf(false), false);
                for (const QString& path : fixture_.pictures.keys()) {
                    if (!records.contains(firefoxServer_.url(path))) {
                        return false;
                    }
                }
                return firefoxServer_.hits(fixture_.cutPath) > 0;
            });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        keepFixtures();
    }

    void browsers_data() {
        QTest::addColumn<bool>("chromium");
        QTest::newRow("chromium") << true;
        QTest::newRow("firefox") << false;
    }

    void listsTheWholePicturesOnly_data() { browsers_data(); }
    void listsTheWholePicturesOnly() {
        QFETCH(bool, chromium);
        CachingHttpServer& server = serverOf(chromium);
        DiskBrowserCache cache = freshCache(chromium);
        QSet<QString> expected = {server.url(fixture_.pagePath)};
        for (const QString& path : fixture_.pictures.keys()) {
            expected.insert(server.url(path));
        }
        const QMap<QString, BrowserCache::Entry> entries = listByUrl(cache);
        QCOMPARE(QSet<QString>(entries.keyBegin(), entries.keyEnd()), expected);
        QCOMPARE(cache.unreadableEntries(), 0);
        // The cut-off picture is in the cache, but it is no picture to hand out.
        QVERIFY(cache.lookup(server.url(fixture_.cutPath)).isEmpty());
    }

    void cutOffBodyIsKnownAsSuch() {
        // Chromium keeps a body that broke off, to resume it later (firefox-esr drops it).
        const QMap<QString, CacheRecord> records = recordsByUrl(folderOf(true), true);
        QVERIFY(records.contains(server_.url(fixture_.cutPath)));
        const CacheRecord cut = records.value(server_.url(fixture_.cutPath));
        QCOMPARE(cut.bodyLength, fixture_.cutLength / 2);
        QVERIFY(cut.truncated);
        QVERIFY(!cut.usable);
    }

    void materialisesDecodedPicturesUnderTheirTypesNames_data() { browsers_data(); }
    void materialisesDecodedPicturesUnderTheirTypesNames() {
        QFETCH(bool, chromium);
        CachingHttpServer& server = serverOf(chromium);
        DiskBrowserCache cache = freshCache(chromium);
        const QMap<QString, BrowserCache::Entry> entries = listByUrl(cache);
        for (auto it = fixture_.pictures.cbegin(); it != fixture_.pictures.cend(); ++it) {
            const BrowserCache::Entry entry = entries.value(server.url(it.key()));
            QCOMPARE(QFileInfo(entry.localFileName).fileName(), it->name);
            QVERIFY2(cache.materialize(entry), qPrintable(it.key()));
            QFile file(entry.localFileName);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(file.readAll() == it->bytes, qPrintable(it.key()));
        }
    }

    void clearingRemovesEveryEntryOfAnUnsplitCache() {
        DiskBrowserCache cache = freshCache(true);
        const QDir folder(copy_->path() + QStringLiteral("/Cache_Data"));
        QVERIFY(folder.entryList({QStringLiteral("*_0")}, QDir::Files).size() >= fixture_.paths().size());
        cache.clearCache();
        QCOMPARE(folder.entryList({QStringLiteral("*_0")}, QDir::Files), QStringList());
    }

  private:
    void runChromium() {
        ChromiumProcess chromium;
        QVERIFY2(chromium.start(server_.url(fixture_.pagePath),
                                {QStringLiteral("--disable-features=SplitCacheByNetworkIsolationKey")}),
                 qPrintable(chromium.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const QString& path : fixture_.paths()) {
                    if (server_.hits(path) == 0) {
                        return false;
                    }
                }
                return true;
            }(),
            60000);
        const QString cacheData = chromium.profileDir() + QStringLiteral("/Default/Cache/Cache_Data");
        // Chromium writes an entry some time after its answer came, and other entries (the icon's
        // error answer) may land first, so a count of files says nothing: wait until every path's
        // entry reads back whole.
        const auto everyEntryWritten = [&] {
            const QMap<QString, CacheRecord> records = recordsByUrl(cacheData, true);
            for (const QString& path : fixture_.paths()) {
                if (!records.contains(server_.url(path))) {
                    return false;
                }
            }
            return true;
        };
        QTRY_VERIFY_WITH_TIMEOUT(everyEntryWritten(), 60000);
        // Quitting writes the index; a browser that does not end in time is killed, its entries stay.
        chromium.close(30000);
        QVERIFY(CopyCacheFolder(cacheData, chromiumCache_.path()));
    }

    // VORLAKEN_CACHE_FIXTURES=<folder> keeps the entry files, named after their addresses, for the
    // captured-entries test.
    void keepFixtures() {
        const QString target = qEnvironmentVariable("VORLAKEN_CACHE_FIXTURES");
        if (target.isEmpty()) {
            return;
        }
        for (const bool chromium : {true, false}) {
            for (const CacheRecord& record : recordsByUrl(folderOf(chromium), chromium)) {
                QString name = record.sourceUrl.mid(serverOf(chromium).url(QString()).size());
                name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9.]+")), QStringLiteral("-"));
                QDir().mkpath(target);
                QFile::copy(record.entryFile,
                            target + QLatin1Char('/') + (chromium ? "chromium" : "firefox") + name);
            }
        }
    }

    QString folderOf(bool chromium) const {
        return chromium ? chromiumCache_.path() : firefoxProfile_.path() + QStringLiteral("/cache2/entries");
    }

    DiskBrowserCache freshCache(bool chromium) {
        copy_.emplace();
        materialized_.emplace();
        CopyCacheFolder(folderOf(chromium), copy_->path() + (chromium ? "/Cache_Data" : "/cache2/entries"));
        return DiskBrowserCache(CacheFolders::inFolder(copy_->path()), materialized_->path());
    }

    CachingHttpServer& serverOf(bool chromium) { return chromium ? server_ : firefoxServer_; }

    CachingHttpServer server_;
    CachingHttpServer firefoxServer_;
    BodiesFixture fixture_;
    QTemporaryDir chromiumCache_;
    QTemporaryDir firefoxProfile_;
    std::optional<QTemporaryDir> copy_;
    std::optional<QTemporaryDir> materialized_;
};

QTEST_GUILESS_MAIN(CacheBodiesTest)
#include "tst_cachebodies.moc"
