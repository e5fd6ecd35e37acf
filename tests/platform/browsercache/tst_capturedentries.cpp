#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "BodiesFixture.h"
#include "BodyEncoding.h"
#include "SimpleCacheWriter.h"
#include "platform/browsercache/BodyDecoder.h"
#include "platform/browsercache/BodyExtractor.h"
#include "platform/browsercache/ByteSource.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/browsercache/FirefoxCacheEntryReader.h"
#include "platform/browsercache/LocalFileNamer.h"
#include "platform/browsercache/PictureSniffer.h"
#include "platform/browsercache/SimpleCacheEntryReader.h"
#include "platform/browsercache/SimpleCacheIndex.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

enum class Change { None, CutFirefoxBody, NewerVersion };

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A cache2 entry whose body lost its second half, as a browser killed mid-transfer leaves it: the
// metadata (and the announced length in it) stay as they were.
QByteArray cutFirefoxBody(const QByteArray& entry) {
    const quint32 metaOffset = qFromBigEndian<quint32>(entry.constData() + entry.size() - 4);
    const quint32 kept = metaOffset / 2;
    QByteArray cut = entry.left(kept) + entry.mid(metaOffset, entry.size() - 4 - metaOffset);
    char offset[4];
    qToBigEndian(kept, offset);
    return cut + QByteArray(offset, 4);
}

}  // namespace

