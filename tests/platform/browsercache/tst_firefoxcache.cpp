#include <unistd.h>
#include <csignal>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "CacheListing.h"
#include "CachingHttpServer.h"
#include "FirefoxCacheRun.h"
#include "PictureFixture.h"
#include "TwoSitePages.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "support/ChromiumProcess.h"

using namespace vorlaken;
using namespace vorlaken::test;

// Reads the cache2 folder that Debian's firefox-esr, run headless with a fresh profile, wrote while
// loading the fixture page.
class FirefoxCacheTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        const QString firefox = QStandardPaths::findExecutable(QStringLiteral("firefox-esr"));
        VORLAKEN_REQUIRE_BROWSER(!firefox.isEmpty(), "firefox-esr");
        QVERIFY(server_.listen());
        fixture_.install(&server_);
        QVERIFY(profile_.isValid());
        QProcess process;
        // Its own process group, so that ending it ends its content processes too.
        process.setChildProcessModifier([] { ::setpgid(0, 0); });
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(firefox, {QStringLiteral("--headless"), QStringLiteral("--profile"), profile_.path(),
                                QStringLiteral("--no-remote"), server_.url(fixture_.pagePath)});
        QVERIFY(process.waitForStarted(10000));
        group_ = process.processId();
        // Firefox writes an entry's metadata when it lets go of the entry, at the latest when it quits.
        QTRY_VERIFY_WITH_TIMEOUT(server_.hits(fixture_.missingPath) > 0, 60000);
        for (const QString& path : fixture_.pictures.keys()) {
            QTRY_VERIFY_WITH_TIMEOUT(server_.hits(path) > 0, 10000);
        }
        // A picture's entry is whole once its body is stored; then it is listed. Quitting earlier would
        // cut a body short. Should it never be listed, the tests below say which one is missing.
        const auto allStored = [&] {
            DiskBrowserCache cache(CacheFolders::inFolder(profile_.path()), materialized_.path());
            const QMap<QString, BrowserCache::Entry> entries = listByUrl(cache);
            for (const QString& path : fixture_.pictures.keys()) {
                if (!entries.contains(server_.url(path)))
                    return false;
            }
            return true;
        };
        (void)QTest::qWaitFor(allStored, 60000);
        ::kill(-pid_t(group_), SIGTERM);
        if (!process.waitForFinished(15000)) {
            ::kill(-pid_t(group_), SIGKILL);
            process.waitForFinished(5000);
        }
        group_ = 0;
    }

    void cleanupTestCase() {
        // A failed start-up leaves the browser running: end its whole process group.
        if (group_ > 0) {
            ::kill(-pid_t(group_), SIGKILL);
        }
    }

    void listsExactlyTheServedPictures() {
        DiskBrowserCache cache(CacheFolders::inFolder(profile_.path()), materialized_.path());
        QVERIFY(cache.libraryFound());
        QSet<QString> expected = {server_.url(fixture_.pagePath)};
        for (const QString& path : fixture_.pictures.keys()) {
            expected.insert(server_.url(path));
        }
        const QMap<QString, BrowserCache::Entry> entries = listByUrl(cache);
        QCOMPARE(QSet<QString>(entries.keyBegin(), entries.keyEnd()), expected);
        for (const BrowserCache::Entry& entry : entries) {
            QVERIFY(qAbs(entry.lastAccess.secsTo(QDateTime::currentDateTime())) < 600);
        }
    }

    void materialisedBodiesAreByteIdentical() {
        DiskBrowserCache cache(CacheFolders::inFolder(profile_.path()), materialized_.path());
        const QMap<QString, BrowserCache::Entry> entries = listByUrl(cache);
        for (auto it = fixture_.pictures.cbegin(); it != fixture_.pictures.cend(); ++it) {
            const BrowserCache::Entry entry = entries.value(server_.url(it.key()));
            QVERIFY(cache.materialize(entry));
            QFile file(entry.localFileName);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), it.value());
        }
        QCOMPARE(
            QFileInfo(entries.value(server_.url(QStringLiteral("/pics/noext"))).localFileName).fileName(),
            QStringLiteral("noext.png"));
    }

    void deleteEntryRemovesItsFile() {
        const QString entries = profile_.path() + QStringLiteral("/cache2/entries");
        const int before = QDir(entries).entryList(QDir::Files).size();
        DiskBrowserCache cache(CacheFolders::inFolder(profile_.path()), materialized_.path());
        QVERIFY(cache.deleteEntry(server_.url(QStringLiteral("/pics/box.bmp"))));
        QCOMPARE(QDir(entries).entryList(QDir::Files).size(), before - 1);
        QVERIFY(!listByUrl(cache).contains(server_.url(QStringLiteral("/pics/box.bmp"))));
    }

    // Firefox keeps a picture once per top-level site that loaded it (the key starts with the site's
    // partition): pages on 127.0.0.1 and on localhost showing the same picture leave two entries of
    // one address. It is listed once, with the picture's bytes.
    void pictureOfTwoSitesIsListedOnce() {
        CachingHttpServer server;
        QVERIFY(server.listen());
        const QByteArray picture = fixture_.pictures.value(QStringLiteral("/pics/red.png"));
        const TwoSitePages pages;
        const QString shared = pages.install(server, picture);
        QTemporaryDir profile;
        const QString entries = profile.path() + QStringLiteral("/cache2/entries");
        // An entry's key ends its metadata, NUL-terminated: "<partition>,:<address>".
        const QByteArray keyEnd = ":" + shared.toUtf8() + '\0';
        const auto copiesOfShared = [&] {
            int copies = 0;
            for (const QFileInfo& info : QDir(entries).entryInfoList(QDir::Files)) {
                QFile file(info.filePath());
                if (file.open(QIODevice::ReadOnly) && file.readAll().contains(keyEnd))
                    ++copies;
            }
            return copies;
        };
        const QString failure =
            RunFirefoxOnPage(server, pages.firstPage, profile.path(), [&] { return copiesOfShared() >= 2; });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QCOMPARE(copiesOfShared(), 2);

        QTemporaryDir bodies;
        DiskBrowserCache cache(CacheFolders::inFolder(profile.path()), bodies.path());
        QCOMPARE(ListedBodiesOf(cache, shared), QList<QByteArray>{picture});
    }

    // Runs last: clears the profile's cache. Every entry file goes, the answers that are no pictures
    // and the entries read as none too, and the copies made of them; a file of the user's, a link named
    // like an entry and a file so named outside the entries folder stay.
    void clearCacheRemovesEveryEntryAndItsCopies() {
        const QString entries = profile_.path() + QStringLiteral("/cache2/entries");
        const QStringList before = QDir(entries).entryList(QDir::Files);
        QVERIFY(before.size() > fixture_.pictures.size());
        QTemporaryDir outside;
        const QString victim = outside.path() + QStringLiteral("/victim");
        QVERIFY(QFile::copy(entries + QLatin1Char('/') + before.first(), victim));
        const QString link = entries + QStringLiteral("/0123456789ABCDEF0123456789ABCDEF01234567");
        QVERIFY(QFile::link(victim, link));
        QFile stranger(entries + QStringLiteral("/notes.txt"));
        QVERIFY(stranger.open(QIODevice::WriteOnly));
        stranger.close();
        QFile unreadable(entries + QStringLiteral("/FEDCBA9876543210FEDCBA9876543210FEDCBA98"));
        QVERIFY(unreadable.open(QIODevice::WriteOnly));
        unreadable.write("no entry of any format");
        unreadable.close();
        QFile beside(profile_.path() + QStringLiteral("/cache2/0123456789ABCDEF0123456789ABCDEF01234567"));
        QVERIFY(beside.open(QIODevice::WriteOnly));  // named like an entry, but not in the entries folder
        beside.close();

        DiskBrowserCache cache(CacheFolders::inFolder(profile_.path()), materialized_.path());
        const BrowserCache::Entry picture =
            listByUrl(cache).value(server_.url(QStringLiteral("/pics/red.png")));
        QVERIFY(cache.materialize(picture));
        cache.clearCache();

        QCOMPARE(QDir(entries).entryList(QDir::Files | QDir::System),
                 QStringList({QFileInfo(link).fileName(), QStringLiteral("notes.txt")}));
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo::exists(victim));
        QVERIFY(QFileInfo::exists(beside.fileName()));
        QVERIFY(!QFileInfo::exists(picture.localFileName));
        QVERIFY(!QFileInfo::exists(QFileInfo(picture.localFileName).path()));
        QVERIFY(listByUrl(cache).isEmpty());
    }

  private:
    CachingHttpServer server_;
    PictureFixture fixture_;
    QTemporaryDir profile_;
    QTemporaryDir materialized_;
    qint64 group_ = 0;
};

QTEST_GUILESS_MAIN(FirefoxCacheTest)
#include "tst_firefoxcache.moc"
