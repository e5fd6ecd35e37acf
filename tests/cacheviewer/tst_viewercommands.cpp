#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "cacheviewer/CacheClearing.h"
#include "cacheviewer/ViewerSettings.h"
#include "support/FakeBrowserCache.h"
#include "support/FakeDesktop.h"

using namespace vorlaken;

// "Clear cache" and the settings file of the viewer.
class ViewerCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void clearCacheAsksFirst() {
        FakeBrowserCache cache;
        cache.items = {{{QStringLiteral("http://a/1.jpg"), QStringLiteral("/m/1.jpg"), {}}, "1", true},
                       {{QStringLiteral("http://a/2.htm"), QStringLiteral("/m/2.htm"), {}}, "2", true}};
        TIECache ieCache(&cache);
        ViewerState state;
        state.foundUrls = {QStringLiteral("http://a/1.jpg")};
        FakeDesktop desktop;
        desktop.answers = {Desktop::Answer::Cancel};
        ClearCacheCommand(state, ieCache, desktop);
        QVERIFY(cache.deleted.isEmpty());
        QCOMPARE(desktop.questions.size(), 1);
        QCOMPARE(desktop.questions.first().text, QStringLiteral("Are you sure?"));
        QCOMPARE(desktop.questions.first().caption, QStringLiteral("Hint"));
        QCOMPARE(desktop.questions.first().buttons, Desktop::Buttons::OkCancel);

        desktop.answers = {Desktop::Answer::Ok};
        ClearCacheCommand(state, ieCache, desktop);
        // Every entry goes, pictures or not; the found list is not refreshed.
        QCOMPARE(cache.deleted,
                 QStringList({QStringLiteral("http://a/1.jpg"), QStringLiteral("http://a/2.htm")}));
        QCOMPARE(state.foundUrls.size(), 1);
        QVERIFY(state.clearEnabled);
    }

    // The fixed question keeps its first line; a second one names the caches that will be cleared.
    void clearQuestionNamesTheCaches_data() {
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("question");
        QTest::newRow("none found") << false << QStringList() << "Are you sure?";
        QTest::newRow("one")
            << true << QStringList({"Chromium, profile Default (~/.cache/chromium/Default/Cache/Cache_Data)"})
            << "Are you sure?\nCaches to be cleared: Chromium, profile Default "
               "(~/.cache/chromium/Default/Cache/Cache_Data)";
        QTest::newRow("two")
            << true << QStringList({"Chromium, profile Default (/a)", "Firefox, profile x.default (/b)"})
            << "Are you sure?\nCaches to be cleared: Chromium, profile Default (/a); Firefox, "
               "profile x.default (/b)";
    }
    void clearQuestionNamesTheCaches() {
        QFETCH(bool, found);
        QFETCH(QStringList, names);
        QFETCH(QString, question);
        FakeBrowserCache cache;
        cache.found = found;
        cache.names = names;
        TIECache ieCache(&cache);
        ViewerState state;
        FakeDesktop desktop;
        desktop.answers = {Desktop::Answer::Cancel};
        ClearCacheCommand(state, ieCache, desktop);
        QCOMPARE(desktop.questions.size(), 1);
        QCOMPARE(desktop.questions.first().text, question);
    }

    void settingsDefaultsAndRoundTrip() {
        QTemporaryDir dir;
        IniFile missing(dir.filePath(QStringLiteral("tidecove.ini")));
        missing.load();
        ViewerState state;
        state.timePassed = 7;
        ViewerSettings::load(missing, state);
        QCOMPARE(state.widthLimit, 80);
        QCOMPARE(state.heightLimit, 80);
        QCOMPARE(state.geometry, QRect(230, 147, 734, 551));
        QVERIFY(state.jpg && state.gif && state.png && state.bmp && state.autoUpgrade);
        QCOMPARE(state.timePassed, 1);
        QCOMPARE(state.timeUnit, int(ViewerState::Hour));

        state.urlInclude = QStringLiteral("photo");
        state.cacheSaveFolder = QStringLiteral("/home/u/pics/");
        state.sizeMode = ViewerState::Exactly;
        state.gif = false;
        state.autoUpgrade = false;
        state.geometry = QRect(10, 20, 800, 600);
        IniFile out(dir.filePath(QStringLiteral("tidecove.ini")));
        ViewerSettings::store(state, out);
        QVERIFY(out.save());
        QFile written(out.path());
        QVERIFY(written.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(written.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts),
                 QStringList({"[config]", "e3=photo", "e4=", "ext=", "dir=/home/u/pics/", "i1=80", "i2=80",
                              "size=2", "c1=1", "c2=0", "c3=1", "c7=1", "fw=800", "fh=600", "fx=10", "fy=20",
                              "autoupgrade=0"}));
        IniFile in(out.path());
        in.load();
        ViewerState back;
        ViewerSettings::load(in, back);
        QCOMPARE(back.urlInclude, state.urlInclude);
        QCOMPARE(back.cacheSaveFolder, state.cacheSaveFolder);
        QCOMPARE(back.sizeMode, state.sizeMode);
        QCOMPARE(back.gif, false);
        QCOMPARE(back.autoUpgrade, false);
        QCOMPARE(back.geometry, state.geometry);
    }

    // Stored numbers of any size are read safely; the window lands wholly on the available area.
    void storedNumbersStayInBounds_data() {
        QTest::addColumn<QByteArray>("lines");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<int>("limit");
        QTest::newRow("fits") << QByteArray("fx=10\r\nfy=20\r\nfw=500\r\nfh=400\r\ni1=120")
                              << QRect(10, 20, 500, 400) << 120;
        QTest::newRow("huge") << QByteArray("fx=0\r\nfy=0\r\nfw=30000\r\nfh=30000\r\ni1=30000000")
                              << QRect(0, 0, 1024, 768) << 99999;
        QTest::newRow("largest int")
            << QByteArray("fx=2147483647\r\nfy=2147483647\r\nfw=2147483647\r\nfh=2147483647\r\ni1=2147483647")
            << QRect(0, 0, 1024, 768) << 99999;
        QTest::newRow("negative") << QByteArray("fx=-2147483648\r\nfy=-9\r\nfw=-1\r\nfh=0\r\ni1=-2147483648")
                                  << QRect(0, 0, 734, 551) << 0;
        QTest::newRow("far off") << QByteArray("fx=5000\r\nfy=5000\r\nfw=300\r\nfh=200")
                                 << QRect(724, 568, 300, 200) << 80;
    }
    void storedNumbersStayInBounds() {
        QFETCH(QByteArray, lines);
        QFETCH(QRect, geometry);
        QFETCH(int, limit);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("tidecove.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[config]\r\n" + lines + "\r\n");
        file.close();
        IniFile in(file.fileName());
        in.load();
        ViewerState state;
        ViewerSettings::load(in, state, QRect(0, 0, 1024, 768));
        QCOMPARE(state.geometry, geometry);
        QCOMPARE(state.widthLimit, limit);
    }
};

QTEST_GUILESS_MAIN(ViewerCommandsTest)
#include "tst_viewercommands.moc"
