#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include "platform/browsercache/CacheFolders.h"
#include "platform/browsercache/CacheStatus.h"
#include "platform/browsercache/SimpleCacheIndex.h"

using namespace vorlaken;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray magic32(quint32 value) {
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes + QByteArray(60, '\0');
}

// Makes one cache of the given layout at path: "simple" (Cache_Data with its index folder), "oldsimple"
// (the same directly in Cache), "blockfile" (index and block files), "firefox" (cache2/entries).
bool makeCache(const QString& path, const QString& layout) {
    if (layout == QLatin1String("firefox")) {
        return QDir().mkpath(path);
    }
    if (layout == QLatin1String("blockfile")) {
        return writeFile(path + QStringLiteral("/index"), magic32(0xc103cac3)) &&
               writeFile(path + QStringLiteral("/data_0"), "") &&
               writeFile(path + QStringLiteral("/data_1"), "");
    }
    QByteArray index(8, '\0');
    qToLittleEndian(SimpleCacheIndex::kMagic, index.data());
    return QDir().mkpath(path + QStringLiteral("/index-dir")) &&
           writeFile(path + QStringLiteral("/index"), index);
}

}  // namespace

// Which cache folders the readers look at: in every place distributions and packaging put browsers,
// from a profile, a user-data folder or a cache folder, and what the viewer says when there is none.
class CacheFoldersTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        home_.emplace();
        qunsetenv(CacheFolders::kEnvironment);
        qunsetenv("XDG_CACHE_HOME");
        qunsetenv("XDG_CONFIG_HOME");
    }
    void cleanup() {
        qunsetenv(CacheFolders::kEnvironment);
        qunsetenv("XDG_CACHE_HOME");
        qunsetenv("XDG_CONFIG_HOME");
    }

    void everyInstallsCacheIsFound_data() {
        QTest::addColumn<QString>("cache");   // below the home folder
        QTest::addColumn<QString>("layout");  // as makeCache makes it
        QTest::addColumn<bool>("read");       // false: found, but its layout is not read
        const auto row = [](const char* name, const char* cache, const char* layout, bool read = true) {
            QTest::newRow(name) << QString::fromLatin1(cache) << QString::fromLatin1(layout) << read;
        };
        row("chromium", "/.cache/chromium/Default/Cache/Cache_Data", "simple");
        row("chrome, second profile", "/.cache/google-chrome/Profile 1/Cache/Cache_Data", "simple");
        row("chrome unstable", "/.cache/google-chrome-unstable/Default/Cache/Cache_Data", "simple");
        row("edge beta", "/.cache/microsoft-edge-beta/Default/Cache/Cache_Data", "simple");
        row("edge dev", "/.cache/microsoft-edge-dev/Default/Cache/Cache_Data", "simple");
        row("brave", "/.cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data", "simple");
        row("brave beta", "/.cache/BraveSoftware/Brave-Browser-Beta/Default/Cache/Cache_Data", "simple");
        row("vivaldi snapshot", "/.cache/vivaldi-snapshot/Default/Cache/Cache_Data", "simple");
        row("opera (profile is the user-data folder)", "/.cache/opera/Cache/Cache_Data", "simple");
        row("firefox", "/.cache/mozilla/firefox/ab12.default-esr/cache2/entries", "firefox");
        row("librewolf", "/.cache/librewolf/x1y2.default-default/cache2/entries", "firefox");
        row("firefox cache inside its profile", "/.mozilla/firefox/ab12.default/cache2/entries", "firefox");
        row("snap firefox", "/snap/firefox/common/.cache/mozilla/firefox/q1.default/cache2/entries",
            "firefox");
        row("snap chromium", "/snap/chromium/common/.cache/chromium/Default/Cache/Cache_Data", "simple");
        row("flatpak firefox", "/.var/app/org.mozilla.firefox/cache/mozilla/firefox/p.default/cache2/entries",
            "firefox");
        row("flatpak chromium", "/.var/app/org.chromium.Chromium/cache/chromium/Default/Cache/Cache_Data",
            "simple");
        row("flatpak chrome", "/.var/app/com.google.Chrome/cache/google-chrome/Default/Cache/Cache_Data",
            "simple");
        row("flatpak brave",
            "/.var/app/com.brave.Browser/cache/BraveSoftware/Brave-Browser/Default/Cache/Cache_Data",
            "simple");
        row("XDG_CACHE_HOME", "/elsewhere/cache/chromium/Default/Cache/Cache_Data", "simple");
        row("simple cache before 2021", "/.cache/chromium/Default/Cache", "oldsimple");
        row("block-file cache", "/.cache/google-chrome/Default/Cache/Cache_Data", "blockfile", false);
        row("block-file cache before 2021", "/.cache/chromium/Default/Cache", "blockfile", false);
    }

    void everyInstallsCacheIsFound() {
        QFETCH(QString, cache);
        QFETCH(QString, layout);
        QFETCH(bool, read);
        const QString home = home_->path();
        QVERIFY(makeCache(home + cache, layout));
        // Things that are no caches stay unnoticed: a profile without one, a stray file.
        QVERIFY(QDir().mkpath(home + QStringLiteral("/.config/vivaldi/Default")));
        QVERIFY(writeFile(home + QStringLiteral("/.cache/chromium/notes.txt"), "mine"));
        if (cache.startsWith(QLatin1String("/elsewhere/cache"))) {
            qputenv("XDG_CACHE_HOME", (home + QStringLiteral("/elsewhere/cache")).toUtf8());
        }
        CacheSearch search;
        for (const QString& root : CacheFolders::defaultRoots(home)) {
            search.add(CacheFolders::searchFolder(root));
        }
        const QString expected = QFileInfo(home + cache).canonicalFilePath();
        if (read) {
            QCOMPARE(search.folders.size(), 1);
            QCOMPARE(search.folders.first().path, expected);
            QCOMPARE(search.folders.first().kind == CacheFolder::Kind::Firefox,
                     layout == QLatin1String("firefox"));
            QVERIFY(search.unreadFolders.isEmpty());
        } else {
            QVERIFY(search.folders.isEmpty());
            QCOMPARE(search.unreadFolders, QStringList{expected});
        }
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
        for (const char* path : {"/custom/profile/Default/Cache/Cache_Data/index-dir",
                                 "/custom/cache2/entries", "/.config/vivaldi/Default/Preferences-only"}) {
            QVERIFY(QDir().mkpath(home_->path() + QLatin1String(path)));
        }
        const QList<CacheFolder> folders = CacheFolders::inFolder(home_->path() + folder);
        QCOMPARE(folders.size(), cache.isEmpty() ? 0 : 1);
        if (!cache.isEmpty()) {
            QCOMPARE(folders.first().path, home_->path() + cache);
            QCOMPARE(folders.first().kind == CacheFolder::Kind::Firefox, firefox);
        }
    }

    void environmentNamesTheOnlyFolders() {
        const QString home = home_->path();
        QVERIFY(makeCache(home + QStringLiteral("/a/Default/Cache/Cache_Data"), QStringLiteral("simple")));
        QVERIFY(makeCache(home + QStringLiteral("/b/cache2/entries"), QStringLiteral("firefox")));
        QVERIFY(makeCache(home + QStringLiteral("/c/Default/Cache/Cache_Data"), QStringLiteral("simple")));
        qputenv(CacheFolders::kEnvironment,
                (home + QStringLiteral("/a:") + home + QStringLiteral("/b/cache2")).toUtf8());
        const CacheSearch search = CacheFolders::search({home + QStringLiteral("/c")});
        QCOMPARE(search.folders.size(), 2);
        QCOMPARE(search.folders.at(0).path, home + QStringLiteral("/a/Default/Cache/Cache_Data"));
        QCOMPARE(search.folders.at(1).path, home + QStringLiteral("/b/cache2/entries"));
        qunsetenv(CacheFolders::kEnvironment);
        const CacheSearch withProfile = CacheFolders::search({home + QStringLiteral("/c")});
        QVERIFY(!withProfile.folders.isEmpty());
        QCOMPARE(withProfile.folders.first().path, home + QStringLiteral("/c/Default/Cache/Cache_Data"));
    }

    void noteSaysWhatIsMissing_data() {
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("unread");
        QTest::addColumn<int>("unreadable");
        QTest::addColumn<QStringList>("says");
        QTest::newRow("all well") << true << ""
                                  << "" << 0 << QStringList();
        QTest::newRow("nothing found")
            << false << ""
            << "" << 0
            << QStringList{"No browser cache was found. Looked in: ~/.cache, ~/.config.", "TIDEWELL_CACHE",
                           "separate several folders with \":\""};
        QTest::newRow("nothing where named")
            << false << "/x:/y"
            << "" << 0 << QStringList{"No browser cache was found in TIDEWELL_CACHE (/x, /y)."};
        QTest::newRow("block files only")
            << false << ""
            << "/h/.cache/chromium/Default/Cache" << 0
            << QStringList{
                   "Not read: /h/.cache/chromium/Default/Cache holds a cache in Chromium's older "
                   "block-file layout."};
        QTest::newRow("unreadable entries") << true << ""
                                            << "" << 3 << QStringList{"3 cache entries could not be read."};
        QTest::newRow("one unreadable entry") << true << ""
                                              << "" << 1 << QStringList{"1 cache entry could not be read."};
    }

    void noteSaysWhatIsMissing() {
        QFETCH(bool, found);
        QFETCH(QString, chosen);
        QFETCH(QString, unread);
        QFETCH(int, unreadable);
        QFETCH(QStringList, says);
        CacheSearch search;
        if (found) {
            search.folders.append({CacheFolder::Kind::Firefox, QStringLiteral("/h/cache2/entries")});
        }
        search.chosen = chosen;
        search.lookedIn =
            chosen.isEmpty() ? QStringList{"~/.cache", "~/.config"} : chosen.split(QLatin1Char(':'));
        if (!unread.isEmpty()) {
            search.unreadFolders.append(unread);
        }
        const QString note = CacheStatus::note(search, unreadable);
        QCOMPARE(note.isEmpty(), says.isEmpty());
        for (const QString& text : says) {
            QVERIFY2(note.contains(text), qPrintable(note));
        }
        if (!found && unread.isEmpty() == false) {
            QVERIFY(!note.contains(QLatin1String("No browser cache was found")));
        }
    }

  private:
    std::optional<QTemporaryDir> home_;
};

QTEST_GUILESS_MAIN(CacheFoldersTest)
#include "tst_cachefolders.moc"
