#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include "CacheListing.h"
#include "SimpleCacheWriter.h"
#include "platform/browsercache/DiskBrowserCache.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

QByteArray okInfo(const QByteArray& type) {
    return SimpleCacheWriter::responseInfo(
        QByteArray("HTTP/1.1 200 OK") + '\0' + "Content-Type: " + type + '\0' + '\0', 0);
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A simple cache folder written by the tests' writer, and a folder for the materialised copies.
class CacheShape {
  public:
    CacheShape() {
        folder = root.path() + QStringLiteral("/Cache_Data");
        bodies = root.path() + QStringLiteral("/bodies");
        QDir().mkpath(folder + QStringLiteral("/index-dir"));
    }
    // Writes url as loaded by a page of site; its last use is secondsAgo before now.
    QString add(const QString& url, const QString& site, const QByteArray& body, int secondsAgo = 60,
                const QByteArray& type = "image/png") {
        const QByteArray key = SimpleCacheWriter::keyFor(url, site);
        SimpleCacheWriter::write(folder, key, body, okInfo(type));
        const QString path = folder + QLatin1Char('/') + SimpleCacheWriter::fileName(key);
        QFile file(path);
        file.open(QIODevice::ReadWrite);
        file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo),
                         QFileDevice::FileModificationTime);
        return path;
    }
    DiskBrowserCache open(DiskBrowserCache::Listing listing = DiskBrowserCache::Listing::Fresh) const {
        return DiskBrowserCache(CacheFolders::inFolder(folder), bodies, listing);
    }

    QTemporaryDir root;
    QString folder;
    QString bodies;
};

}  // namespace

// The listing of the disk caches as the programs use it: bodies handed out while listing, one row per
// address, one walk per save run, and clearing.
class DiskListingTest : public QObject {
    Q_OBJECT

  private slots:
    void everyEntryMaterialisesWhileListing() {
        CacheShape shape;
        for (int i = 0; i < 15; ++i) {
            shape.add(QStringLiteral("http://h/p%1.png").arg(i), QStringLiteral("http://h"),
                      QByteArray("picture ") + QByteArray::number(i));
        }
        DiskBrowserCache cache = shape.open();
        int copied = 0;
        cache.enumerate([&](const BrowserCache::Entry& entry) {
            if (cache.materialize(entry) &&
                readAll(entry.localFileName) == "picture " + entry.sourceUrl.mid(10).chopped(4).toLatin1()) {
                ++copied;
            }
            return true;
        });
        QCOMPARE(copied, 15);
    }

    // Chromium keeps a picture once per top-level site that loaded it; the listing holds it once, as
    // the copy used last, and a look-up gives that copy's bytes.
    void oneRowPerAddress_data() {
        QTest::addColumn<int>("firstAgo");
        QTest::addColumn<int>("secondAgo");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("second site used last") << 3600 << 60 << QByteArray("from b");
        QTest::newRow("first site used last") << 60 << 3600 << QByteArray("from a");
    }
    void oneRowPerAddress() {
        QFETCH(int, firstAgo);
        QFETCH(int, secondAgo);
        QFETCH(QByteArray, expected);
        CacheShape shape;
        const QString shared = QStringLiteral("http://cdn.example/shared.png");
        shape.add(shared, QStringLiteral("http://a.example"), "from a", firstAgo);
        shape.add(shared, QStringLiteral("http://b.example"), "from b", secondAgo);
        shape.add(QStringLiteral("http://a.example/own.png"), QStringLiteral("http://a.example"), "own");

        DiskBrowserCache cache = shape.open();
        const QList<BrowserCache::Entry> entries = listAll(cache);
        QCOMPARE(entries.size(), 2);
        const auto sharedEntry =
            std::find_if(entries.begin(), entries.end(),
                         [&](const BrowserCache::Entry& e) { return e.sourceUrl == shared; });
        QVERIFY(sharedEntry != entries.end());
        QVERIFY(qAbs(sharedEntry->lastAccess.secsTo(QDateTime::currentDateTime()) -
                     qMin(firstAgo, secondAgo)) < 5);
        QVERIFY(cache.materialize(*sharedEntry));
        QCOMPARE(readAll(sharedEntry->localFileName), expected);
        QCOMPARE(readAll(cache.lookup(shared)), expected);
    }

    void deleteEntryRemovesEveryCopy() {
        CacheShape shape;
        const QString shared = QStringLiteral("http://cdn.example/shared.png");
        const QString a = shape.add(shared, QStringLiteral("http://a.example"), "from a");
        const QString b = shape.add(shared, QStringLiteral("http://b.example"), "from b");
        const QString other =
            shape.add(QStringLiteral("http://a.example/own.png"), QStringLiteral("http://a.example"), "own");
        DiskBrowserCache cache = shape.open();
        QVERIFY(cache.deleteEntry(shared));
        QVERIFY(!QFileInfo::exists(a));
        QVERIFY(!QFileInfo::exists(b));
        QVERIFY(QFileInfo::exists(other));
        QCOMPARE(listAll(cache).size(), 1);
    }