// Entry files that headless Chromium (its cache not split by site) and firefox-esr wrote for the
// pictures of BodiesFixture (tests/data/cache/captured, see the README there), read without a
// browser: cut-off, compressed, mislabelled and oddly addressed bodies.
class CapturedEntriesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        CachingHttpServer unused;
        fixture_.install(&unused);
        folder_ = qEnvironmentVariable("VORLAKEN_TEST_DATA") + QStringLiteral("/cache/captured/");
        QVERIFY2(QFileInfo::exists(folder_ + QStringLiteral("chromium-enc-gzip.png")), qPrintable(folder_));
    }

    void capturedEntries_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("change");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QString>("name");

        const auto row = [](const char* file, Change change, const char* path, bool usable,
                            const char* name) {
            QTest::newRow(file) << QString::fromLatin1(file) << int(change) << QString::fromLatin1(path)
                                << usable << QString::fromLatin1(name);
        };
        row("chromium-enc-gzip.png", Change::None, "/enc/gzip.png", true, "gzip.png");
        row("chromium-enc-br.png", Change::None, "/enc/br.png", true, "br.png");
        row("chromium-enc-zstd.png", Change::None, "/enc/zstd.png", true, "zstd.png");
        row("chromium-enc-pic.svg", Change::None, "/enc/pic.svg", true, "pic.svg");
        row("chromium-x-webp.jpg", Change::None, "/x/webp.jpg", true, "webp.webp");
        row("chromium-img.php-id-1", Change::None, "/img.php?id=1", true, "img.png");
        row("chromium-pics-abc.v2", Change::None, "/pics/abc.v2", true, "abc.png");
        row("chromium-cut-half.png", Change::None, "/cut/half.png", false, "");
        row("firefox-enc-gzip.png", Change::None, "/enc/gzip.png", true, "gzip.png");
        row("firefox-enc-br.png", Change::None, "/enc/br.png", true, "br.png");
        row("firefox-enc-zstd.png", Change::None, "/enc/zstd.png", true, "zstd.png");
        row("firefox-enc-pic.svg", Change::None, "/enc/pic.svg", true, "pic.svg");
        row("firefox-x-webp.jpg", Change::None, "/x/webp.jpg", true, "webp.webp");
        row("firefox-img.php-id-1", Change::None, "/img.php?id=1", true, "img.png");
        row("firefox-pics-abc.v2", Change::None, "/pics/abc.v2", true, "abc.png");
        QTest::newRow("firefox body cut off")
            << "firefox-img.php-id-1" << int(Change::CutFirefoxBody) << "/img.php?id=1" << false << "";
    }

    void capturedEntries() {
        QFETCH(QString, file);
        QFETCH(int, change);
        QFETCH(QString, path);
        QFETCH(bool, usable);
        QFETCH(QString, name);
        const bool chromium = file.startsWith(QLatin1String("chromium"));
        QByteArray bytes = readAll(folder_ + file);
        QVERIFY(!bytes.isEmpty());
        if (Change(change) == Change::CutFirefoxBody) {
            bytes = cutFirefoxBody(bytes);
        }
        if (chromium) {
            // Without the split cache Chromium keys an entry "1/0/<address>".
            QVERIFY(bytes.mid(24).startsWith("1/0/http://127.0.0.1:"));
        }
        QTemporaryDir work;
        const QString entryFile = work.filePath(QStringLiteral("entry"));
        QFile out(entryFile);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        out.close();

        FileByteSource source(entryFile);
        std::optional<CacheRecord> record =
            chromium ? SimpleCacheEntryReader::read(source) : FirefoxCacheEntryReader::read(source);
        QVERIFY(record);
        QVERIFY(record->sourceUrl.startsWith(QLatin1String("http://127.0.0.1:")));
        QVERIFY(record->sourceUrl.endsWith(path));
        QCOMPARE(record->usable, usable);
        record->entryFile = entryFile;
        const QString target = work.filePath(QStringLiteral("body"));
        if (!usable) {
            // Cut off, in whichever way the browser tells it: never listed, never copied out.
            QVERIFY(record->truncated);
            QVERIFY(!BodyExtractor::write(*record, target));
            QVERIFY(!QFileInfo::exists(target));
            return;
        }
        QCOMPARE(LocalFileNamer::fileName(record->sourceUrl, record->contentType), name);
        QVERIFY(BodyExtractor::write(*record, target));
        QCOMPARE(readAll(target), fixture_.pictures.value(path).bytes);
    }

    void unknownVersionsAreUnreadable_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qsizetype>("versionAt");
        QTest::newRow("chromium") << "chromium-enc-gzip.png" << qsizetype(8);
        QTest::newRow("firefox") << "firefox-enc-gzip.png" << qsizetype(-1);
    }

    void unknownVersionsAreUnreadable() {
        QFETCH(QString, file);
        QFETCH(qsizetype, versionAt);
        QByteArray bytes = readAll(folder_ + file);
        const bool chromium = versionAt >= 0;
        if (chromium) {
            qToLittleEndian<quint32>(6, bytes.data() + versionAt);
        } else {
            const quint32 metaOffset = qFromBigEndian<quint32>(bytes.constData() + bytes.size() - 4);
            const qsizetype chunks =
                (metaOffset + FirefoxCacheEntryReader::kChunkSize - 1) / FirefoxCacheEntryReader::kChunkSize;
            qToBigEndian<quint32>(9, bytes.data() + metaOffset + 4 + 2 * chunks);
        }
        MemoryByteSource source(bytes);
        ReadFailure failure = ReadFailure::NotWeb;
        const std::optional<CacheRecord> record = chromium ? SimpleCacheEntryReader::read(source, &failure)
                                                           : FirefoxCacheEntryReader::read(source, &failure);
        QVERIFY(!record);
        QCOMPARE(failure, ReadFailure::Unreadable);
    }

    void listingCountsWhatItCouldNotRead() {
        // A real entry, the same with a version this reader does not know, and an entry of no web
        // address (which is no failure to read): the listing shows one and counts one unreadable.
        QTemporaryDir cache;
        QVERIFY(QDir().mkpath(cache.filePath(QStringLiteral("index-dir"))));
        const QByteArray real = readAll(folder_ + QStringLiteral("chromium-enc-gzip.png"));
        QByteArray newer = real;
        qToLittleEndian<quint32>(6, newer.data() + 8);
        const QByteArray other = SimpleCacheWriter::entryBytes("1/0/chrome-extension://abc/x.png", "x", {});
        const QList<QPair<QString, QByteArray>> files = {{QStringLiteral("0000000000000001_0"), real},
                                                         {QStringLiteral("0000000000000002_0"), newer},
                                                         {QStringLiteral("0000000000000003_0"), other}};
        for (const auto& [name, bytes] : files) {
            QFile file(cache.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        QTemporaryDir bodies;
        DiskBrowserCache reader(CacheFolders::inFolder(cache.path()), bodies.path());
        int listed = 0;
        reader.enumerate([&](const BrowserCache::Entry&) {
            ++listed;
            return true;
        });
        QCOMPARE(listed, 1);
        QCOMPARE(reader.unreadableEntries(), 1);
        QCOMPARE(reader.statusNote(), QStringLiteral("1 cache entry could not be read."));
    }

    void lastUseIsTheLatestTheCacheRecords_data() {
        // Minutes before now of each record of the entry's use; -1: the record is absent.
        QTest::addColumn<int>("fileChanged");
        QTest::addColumn<int>("responseStored");
        QTest::addColumn<int>("indexUsed");
        QTest::addColumn<int>("lastUsed");
        QTest::newRow("index, written lazily, is newest") << 3000 << 2000 << 5 << 5;
        QTest::newRow("index without the entry") << 3000 << 10 << -1 << 10;
        QTest::newRow("stale index") << 3000 << 20 << 4000 << 20;
        QTest::newRow("file newest") << 7 << 2000 << 3000 << 7;
    }

    void lastUseIsTheLatestTheCacheRecords() {
        QFETCH(int, fileChanged);
        QFETCH(int, responseStored);
        QFETCH(int, indexUsed);
        QFETCH(int, lastUsed);
        const QDateTime now = QDateTime::currentDateTimeUtc();
        const auto windowsMicros = [&](int minutesAgo) {
            return (now.addSecs(-60LL * minutesAgo).toMSecsSinceEpoch() + 11644473600000LL) * 1000;
        };
        QTemporaryDir cache;
        QVERIFY(QDir().mkpath(cache.filePath(QStringLiteral("index-dir"))));
        const QByteArray key = "1/0/http://h/p.png";
        QVERIFY(SimpleCacheWriter::write(
            cache.path(), key, "body",
            SimpleCacheWriter::responseInfo(QByteArray("HTTP/1.1 200 OK\0Content-Type: image/png\0\0", 41),
                                            windowsMicros(responseStored))));
        const QString name = SimpleCacheWriter::fileName(key);
        QFile entry(cache.filePath(name));
        QVERIFY(entry.open(QIODevice::ReadWrite));
        QVERIFY(entry.setFileTime(now.addSecs(-60LL * fileChanged), QFileDevice::FileModificationTime));
        entry.close();
        // The index: pickle header, magic, version, count, cache size, write reason, entries, time.
        QByteArray index;
        const auto put = [&](auto value) {
            QByteArray raw(sizeof(value), Qt::Uninitialized);
            qToLittleEndian(value, raw.data());
            index += raw;
        };
        const int count = indexUsed >= 0 ? 1 : 0;
        put(quint32(32 + 24 * count + 8));
        put(quint32(0));
        put(SimpleCacheIndex::kMagic);
        put(quint32(9));
        put(quint64(count));
        put(quint64(0));
        put(quint32(0));
        if (count > 0) {
            put(name.left(16).toULongLong(nullptr, 16));
            put(qint64(windowsMicros(indexUsed)));
            put(quint64(4096));
        }
        put(qint64(windowsMicros(0)));
        QFile indexFile(cache.filePath(QStringLiteral("index-dir/the-real-index")));
        QVERIFY(indexFile.open(QIODevice::WriteOnly) && indexFile.write(index) == index.size());
        indexFile.close();
        QCOMPARE(SimpleCacheIndex::load(cache.path()).size(), count);

        QTemporaryDir bodies;
        DiskBrowserCache reader(CacheFolders::inFolder(cache.path()), bodies.path());
        QList<BrowserCache::Entry> entries;
        reader.enumerate([&](const BrowserCache::Entry& listed) {
            entries << listed;
            return true;
        });
        QCOMPARE(entries.size(), 1);
        QVERIFY2(qAbs(entries.first().lastAccess.secsTo(now.addSecs(-60LL * lastUsed))) <= 2,
                 qPrintable(entries.first().lastAccess.toString(Qt::ISODate)));
    }

    void rewrittenFirefoxBodyIsNotHandedOut() {
        // The chunk hashes of cache2 cover the body: a byte changed after listing fails the copy.
        QTemporaryDir work;
        const QString entryFile = work.filePath(QStringLiteral("entry"));
        QVERIFY(QFile::copy(folder_ + QStringLiteral("firefox-img.php-id-1"), entryFile));
        FileByteSource source(entryFile);
        std::optional<CacheRecord> record = FirefoxCacheEntryReader::read(source);
        QVERIFY(record && record->usable);
        record->entryFile = entryFile;
        QFile file(entryFile);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(record->bodyLength / 2));
        const char flipped = char(file.peek(1).at(0) ^ 0x40);
        QVERIFY(file.write(&flipped, 1) == 1);
        file.close();
        QVERIFY(!BodyExtractor::write(*record, work.filePath(QStringLiteral("body"))));
    }

  private:
    BodiesFixture fixture_;
    QString folder_;
};

QTEST_GUILESS_MAIN(CapturedEntriesTest)
#include "tst_capturedentries.moc"
