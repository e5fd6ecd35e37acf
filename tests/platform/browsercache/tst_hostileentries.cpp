#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "SimpleCacheWriter.h"
#include "platform/browsercache/ByteSource.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/browsercache/FirefoxCacheEntryReader.h"
#include "platform/browsercache/LocalFileNamer.h"
#include "platform/browsercache/SimpleCacheEntryReader.h"
#include "platform/browsercache/SimpleCacheIndex.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

QByteArray okHeaders(const QByteArray& type) {
    return SimpleCacheWriter::responseInfo(
        QByteArray("HTTP/1.1 200 OK") + '\0' + "Content-Type: " + type + '\0' + '\0', 0);
}

std::optional<CacheRecord> readChromium(const QByteArray& bytes) {
    MemoryByteSource source(bytes);
    return SimpleCacheEntryReader::read(source);
}

// A cache2 entry as firefox-esr writes it: body, hashes, header, key, elements, offset.
QByteArray firefoxEntry(const QByteArray& key, const QByteArray& body, const QByteArray& responseHead) {
    QByteArray meta(6, '\0');  // metadata hash and one chunk hash
    const quint32 fields[] = {4, 1, 1700000000, 1700000000, 1, 1800000000, quint32(key.size()), 0};
    for (quint32 field : fields) {
        char raw[4];
        qToBigEndian(field, raw);
        meta.append(raw, 4);
    }
    meta += key + '\0' + "response-head" + '\0' + responseHead + '\0';
    char offset[4];
    qToBigEndian(quint32(body.size()), offset);
    return body + meta + QByteArray(offset, 4);
}

}  // namespace

// Entries no browser wrote: corrupt, truncated, with lying lengths or hostile addresses. They are
// skipped, and nothing they say leads a name or a path out of the folders.
class HostileEntriesTest : public QObject {
    Q_OBJECT

  private slots:
    void chromiumKeys_data() {
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QString>("url");
        QTest::newRow("partitioned") << QByteArray("1/0/_dk_http://a http://a http://a/p.png")
                                     << "http://a/p.png";
        QTest::newRow("plain") << QByteArray("https://a/p.png") << "https://a/p.png";
        QTest::newRow("cache not split by site") << QByteArray("1/0/http://a/p.png") << "http://a/p.png";
        QTest::newRow("without credentials") << QByteArray("0/0/https://a/p.png") << "https://a/p.png";
        QTest::newRow("upload") << QByteArray("1/1735689/http://a/form") << "http://a/form";
        QTest::newRow("frame document")
            << QByteArray("1/0/_dk_s_http://a http://b http://b/f.html") << "http://b/f.html";
        QTest::newRow("address holding an address")
            << QByteArray("1/0/http://a/go?to=http://b/x.png") << "http://a/go?to=http://b/x.png";
        QTest::newRow("prefix with a colon") << QByteArray("1/0/x:http://a/p.png") << "";
        QTest::newRow("no address") << QByteArray("1/0/_dk_x y z") << "";
        QTest::newRow("a path") << QByteArray("/etc/passwd") << "";
        QTest::newRow("file address") << QByteArray("1/0/_dk_ file:///etc/passwd") << "";
        QTest::newRow("scheme only") << QByteArray("1/0/_dk_http://a http://") << "";
    }

    void chromiumKeys() {
        QFETCH(QByteArray, key);
        QFETCH(QString, url);
        const std::optional<CacheRecord> record =
            readChromium(SimpleCacheWriter::entryBytes(key, "body", okHeaders("image/png")));
        QCOMPARE(record.has_value(), !url.isEmpty());
        if (record) {
            QCOMPARE(record->sourceUrl, url);
            QCOMPARE(record->bodyLength, 4);
        }
    }

    void chromiumDamage_data() {
        QTest::addColumn<int>("damage");
        QTest::newRow("truncated by one byte") << 0;
        QTest::newRow("huge key length") << 1;
        QTest::newRow("stream size beyond the file") << 2;
        QTest::newRow("headers CRC wrong") << 3;
        QTest::newRow("wrong header magic") << 4;
        QTest::newRow("404 answer") << 5;
        QTest::newRow("negative stream size") << 6;
    }

    void chromiumDamage() {
        QFETCH(int, damage);
        QByteArray headers = okHeaders("image/png");
        if (damage == 5) {
            headers = SimpleCacheWriter::responseInfo(QByteArray("HTTP/1.1 404 Not Found\0\0", 24), 0);
        }
        QByteArray bytes = SimpleCacheWriter::entryBytes("http://a/p.png", "body", headers);
        QVERIFY(readChromium(bytes).has_value());
        if (damage == 5) {
            // An error answer is an entry of the cache (it goes with "Clear cache"), not a body to list.
            QVERIFY(!readChromium(bytes)->usable);
            return;
        }
        const auto put32 = [&](qsizetype at, quint32 value) { qToLittleEndian(value, bytes.data() + at); };
        switch (damage) {
            case 0:
                bytes.chop(1);
                break;
            case 1:
                put32(12, 0xfffffff0u);
                break;
            case 2:
                put32(bytes.size() - 8, 0x7ffffff0u);
                break;
            case 3:
                put32(bytes.size() - 12, 0x12345678u);
                break;
            case 4:
                bytes[0] = 'X';
                break;
            case 6:
                put32(bytes.size() - 8, 0xffffff00u);
                break;
            default:
                break;
        }
        QVERIFY(!readChromium(bytes).has_value());
    }