    // A save run asks once per picture; its cache walks the folder once, whatever it is asked.
    void keptListingWalksOnce() {
        CacheShape shape;
        shape.add(QStringLiteral("http://h/a.png"), QStringLiteral("http://h"), "a");
        DiskBrowserCache kept = shape.open(DiskBrowserCache::Listing::Kept);
        QVERIFY(!kept.lookup(QStringLiteral("http://h/a.png")).isEmpty());
        QVERIFY(kept.lookup(QStringLiteral("http://h/missing1.png")).isEmpty());
        QVERIFY(kept.lookup(QStringLiteral("http://h/missing2.png")).isEmpty());
        QCOMPARE(listAll(kept).size(), 1);
        QCOMPARE(listAll(kept).size(), 1);
        QCOMPARE(kept.walks(), 1);

        // The viewer lists what is there at each listing.
        DiskBrowserCache fresh = shape.open();
        QCOMPARE(listAll(fresh).size(), 1);
        shape.add(QStringLiteral("http://h/b.png"), QStringLiteral("http://h"), "b");
        QCOMPARE(listAll(fresh).size(), 2);
        QCOMPARE(fresh.walks(), 2);
    }

    // A kept listing walks beside its caller: a look-up that needs it does not wait, and answers from it
    // once it has ended; a listing waits for it. One walk in all.
    void keptListingWalksBesideTheCaller() {
        CacheShape shape;
        const QString foreign = QStringLiteral("http://pictures.example/a.png");
        shape.add(foreign, QStringLiteral("http://elsewhere.example"), "a");
        DiskBrowserCache kept = shape.open(DiskBrowserCache::Listing::Kept);
        kept.setPageUrl(QStringLiteral("http://gallery.example/index.html"));
        const QString first = kept.lookup(foreign);  // not under a key the look-up can name
        if (first.isEmpty()) {
            QTRY_VERIFY(!kept.listingPending());
        }
        QCOMPARE(readAll(kept.lookup(foreign)), QByteArray("a"));
        QCOMPARE(kept.walks(), 1);

        DiskBrowserCache listed = shape.open(DiskBrowserCache::Listing::Kept);
        listed.startListing();
        QCOMPARE(listAll(listed).size(), 1);
        QVERIFY(!listed.listingPending());
        QCOMPARE(listed.walks(), 1);
    }

    // A listing that needs the walk under way takes it on where it stands: every entry once, in the
    // order a walk of its own lists them, wherever the walk had got to.
    void walkUnderWayIsTakenOnWhereItStands() {
        CacheShape shape;
        for (int i = 0; i < 1500; ++i) {
            shape.add(QStringLiteral("http://h.example/p%1.png").arg(i), QStringLiteral("http://h.example"),
                      "x");
        }
        auto urlsOf = [](BrowserCache& cache) {
            QStringList urls;
            for (const BrowserCache::Entry& entry : listAll(cache))
                urls << entry.sourceUrl;
            return urls;
        };
        DiskBrowserCache alone = shape.open();
        const QStringList expected = urlsOf(alone);
        QCOMPARE(expected.size(), 1500);
        for (int round = 0; round < 4; ++round) {
            DiskBrowserCache kept = shape.open(DiskBrowserCache::Listing::Kept);
            kept.setPageUrl(QStringLiteral("http://gallery.example/"));
            kept.startListing();
            // Look-ups that do not wait for the walk, so that it is taken on elsewhere each round.
            for (int i = 0; i < round * 100; ++i)
                kept.lookup(QStringLiteral("http://h.example/none%1.png").arg(i));
            QCOMPARE(urlsOf(kept), expected);
            QCOMPARE(kept.walks(), 1);
        }
    }

