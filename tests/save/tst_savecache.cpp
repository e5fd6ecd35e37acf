#include <QtEndian>
#include <QtTest>

#include "SaveFixture.h"
#include "SimpleCacheWriter.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

QByteArray pngBody(int seed) {
    QByteArray body("\x89PNG\r\n\x1A\n", 8);
    for (int i = 0; i < 2000; ++i)
        body.append(char((i * 13 + seed) % 251));
    return body;
}

QByteArray okInfo() {
    return SimpleCacheWriter::responseInfo(
        QByteArray("HTTP/1.1 200 OK") + '\0' + "Content-Type: image/png" + '\0' + '\0', 0);
}

// The response info of a body that broke off: Chromium sets the truncated flag (0x1000) in the flags
// word that follows the pickle's length.
QByteArray cutOffInfo() {
    QByteArray info = okInfo();
    const quint32 flags = qFromLittleEndian<quint32>(info.constData() + 4) | 0x1000u;
    qToLittleEndian(flags, info.data() + 4);
    return info;
}

QByteArray announcingInfo(qsizetype length) {
    return SimpleCacheWriter::responseInfo(QByteArray("HTTP/1.1 200 OK") + '\0' + "Content-Type: image/png" +
                                               '\0' + "Content-Length: " + QByteArray::number(length) + '\0' +
                                               '\0',
                                           0);
}

}  // namespace

// Save runs against the real disk cache reader over a simple cache in Chromium's format, with the
// pictures the cache lacks served from loopback.
class TestSaveCache : public QObject {
    Q_OBJECT

    LoopbackHttpServer server_;

  private slots:
    void initTestCase() { QVERIFY(server_.listen()); }