    void firefoxKeysAndDamage() {
        const QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: image/gif\r\n";
        const auto read = [](const QByteArray& bytes) {
            MemoryByteSource source(bytes);
            return FirefoxCacheEntryReader::read(source);
        };
        const std::optional<CacheRecord> good = read(firefoxEntry("a,:http://h/x.gif", "GIF!", head));
        QVERIFY(good);
        QCOMPARE(good->sourceUrl, QStringLiteral("http://h/x.gif"));
        QCOMPARE(good->contentType, QStringLiteral("image/gif"));
        QCOMPARE(good->bodyLength, 4);
        QCOMPARE(FirefoxCacheEntryReader::urlOfKey("O^partitionKey=%28http%2Ca%29,a,,b,:https://h/y"),
                 QStringLiteral("https://h/y"));
        QVERIFY(!read(firefoxEntry("a,:/etc/passwd", "x", head)));
        QVERIFY(!read(firefoxEntry("no address at all", "x", head)));
        QVERIFY(!read(firefoxEntry(":http://h/x", "x", "HTTP/1.1 404 Not Found\r\n"))->usable);
        QByteArray lying = firefoxEntry(":http://h/x", "x", head);
        qToBigEndian(quint32(0x7fffffff), lying.data() + lying.size() - 4);
        QVERIFY(!read(lying));
        QByteArray longKey = firefoxEntry(":http://h/x", "x", head);
        qToBigEndian(quint32(0x00ffffff), longKey.data() + 1 + 6 + 24);
        QVERIFY(!read(longKey));
        QVERIFY(!read(QByteArray("\0\0\0", 3)));
    }

    void namesStayInTheirFolder_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "http://h/a/pic.png"
                               << "image/png"
                               << "pic.png";
        QTest::newRow("type gives the extension") << "http://h/a/pic"
                                                  << "image/jpeg"
                                                  << "pic.jpg";
        QTest::newRow("query and fragment") << "http://h/a/p.gif?x=/../y#z"
                                            << ""
                                            << "p.gif";
        QTest::newRow("dot dot") << "http://h/a/.."
                                 << "image/png"
                                 << "cached...png";
        QTest::newRow("empty segment") << "http://h/a/"
                                       << "image/gif"
                                       << "cached.gif";
        QTest::newRow("encoded slash stays text") << "http://h/a/..%2F..%2Fx.png"
                                                  << ""
                                                  << "cached..%2F..%2Fx.png";
        QTest::newRow("backslash") << "http://h/a\\..\\x.png"
                                   << ""
                                   << "a_.._x.png";
        QTest::newRow("no path") << "http://h"
                                 << "image/png"
                                 << "cached.png";
        QTest::newRow("hidden name") << "http://h/.bashrc"
                                     << ""
                                     << "cached.bashrc";
    }

    void namesStayInTheirFolder() {
        QFETCH(QString, url);
        QFETCH(QString, type);
        QFETCH(QString, name);
        QCOMPARE(LocalFileNamer::fileName(url, type), name);
    }

    void longNamesAreBounded() {
        const QString name =
            LocalFileNamer::fileName(QStringLiteral("http://h/") + QString(500, u'x') + ".jpeg", {});
        QCOMPARE(name.size(), LocalFileNamer::kMaxNameLength);
        QVERIFY(name.endsWith(QStringLiteral(".jpeg")));
    }

    void fifosAndLinksAreNotOpened() {
        // A FIFO in place of the index or of an entry would block a reader that opens it; a link would
        // lead it out of the cache folder. Both are passed over.
        QTemporaryDir cache;
        QTemporaryDir outside;
        QTemporaryDir bodies;
        QVERIFY(QDir().mkpath(cache.filePath(QStringLiteral("index-dir"))));
        QVERIFY(::mkfifo(QFile::encodeName(cache.filePath(QStringLiteral("index-dir/the-real-index"))),
                         0600) == 0);
        QVERIFY(::mkfifo(QFile::encodeName(cache.filePath(QStringLiteral("00000000000000aa_0"))), 0600) == 0);
        QVERIFY(
            SimpleCacheWriter::write(outside.path(), "http://h/linked.png", "body", okHeaders("image/png")));
        QVERIFY(QFile::link(outside.filePath(SimpleCacheWriter::fileName("http://h/linked.png")),
                            cache.filePath(QStringLiteral("00000000000000bb_0"))));
        QVERIFY(SimpleCacheWriter::write(cache.path(), "http://h/real.png", "body", okHeaders("image/png")));
        QCOMPARE(SimpleCacheIndex::load(cache.path()).size(), 0);
        DiskBrowserCache reader(CacheFolders::inFolder(cache.path()), bodies.path());
        QStringList urls;
        reader.enumerate([&](const BrowserCache::Entry& entry) {
            urls << entry.sourceUrl;
            return true;
        });
        QCOMPARE(urls, QStringList{QStringLiteral("http://h/real.png")});
    }

    void hostileEntryMaterialisesInsideItsFolder() {
        QTemporaryDir cache;
        QTemporaryDir bodies;
        QDir().mkpath(cache.path() + QStringLiteral("/index-dir"));
        SimpleCacheWriter::write(cache.path(), "1/0/_dk_x http://h/../../../../tmp/evil.png", "evil",
                                 okHeaders("image/png"));
        DiskBrowserCache reader(CacheFolders::inFolder(cache.path()), bodies.path());
        QList<BrowserCache::Entry> entries;
        reader.enumerate([&](const BrowserCache::Entry& entry) {
            entries << entry;
            return true;
        });
        QCOMPARE(entries.size(), 1);
        QVERIFY(reader.materialize(entries.first()));
        const QString written = QFileInfo(entries.first().localFileName).canonicalFilePath();
        QVERIFY(written.startsWith(QFileInfo(bodies.path()).canonicalFilePath() + QLatin1Char('/')));
        QCOMPARE(QFileInfo(written).fileName(), QStringLiteral("evil.png"));
    }
};

QTEST_GUILESS_MAIN(HostileEntriesTest)
#include "tst_hostileentries.moc"