    // A look-up opens the entry file a same-site key names, but trusts only an entry of exactly that
    // address: a file under that name holding another address is not taken, the walk decides.
    void probedFileMustHoldTheAddress() {
        CacheShape shape;
        const QString wanted = QStringLiteral("http://h.example/wanted.png");
        const QString planted = shape.add(QStringLiteral("http://h.example/other.png"),
                                          QStringLiteral("http://h.example"), "other");
        const QString named = shape.folder + QLatin1Char('/') +
                              SimpleCacheWriter::fileName(
                                  SimpleCacheWriter::keyFor(wanted, QStringLiteral("http://h.example")));
        QVERIFY(QFile::rename(planted, named));
        DiskBrowserCache cache = shape.open(DiskBrowserCache::Listing::Kept);
        cache.setPageUrl(QStringLiteral("http://www.h.example/gallery.html"));
        QVERIFY(cache.lookup(wanted).isEmpty());
        // The look-up does not wait for the walk it started; once that has ended, the answer stands.
        QTRY_VERIFY(!cache.listingPending());
        QCOMPARE(cache.walks(), 1);
        QVERIFY(cache.lookup(wanted).isEmpty());
        QCOMPARE(cache.walks(), 1);

        // The real entry under its own name is found without a walk, for a page of the same site.
        CacheShape real;
        real.add(wanted, QStringLiteral("http://h.example"), "wanted");
        DiskBrowserCache direct = real.open(DiskBrowserCache::Listing::Kept);
        direct.setPageUrl(QStringLiteral("http://www.h.example/gallery.html"));
        QCOMPARE(readAll(direct.lookup(wanted)), QByteArray("wanted"));
        QCOMPARE(direct.walks(), 0);
    }

    // A copy made earlier stands while its entry is unchanged; an entry written since is copied anew.
    void changedEntryIsCopiedAgain() {
        CacheShape shape;
        const QString url = QStringLiteral("http://h/a.png");
        shape.add(url, QStringLiteral("http://h"), "first", 600);
        const QString copy = shape.open().lookup(url);
        QCOMPARE(readAll(copy), QByteArray("first"));
        // The copy stands as it is: made again, it would say "first" once more.
        {
            QFile edit(copy);
            QVERIFY(edit.open(QIODevice::WriteOnly));
            edit.write("other");
        }
        QCOMPARE(readAll(shape.open().lookup(url)), QByteArray("other"));
        shape.add(url, QStringLiteral("http://h"), "again", 0);
        QCOMPARE(readAll(shape.open().lookup(url)), QByteArray("again"));
    }

    // Clearing deletes every entry file of the folders by its name, also those no reader understands,
    // and the copies materialised from them; nothing else, and nothing through a link.
    void clearRemovesEveryEntryAndItsCopies() {
        CacheShape shape;
        const QString good = shape.add(QStringLiteral("http://h/a.png"), QStringLiteral("http://h"), "a");
        const QString stream2 = good.chopped(1) + QLatin1Char('1');
        QFile(stream2).open(QIODevice::WriteOnly);
        const QString garbage = shape.folder + QStringLiteral("/00112233aabbccdd_0");
        QFile g(garbage);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.write("not an entry of any format this reader knows");
        g.close();
        const QString orphanSparse = shape.folder + QStringLiteral("/1111222233334444_s");
        QFile(orphanSparse).open(QIODevice::WriteOnly);
        const QString index = shape.folder + QStringLiteral("/index");
        QFile(index).open(QIODevice::WriteOnly);
        const QString oddName = shape.folder + QStringLiteral("/00112233AABBCCDD_0");  // upper case: no entry
        QFile(oddName).open(QIODevice::WriteOnly);
        QTemporaryDir outside;
        const QString victim = outside.path() + QStringLiteral("/0123456789abcdef_0");
        QVERIFY(QFile::copy(good, victim));
        QVERIFY(QFile::link(victim, shape.folder + QStringLiteral("/0123456789abcdef_0")));

        DiskBrowserCache cache = shape.open();
        const QList<BrowserCache::Entry> entries = listAll(cache);
        QCOMPARE(entries.size(), 1);
        QVERIFY(cache.materialize(entries.first()));
        const QString copy = entries.first().localFileName;
        QVERIFY(QFileInfo::exists(copy));
        // A link planted among the copies, named like one, leads nowhere.
        const QString keep = outside.path() + QStringLiteral("/keep.txt");
        QFile(keep).open(QIODevice::WriteOnly);
        QVERIFY(QFile::link(outside.path(), shape.bodies + QStringLiteral("/c0123456789abcdef")));

        cache.clearCache();
        for (const QString& gone : {good, stream2, garbage, orphanSparse, copy, QFileInfo(copy).path()}) {
            QVERIFY2(!QFileInfo::exists(gone), qPrintable(gone));
        }
        for (const QString& kept : {index, oddName, victim, keep}) {
            QVERIFY2(QFileInfo::exists(kept), qPrintable(kept));
        }
        QVERIFY(QFileInfo(shape.folder + QStringLiteral("/0123456789abcdef_0")).isSymLink());
        QVERIFY(QFileInfo(shape.bodies + QStringLiteral("/c0123456789abcdef")).isSymLink());
        QVERIFY(listAll(cache).isEmpty());
    }

