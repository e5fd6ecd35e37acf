#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "platform/browsercache/CacheFolders.h"

using namespace vorlaken;

// Which cache folders the readers look at, from a profile, a user-data folder or a cache folder.
class CacheFoldersTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        home_.emplace();
        for (const char* path : {"/.cache/chromium/Default/Cache/Cache_Data/index-dir",
                                 "/.cache/google-chrome/Profile 1/Cache/Cache_Data",
                                 "/.cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data",
                                 "/.cache/mozilla/firefox/ab12.default-esr/cache2/entries",
                                 "/.config/vivaldi/Default/Preferences-only",
                                 "/custom/profile/Default/Cache/Cache_Data", "/custom/cache2/entries"}) {
            QVERIFY(QDir().mkpath(home_->path() + QLatin1String(path)));
        }
        qunsetenv("TIDEWELL_CACHE");
    }
    void cleanup() { qunsetenv("TIDEWELL_CACHE"); }

    void defaultRootsFindEveryBrowsersCache() {
        QStringList found;
        for (const QString& root : CacheFolders::defaultRoots(home_->path())) {
            for (const CacheFolder& folder : CacheFolders::inFolder(root)) {
                found << folder.path.mid(home_->path().size());
            }
        }
        found.sort();
        QCOMPARE(found, QStringList({"/.cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data",
                                     "/.cache/chromium/Default/Cache/Cache_Data",
                                     "/.cache/google-chrome/Profile 1/Cache/Cache_Data",
                                     "/.cache/mozilla/firefox/ab12.default-esr/cache2/entries"}));
    }

    void aFolderNamesItsKind_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("cache");
        QTest::addColumn<bool>("firefox");
        QTest::newRow("user data") << "/custom/profile"
                                   << "/custom/profile/Default/Cache/Cache_Data" << false;
        QTest::newRow("profile") << "/custom/profile/Default"
                                 << "/custom/profile/Default/Cache/Cache_Data" << false;
        QTest::newRow("cache folder") << "/custom/profile/Default/Cache/Cache_Data/"
                                      << "/custom/profile/Default/Cache/Cache_Data" << false;
        QTest::newRow("cache2") << "/custom/cache2"
                                << "/custom/cache2/entries" << true;
        QTest::newRow("entries") << "/custom/cache2/entries"
                                 << "/custom/cache2/entries" << true;
        QTest::newRow("nothing") << "/.config/vivaldi"
                                 << "" << false;
        QTest::newRow("missing") << "/nowhere"
                                 << "" << false;
    }

    void aFolderNamesItsKind() {
        QFETCH(QString, folder);
        QFETCH(QString, cache);
        QFETCH(bool, firefox);
        const QList<CacheFolder> folders = CacheFolders::inFolder(home_->path() + folder);
        QCOMPARE(folders.size(), cache.isEmpty() ? 0 : 1);
        if (!cache.isEmpty()) {
            QCOMPARE(folders.first().path, home_->path() + cache);
            QCOMPARE(folders.first().kind == CacheFolder::Kind::Firefox, firefox);
        }
    }

    void environmentNamesTheOnlyFolder() {
        qputenv("TIDEWELL_CACHE", (home_->path() + QStringLiteral("/custom/cache2")).toUtf8());
        const QList<CacheFolder> folders =
            CacheFolders::discover({home_->path() + QStringLiteral("/custom/profile")});
        QCOMPARE(folders.size(), 1);
        QCOMPARE(folders.first().path, home_->path() + QStringLiteral("/custom/cache2/entries"));
        qunsetenv("TIDEWELL_CACHE");
        const QList<CacheFolder> withProfile =
            CacheFolders::discover({home_->path() + QStringLiteral("/custom/profile")});
        QVERIFY(!withProfile.isEmpty());
        QCOMPARE(withProfile.first().path,
                 home_->path() + QStringLiteral("/custom/profile/Default/Cache/Cache_Data"));
    }

  private:
    std::optional<QTemporaryDir> home_;
};

QTEST_GUILESS_MAIN(CacheFoldersTest)
#include "tst_cachefolders.moc"
