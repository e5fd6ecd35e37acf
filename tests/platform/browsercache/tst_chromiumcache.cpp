#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "CacheFolderCopy.h"
#include "CacheListing.h"
#include "CachingHttpServer.h"
#include "ChromiumCacheRun.h"
#include "PictureFixture.h"
#include "SimpleCacheWriter.h"
#include "TwoSitePages.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "support/ChromiumProcess.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

int entryFileCount(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*_0")}, QDir::Files).size();
}

}  // namespace

// Reads a simple cache that a real headless Chromium wrote while loading the fixture page.
class ChromiumCacheTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        VORLAKEN_REQUIRE_CHROMIUM();
        QVERIFY(server_.listen());
        fixture_.install(&server_);
        const QString failure =
            RunChromiumOnFixture(server_, fixture_, original_.path() + QStringLiteral("/Cache_Data"));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void listsExactlyTheServedPictures() {
        DiskBrowserCache cache = freshCache();
        QVERIFY(cache.libraryFound());
        QSet<QString> urls;
        for (const BrowserCache::Entry& entry : listAll(cache)) {
            urls.insert(entry.sourceUrl);
            QVERIFY(entry.lastAccess.isValid());
            QVERIFY(qAbs(entry.lastAccess.secsTo(QDateTime::currentDateTime())) < 600);
        }
        QSet<QString> expected = {server_.url(fixture_.pagePath)};
        for (const QString& path : fixture_.pictures.keys()) {
            expected.insert(server_.url(path));
        }
        QCOMPARE(urls, expected);
    }

    void materialisedBodiesAreByteIdentical() {
        DiskBrowserCache cache = freshCache();
        const QList<BrowserCache::Entry> entries = listAll(cache);
        for (const BrowserCache::Entry& entry : entries) {
            const QString path = entry.sourceUrl.mid(server_.url(QString()).size());
            if (!fixture_.pictures.contains(path)) {
                continue;
            }
            QVERIFY(entry.localFileName.startsWith(materialized_.path() + QLatin1Char('/')));
            QVERIFY(cache.materialize(entry));
            QFile file(entry.localFileName);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), fixture_.pictures.value(path));
        }
    }

    void localNamesTakeTheUrlOrTheContentType() {
        DiskBrowserCache cache = freshCache();
        QSet<QString> names;
        for (const BrowserCache::Entry& entry : listAll(cache)) {
            names.insert(QFileInfo(entry.localFileName).fileName());
        }
        const QSet<QString> expected = {QStringLiteral("page.html"), QStringLiteral("red.png"),
                                        QStringLiteral("photo.jpg"), QStringLiteral("dot.gif"),
                                        QStringLiteral("box.bmp"),   QStringLiteral("noext.png")};
        QCOMPARE(names, expected);
    }

    void lookupMaterialisesExactlyThatUrl() {
        DiskBrowserCache cache = freshCache();
        const QString local = cache.lookup(server_.url(QStringLiteral("/pics/photo.jpg")));
        QVERIFY(!local.isEmpty());
        QFile file(local);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), fixture_.pictures.value(QStringLiteral("/pics/photo.jpg")));
        QVERIFY(cache.lookup(server_.url(fixture_.missingPath)).isEmpty());
        QVERIFY(cache.lookup(server_.url(QStringLiteral("/pics/never.png"))).isEmpty());
    }

    void corruptBodyIsNotMaterialised() {
        DiskBrowserCache cache = freshCache();
        const QString url = server_.url(QStringLiteral("/pics/red.png"));
        QString entryFile;
        BrowserCache::Entry target;
        for (const BrowserCache::Entry& entry : listAll(cache)) {
            if (entry.sourceUrl == url) {
                target = entry;
            }
        }
        QVERIFY(!target.sourceUrl.isEmpty());
        // Flip one byte of the body inside the entry file: the stored CRC no longer matches.
        const QByteArray body = fixture_.pictures.value(QStringLiteral("/pics/red.png"));
        for (const QFileInfo& info :
             QDir(copy_->path()).entryInfoList({QStringLiteral("*_0")}, QDir::Files)) {
            QFile file(info.filePath());
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll();
            const qsizetype at = bytes.indexOf(body);
            if (at >= 0) {
                bytes[at + body.size() / 2] = char(bytes[at + body.size() / 2] ^ 0x55);
                file.seek(0);
                file.write(bytes);
                entryFile = info.filePath();
            }
        }
        QVERIFY(!entryFile.isEmpty());
        QVERIFY(!cache.materialize(target));
        QVERIFY(!QFileInfo::exists(target.localFileName));
    }

    void writerReproducesRealEntries() {
        // Each real entry taken apart and written again by the tests' writer gives the same bytes and
        // the same file name, so caches made by the writer stand for real ones.
        const QFileInfoList files = QDir(original_.path() + QStringLiteral("/Cache_Data"))
                                        .entryInfoList({QStringLiteral("*_0")}, QDir::Files);
        QVERIFY(files.size() >= fixture_.pictures.size() + 1);
        for (const QFileInfo& info : files) {
            QFile file(info.filePath());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray real = file.readAll();
            const quint32 keyLength = qFromLittleEndian<quint32>(real.constData() + 12);
            const QByteArray key = real.mid(24, keyLength);
            const qint32 infoSize = qFromLittleEndian<qint32>(real.constData() + real.size() - 8);
            const qsizetype infoAt = real.size() - 24 - 32 - infoSize;
            const QByteArray body = real.mid(24 + keyLength, infoAt - 24 - 24 - keyLength);
            QCOMPARE(SimpleCacheWriter::entryBytes(key, body, real.mid(infoAt, infoSize)), real);
            QCOMPARE(SimpleCacheWriter::fileName(key), info.fileName());
        }
    }

    void writerResponseInfoReadsLikeReal() {
        QTemporaryDir folder;
        QDir().mkpath(folder.path() + QStringLiteral("/index-dir"));
        const QByteArray key =
            SimpleCacheWriter::keyFor(QStringLiteral("http://h/p/x"), QStringLiteral("http://h"));
        SimpleCacheWriter::write(folder.path(), key, "bytes",
                                 SimpleCacheWriter::responseInfo(
                                     QByteArray("HTTP/1.1 200 OK\0Content-Type: image/gif\0\0", 41), 0));
        QTemporaryDir bodies;
        DiskBrowserCache cache(CacheFolders::inFolder(folder.path()), bodies.path());
        const QList<BrowserCache::Entry> entries = listAll(cache);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries.first().sourceUrl, QStringLiteral("http://h/p/x"));
        QVERIFY(entries.first().localFileName.endsWith(QStringLiteral("/x.gif")));
    }

    void deleteEntryRemovesOnlyThatEntry() {
        DiskBrowserCache cache = freshCache();
        const int before = entryFileCount(copy_->path());
        QVERIFY(cache.deleteEntry(server_.url(QStringLiteral("/pics/dot.gif"))));
        QCOMPARE(entryFileCount(copy_->path()), before - 1);
        QVERIFY(!cache.deleteEntry(server_.url(QStringLiteral("/pics/dot.gif"))));
        QSet<QString> urls;
        for (const BrowserCache::Entry& entry : listAll(cache)) {
            urls.insert(entry.sourceUrl);
        }
        QVERIFY(!urls.contains(server_.url(QStringLiteral("/pics/dot.gif"))));
        QCOMPARE(urls.size(), fixture_.pictures.size());
    }

    void clearCacheRemovesEntryFilesOnly() {
        DiskBrowserCache cache = freshCache();
        // Things that are not entries of this cache: its index, a stranger's file, and a link that
        // looks like an entry but points outside.
        QTemporaryDir outside;
        const QString victim = outside.path() + QStringLiteral("/0123456789abcdef_0");
        QVERIFY(QFile::copy(firstEntryFile(), victim));
        const QString link = copy_->path() + QStringLiteral("/fedcba9876543210_0");
        QVERIFY(QFile::link(victim, link));
        QFile stranger(copy_->path() + QStringLiteral("/notes.txt"));
        QVERIFY(stranger.open(QIODevice::WriteOnly));
        stranger.write("mine");
        stranger.close();

        cache.clearCache();
        // Every entry went, the 404 answers too; the link is left alone.
        QCOMPARE(QDir(copy_->path()).entryList({QStringLiteral("*_0")}, QDir::Files),
                 QStringList({QStringLiteral("fedcba9876543210_0")}));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo::exists(victim));
        QVERIFY(QFileInfo::exists(stranger.fileName()));
        QVERIFY(QFileInfo::exists(copy_->path() + QStringLiteral("/index-dir/the-real-index")));
        QVERIFY(listAll(cache).isEmpty());
    }

    // Chromium keeps a picture once per top-level site that loaded it: pages on 127.0.0.1 and on
    // localhost showing the same picture leave two entries of one address. It is listed once.
    void pictureOfTwoSitesIsListedOnce() {
        CachingHttpServer server;
        QVERIFY(server.listen());
        const QByteArray picture = fixture_.pictures.value(QStringLiteral("/pics/red.png"));
        const TwoSitePages pages;
        const QString shared = pages.install(server, picture);
        ChromiumProcess chromium;
        QVERIFY2(chromium.start(server.url(pages.firstPage)), qPrintable(chromium.errorString()));
        // Each site fetches the picture into its own part of the cache.
        QTRY_VERIFY_WITH_TIMEOUT(server.hits(pages.picturePath) >= 2, 30000);
        const QString cacheData = chromium.profileDir() + QStringLiteral("/Default/Cache/Cache_Data");
        const auto copiesOfShared = [&] {
            int copies = 0;
            for (const QFileInfo& info :
                 QDir(cacheData).entryInfoList({QStringLiteral("*_0")}, QDir::Files)) {
                QFile file(info.filePath());
                const QByteArray head = file.open(QIODevice::ReadOnly) ? file.read(4096) : QByteArray();
                if (head.size() >= 24 && head.mid(24, qFromLittleEndian<quint32>(head.constData() + 12))
                                             .endsWith(" " + shared.toUtf8())) {
                    ++copies;  // an entry whose key names the picture
                }
            }
            return copies;
        };
        QTRY_COMPARE_WITH_TIMEOUT(copiesOfShared(), 2, 15000);
        chromium.close(10000);
        QTemporaryDir copy;
        QVERIFY(CopyCacheFolder(cacheData, copy.path()));

        DiskBrowserCache cache(CacheFolders::inFolder(copy.path() + QStringLiteral("/")),
                               materialized_.path());
        QCOMPARE(ListedBodiesOf(cache, shared), QList<QByteArray>{picture});
    }

  private:
    DiskBrowserCache freshCache() {
        copy_.emplace();
        materializedRoot_.emplace();
        materialized_.setPath(materializedRoot_->path());
        CopyCacheFolder(original_.path() + QStringLiteral("/Cache_Data"), copy_->path());
        return DiskBrowserCache(CacheFolders::inFolder(copy_->path() + QStringLiteral("/")),
                                materialized_.path());
    }
    QString firstEntryFile() const {
        return QDir(copy_->path()).entryInfoList({QStringLiteral("*_0")}, QDir::Files).first().filePath();
    }

    CachingHttpServer server_;
    PictureFixture fixture_;
    QTemporaryDir original_;
    std::optional<QTemporaryDir> copy_;
    std::optional<QTemporaryDir> materializedRoot_;
    QDir materialized_;
};

QTEST_GUILESS_MAIN(ChromiumCacheTest)
#include "tst_chromiumcache.moc"