    void cacheNamesSayBrowserAndProfile() {
        QTemporaryDir home;
        const QString chromium = home.path() + QStringLiteral("/.cache/chromium/Profile 2/Cache/Cache_Data");
        const QString firefox =
            home.path() + QStringLiteral("/.cache/mozilla/firefox/ab12.default-esr/cache2/entries");
        const QString other = home.path() + QStringLiteral("/elsewhere/Cache_Data");
        for (const QString& folder : {chromium, firefox, other}) {
            QVERIFY(QDir().mkpath(folder));
        }
        QList<CacheFolder> folders = CacheFolders::inFolder(home.path() + QStringLiteral("/.cache/chromium"));
        folders += CacheFolders::inFolder(home.path() + QStringLiteral("/.cache/mozilla/firefox"));
        folders += CacheFolders::inFolder(other);
        DiskBrowserCache cache(folders, home.path() + QStringLiteral("/bodies"));
        const QStringList names = cache.cacheNames();
        QCOMPARE(names.size(), 3);
        QCOMPARE(
            names.at(0),
            QStringLiteral("Chromium, profile Profile 2 (%1)").arg(QFileInfo(chromium).canonicalFilePath()));
        QCOMPARE(names.at(1), QStringLiteral("Firefox, profile ab12.default-esr (%1)")
                                  .arg(QFileInfo(firefox).canonicalFilePath()));
        QCOMPARE(names.at(2),
                 QStringLiteral("Chromium-family browser (%1)").arg(QFileInfo(other).canonicalFilePath()));
    }

    // The attached browser's profile: its own folders, and the mirror below the cache folder where
    // Chromium keeps the disk cache of a profile that lives in the configuration folder.
    void profileCachesIncludeTheMirror() {
        QTemporaryDir home;
        const QString config = home.path() + QStringLiteral("/config");
        const QString cacheHome = home.path() + QStringLiteral("/cache");
        const QString inProfile = config + QStringLiteral("/chromium/Profile 1/Cache/Cache_Data");
        const QString mirrored = cacheHome + QStringLiteral("/chromium/Default/Cache/Cache_Data");
        const QString stranger = cacheHome + QStringLiteral("/google-chrome/Default/Cache/Cache_Data");
        for (const QString& folder : {inProfile, mirrored, stranger}) {
            QVERIFY(QDir().mkpath(folder));
        }
        QStringList paths;
        for (const CacheFolder& folder :
             ProfileCacheFolders(config + QStringLiteral("/chromium"), config, cacheHome)) {
            paths << folder.path;
        }
        QCOMPARE(paths, QStringList({QFileInfo(inProfile).canonicalFilePath(),
                                     QFileInfo(mirrored).canonicalFilePath()}));
    }

    // A save run reads the attached browser's caches only; the usual browsers' default profiles stand
    // in when the attached profile is unknown.
    void runCacheReadsTheAttachedProfile() {
        QTemporaryDir home;
        const QString chromium = home.path() + QStringLiteral("/.cache/chromium/Default/Cache/Cache_Data");
        const QString chrome = home.path() + QStringLiteral("/.cache/google-chrome/Default/Cache/Cache_Data");
        QVERIFY(QDir().mkpath(chromium));
        QVERIFY(QDir().mkpath(chrome));
        QVERIFY(QDir().mkpath(home.path() + QStringLiteral("/.config/chromium")));
        const char* const variables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "TIDEWELL_CACHE"};
        QList<std::optional<QByteArray>> saved;
        for (const char* name : variables) {
            saved.append(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
            qunsetenv(name);
        }
        const auto restore = qScopeGuard([&] {
            for (int i = 0; i < 4; ++i) {
                if (saved.at(i))
                    qputenv(variables[i], *saved.at(i));
                else
                    qunsetenv(variables[i]);
            }
        });
        qputenv("HOME", home.path().toUtf8());
        const auto pathsOf = [](const std::unique_ptr<BrowserCache>& cache) {
            QStringList paths;
            for (const CacheFolder& folder : static_cast<DiskBrowserCache&>(*cache).folders()) {
                paths << folder.path;
            }
            return paths;
        };
        const QString chromiumPath = QFileInfo(chromium).canonicalFilePath();
        const QString chromePath = QFileInfo(chrome).canonicalFilePath();
        QCOMPARE(pathsOf(CreateRunBrowserCache(home.path() + QStringLiteral("/.config/chromium"), QString())),
                 QStringList({chromiumPath}));
        const QStringList unknown = pathsOf(CreateRunBrowserCache(QString(), QString()));
        QVERIFY(unknown.contains(chromiumPath));
        QVERIFY(unknown.contains(chromePath));
    }
};

QTEST_GUILESS_MAIN(DiskListingTest)
#include "tst_disklisting.moc"