    // Several pictures the cache lacks cost one walk of the cache in all; pictures it holds under
    // another letter case are still taken from it, each of them.
    void missingPicturesCostOneWalk() {
        SaveFixture f;
        QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/Cache_Data");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/index-dir")));
        for (int i = 0; i < 300; ++i) {
            const QString url = QStringLiteral("http://other.example/res%1").arg(i);
            QVERIFY(SimpleCacheWriter::write(
                folder, SimpleCacheWriter::keyFor(url, QStringLiteral("http://other.example")), "x",
                okInfo()));
        }
        QStringList urls;
        QList<QByteArray> bodies;
        for (int i = 0; i < 8; ++i) {
            const QString path = QStringLiteral("/pics/p%1.png").arg(i);
            bodies << pngBody(i);
            const QString url = server_.url(path);
            if (i % 2 == 0) {
                server_.addPage(path, bodies.last(), "image/png");  // not cached
                urls << url;
            } else if (i % 4 == 1) {
                QVERIFY(SimpleCacheWriter::write(
                    folder, SimpleCacheWriter::keyFor(url, server_.url(QString()).chopped(1)), bodies.last(),
                    okInfo()));
                urls << url;
            } else {
                // Cached as the page asked for it, listed in the preview in other letters.
                QVERIFY(SimpleCacheWriter::write(
                    folder, SimpleCacheWriter::keyFor(url, server_.url(QString()).chopped(1)), bodies.last(),
                    okInfo()));
                urls << url.toUpper().replace(QStringLiteral("HTTP://"), QStringLiteral("http://"));
            }
        }
        for (const QString& url : urls)
            f.addPicture(url);
        DiskBrowserCache cache(CacheFolders::inFolder(folder), root.path() + QStringLiteral("/bodies"),
                               DiskBrowserCache::Listing::Kept);
        f.services.cache = &cache;
        server_.clearRequests();

        f.run();
        QCOMPARE(cache.walks(), 1);
        QCOMPARE(f.label, QStringLiteral("Saved:8/8"));
        // Pictures the cache holds may be asked for while the walk goes on (they are not served here),
        // and come from the cache all the same; the others are fetched once each.
        for (int i = 0; i < 8; ++i) {
            const qsizetype asked = server_.requestsFor(QStringLiteral("/pics/p%1.png").arg(i)).size();
            QVERIFY2(i % 2 == 0 ? asked == 1 : asked <= 1, qPrintable(QString::number(i)));
        }
        for (int i = 0; i < 8; ++i)
            QCOMPARE(readFile(f.saveFolder + QStringLiteral("%1.png").arg(i + 1)), bodies[i]);
    }

    // A picture only the walk finds, whose server is gone: the run does not lose it to the network's
    // failure while the walk is still under way, it takes the copy the walk finds.
    void pictureTheNetworkFailsIsTakenFromTheWalk() {
        SaveFixture f;
        QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/Cache_Data");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/index-dir")));
        for (int i = 0; i < 3000; ++i) {
            const QString url = QStringLiteral("http://other.example/res%1").arg(i);
            QVERIFY(SimpleCacheWriter::write(
                folder, SimpleCacheWriter::keyFor(url, QStringLiteral("http://other.example")), "x",
                okInfo()));
        }
        // Nothing listens on port 1: the transfer fails at once.
        const QString url = QStringLiteral("http://127.0.0.1:1/gone/picture.png");
        const QByteArray body = pngBody(7);
        QVERIFY(SimpleCacheWriter::write(
            folder, SimpleCacheWriter::keyFor(url, QStringLiteral("http://elsewhere.example")), body,
            okInfo()));
        f.addPicture(url);
        DiskBrowserCache cache(CacheFolders::inFolder(folder), root.path() + QStringLiteral("/bodies"),
                               DiskBrowserCache::Listing::Kept);
        cache.setPageUrl(QStringLiteral("http://gallery.example/index.html"));
        f.services.cache = &cache;
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:1/1"));
        QCOMPARE(readFile(f.saveFolder + QStringLiteral("1.png")), body);
        QCOMPARE(cache.walks(), 1);
    }

    // A picture the cache holds only in part (cut off as Chromium marks it, or shorter than the length
    // its answer announced) is never saved as it is. Found by its key, it is fetched whole from the
    // web; found only by the walk, with its server gone, it is a failed picture.
    void cutOffCopyIsNeverSaved_data() {
        QTest::addColumn<bool>("flagged");  // else: fewer bytes than announced
        QTest::addColumn<bool>("keyedForThePage");
        QTest::newRow("flagged, found by key") << true << true;
        QTest::newRow("flagged, found by the walk") << true << false;
        QTest::newRow("short, found by key") << false << true;
        QTest::newRow("short, found by the walk") << false << false;
    }
    void cutOffCopyIsNeverSaved() {
        QFETCH(bool, flagged);
        QFETCH(bool, keyedForThePage);
        SaveFixture f;
        QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/Cache_Data");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/index-dir")));
        const QString path = QStringLiteral("/cut/%1.png")
                                 .arg(QString::fromLatin1(QTest::currentDataTag()).replace(u' ', u'-'));
        const QByteArray whole = pngBody(11);
        QString url;
        QString site;
        if (keyedForThePage) {
            url = server_.url(path);
            server_.addPage(path, whole, "image/png");
            site = QStringLiteral("http://127.0.0.1");  // Chromium's site of a loopback page has no port
        } else {
            url = QStringLiteral("http://127.0.0.1:1") + path;  // nothing listens on port 1
            site = QStringLiteral("http://elsewhere.example");
        }
        QVERIFY(SimpleCacheWriter::write(folder, SimpleCacheWriter::keyFor(url, site),
                                         whole.left(whole.size() / 2),
                                         flagged ? cutOffInfo() : announcingInfo(whole.size())));
        f.addPicture(url);
        DiskBrowserCache cache(CacheFolders::inFolder(folder), root.path() + QStringLiteral("/bodies"),
                               DiskBrowserCache::Listing::Kept);
        cache.setPageUrl(server_.url(QStringLiteral("/gallery.html")));
        f.services.cache = &cache;
        server_.clearRequests();

        f.run();
        QVERIFY(cache.walks() <= 1);
        if (keyedForThePage) {
            QCOMPARE(f.label, QStringLiteral("Saved:1/1"));
            QCOMPARE(f.filesIn(f.saveFolder), QStringList{QStringLiteral("1.png")});
            QCOMPARE(readFile(f.saveFolder + QStringLiteral("1.png")), whole);
            QCOMPARE(server_.requestsFor(path).size(), 1);
        } else {
            QCOMPARE(cache.walks(), 1);
            QCOMPARE(f.label, QStringLiteral("Saved:0/1"));
            QCOMPARE(f.filesIn(f.saveFolder), QStringList());
        }
    }

    // A picture kept for two sites is saved once per preview row, from the copy used last.
    void pictureOfTwoSitesIsTakenFromTheCopyUsedLast() {
        SaveFixture f;
        QTemporaryDir root;
        const QString folder = root.path() + QStringLiteral("/Cache_Data");
        QVERIFY(QDir().mkpath(folder));
        const QString url = QStringLiteral("http://cdn.example/Shared.png");
        const QByteArray older = pngBody(1);
        const QByteArray newer = pngBody(2);
        for (const auto& [site, body, ago] : {std::tuple{QStringLiteral("http://a.example"), older, 3600},
                                              std::tuple{QStringLiteral("http://b.example"), newer, 10}}) {
            const QByteArray key = SimpleCacheWriter::keyFor(url, site);
            QVERIFY(SimpleCacheWriter::write(folder, key, body, okInfo()));
            QFile file(folder + QLatin1Char('/') + SimpleCacheWriter::fileName(key));
            QVERIFY(file.open(QIODevice::ReadWrite));
            file.setFileTime(QDateTime::currentDateTime().addSecs(-ago), QFileDevice::FileModificationTime);
        }
        f.addPicture(QStringLiteral("http://cdn.example/shared.png"));  // found by the walk only
        DiskBrowserCache cache(CacheFolders::inFolder(folder), root.path() + QStringLiteral("/bodies"),
                               DiskBrowserCache::Listing::Kept);
        f.services.cache = &cache;
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:1/1"));
        QCOMPARE(f.filesIn(f.saveFolder), QStringList({QStringLiteral("1.png")}));
        QCOMPARE(readFile(f.saveFolder + QStringLiteral("1.png")), newer);
    }
};

QTEST_GUILESS_MAIN(TestSaveCache)
#include "tst_savecache.moc"
