#include <csignal>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "CachingHttpServer.h"
#include "ChromiumCacheRun.h"
#include "PictureFixture.h"
#include "cacheviewer/ViewerBus.h"
#include "support/ChromiumProcess.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

const QString kService = QStringLiteral("org.vorlaken.Tidewell");

// The pixel widths of the fixture's pictures.
const QMap<QString, int> kWidths = {{QStringLiteral("/pics/red.png"), 30},
                                    {QStringLiteral("/pics/photo.jpg"), 40},
                                    {QStringLiteral("/pics/dot.gif"), 1},
                                    {QStringLiteral("/pics/box.bmp"), 8},
                                    {QStringLiteral("/pics/noext"), 12}};

}  // namespace

// The real tidecove program on a cache that headless Chromium wrote, driven over its session bus name.
class TidecoveTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        if (!QDBusConnection::sessionBus().isConnected()) {
            QSKIP("No session bus (run under dbus-run-session).");
        }
        if (QDBusConnection::sessionBus().interface()->isServiceRegistered(kService)) {
            QSKIP("Another tidecove owns the bus name.");
        }
        qDBusRegisterMetaType<CacheEntryPair>();
        qDBusRegisterMetaType<QList<CacheEntryPair>>();
        // A real simple cache: headless Chromium loads the picture page from a loopback server.
        VORLAKEN_REQUIRE_CHROMIUM();
        QVERIFY(server_.listen());
        fixture_.install(&server_);
        const QString failure = RunChromiumOnFixture(server_, fixture_, cacheFolder());
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
        QFile stranger(cacheFolder() + QStringLiteral("/notes.txt"));
        QVERIFY(stranger.open(QIODevice::WriteOnly));

        // The program runs from its own folder, so its settings and temporary page stay in the test's.
        const QString program = root_.path() + QStringLiteral("/tidecove");
        QVERIFY(QFile::copy(qEnvironmentVariable("VORLAKEN_BIN_DIR") + QStringLiteral("/tidecove"), program));
        // A stand-in for the outside updater beside it: it notes how it was started.
        QFile updater(root_.path() + QStringLiteral("/upgrade"));
        QVERIFY(updater.open(QIODevice::WriteOnly));
        updater.write("#!/bin/sh\necho \"$@\" >> \"$(dirname \"$0\")/upgrade-runs.txt\"\n");
        updater.close();
        updater.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TIDEWELL_CACHE"), cacheFolder());
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), root_.path() + QStringLiteral("/xdg"));
        process_.setProcessEnvironment(environment);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(program, {});
        QVERIFY(process_.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QDBusConnection::sessionBus().interface()->isServiceRegistered(kService),
                                 30000);
        bus_.emplace(kService, QStringLiteral("/Tidewell"), kService);
        QVERIFY(bus_->isValid());
    }

    void cleanupTestCase() {
        if (process_.state() != QProcess::NotRunning) {
            process_.terminate();
            if (!process_.waitForFinished(10000)) {
                process_.kill();
                process_.waitForFinished(5000);
            }
        }
    }

    void startsWithItsCaptionAndEmptyList() {
        QCOMPARE(control(QStringLiteral("TForm1")), QStringLiteral("Tidewell 1.3 - Vorlaken"));
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Pictures found:0"));
        QCOMPARE(control(QStringLiteral("Button3.enabled")), QStringLiteral("0"));
        QCOMPARE(control(QStringLiteral("SpinEdit3")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("cb1")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("RadioButton1")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("CheckBox6")), QStringLiteral("1"));
    }

    void listPictureFindsTheCachedPictures() {
        invoke(QStringLiteral("Button1"));
        // All five pictures pass the default formats, the one without extension by its content type.
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Total:5"));
        QCOMPARE(control(QStringLiteral("Button3.enabled")), QStringLiteral("1"));
        QStringList urls;
        for (const CacheEntryPair& pair : entries(QStringLiteral("Found"))) {
            urls << pair.url;
        }
        urls.sort();
        QStringList expected;
        for (const QString& path : fixture_.pictures.keys()) {
            expected << server_.url(path);
        }
        expected.sort();
        QCOMPARE(urls, expected);
        QCOMPARE(control(QStringLiteral("ListBox1.0")), QStringLiteral("1"));
        // The exclude filter of the window takes effect on the next listing.
        setControl(QStringLiteral("Edit4"), QStringLiteral("noext"));
        invoke(QStringLiteral("Button1"));
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Total:4"));
        setControl(QStringLiteral("Edit4"), QString());
        invoke(QStringLiteral("Button1"));
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Total:5"));
    }

    void previewMaterialisesTheSelectedPicture() {
        const QList<CacheEntryPair> found = entries(QStringLiteral("Found"));
        setControl(QStringLiteral("ListBox1"), QStringLiteral("0"));
        QCOMPARE(control(QStringLiteral("Edit1")), found.first().url);
        QCOMPARE(readFile(found.first().localFile), fixture_.pictures.value(pathOf(found.first().url)));
    }

    void showAllThenFilterThenSave() {
        setControl(QStringLiteral("ListBox1.1"), QStringLiteral("0"));
        invoke(QStringLiteral("Button3"));
        QCOMPARE(control(QStringLiteral("PageControl1")), QStringLiteral("1"));
        const QList<CacheEntryPair> found = entries(QStringLiteral("Found"));
        const QList<CacheEntryPair> shown = entries(QStringLiteral("Shown"));
        QCOMPARE(shown.size(), 4);
        QCOMPARE(shown.at(1).url, found.at(2).url);
        for (const CacheEntryPair& pair : shown) {
            QCOMPARE(readFile(pair.localFile), fixture_.pictures.value(pathOf(pair.url)));
        }
        QTRY_VERIFY_WITH_TIMEOUT(control(QStringLiteral("wb1")).contains(QStringLiteral("name=\"c3\"")),
                                 60000);
        QVERIFY(!control(QStringLiteral("wb1")).contains(QStringLiteral("name=\"c2\"")));
        QVERIFY(control(QStringLiteral("Memo1")).startsWith(QStringLiteral("Picture URLs:\n")));

        // Keep pictures at least 20 pixels wide.
        setControl(QStringLiteral("SpinEdit1"), QStringLiteral("20"));
        setControl(QStringLiteral("SpinEdit2"), QStringLiteral("0"));
        setControl(QStringLiteral("cbsize"), QStringLiteral("0"));
        // "Show All" answered once its page had loaded, pictures included: their sizes are there to read.
        invoke(QStringLiteral("Button4"));
        QStringList kept;
        for (const CacheEntryPair& pair : entries(QStringLiteral("Shown"))) {
            kept << pathOf(pair.url);
        }
        QStringList expected;
        for (const CacheEntryPair& pair : shown) {
            if (kWidths.value(pathOf(pair.url)) >= 20) {
                expected << pathOf(pair.url);
            }
        }
        QVERIFY(!expected.isEmpty() && expected.size() < shown.size());
        QCOMPARE(kept, expected);

        const QString target = root_.path() + QStringLiteral("/saved");
        QVERIFY(QDir().mkpath(target));
        answer(target);
        invoke(QStringLiteral("SpeedButton1"));
        QCOMPARE(control(QStringLiteral("Edit2")), target + QLatin1Char('/'));
        // The program renders in a process of its own, which a loaded machine keeps waiting.
        QTRY_VERIFY_WITH_TIMEOUT(control(QStringLiteral("wb1")).contains(QStringLiteral("name=\"c1\"")),
                                 60000);
        invoke(QStringLiteral("Button5"));
        const QStringList saved = QDir(target).entryList(QDir::Files, QDir::Name);
        QCOMPARE(saved.size(), expected.size());
        for (int i = 0; i < saved.size(); ++i) {
            const QString name = expected.at(i).mid(expected.at(i).lastIndexOf(QLatin1Char('/')) + 1);
            QCOMPARE(saved.at(i), QString::number(i + 1) + QLatin1Char('_') + name);
            QCOMPARE(readFile(target + QLatin1Char('/') + saved.at(i)),
                     fixture_.pictures.value(expected.at(i)));
        }
    }

    void clearCacheAsksAndDeletesOnlyEntries() {
        const int entriesBefore = QDir(cacheFolder()).entryList({QStringLiteral("*_0")}, QDir::Files).size();
        QVERIFY(entriesBefore > fixture_.pictures.size());
        // The pictures shown and saved before were materialised; their copies go with the cache.
        const QDir copies(root_.path() + QStringLiteral("/xdg/tidewell/files"));
        QVERIFY(!copies.entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
        answer(QStringLiteral("cancel"));
        invoke(QStringLiteral("Button2"));
        QCOMPARE(QDir(cacheFolder()).entryList({QStringLiteral("*_0")}, QDir::Files).size(), entriesBefore);
        answer(QStringLiteral("ok"));
        invoke(QStringLiteral("Button2"));
        QVERIFY(QDir(cacheFolder()).entryList({QStringLiteral("*_0")}, QDir::Files).isEmpty());
        QVERIFY(QFile::exists(cacheFolder() + QStringLiteral("/notes.txt")));
        QVERIFY(QDir(cacheFolder() + QStringLiteral("/index-dir")).exists());
        QCOMPARE(copies.entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
        QCOMPARE(control(QStringLiteral("Button2.enabled")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Total:5"));  // not refreshed
    }

    void timerStartsTheUpdaterWhenDue() {
        // No "lastupdate" yet: two seconds after the window showed, the updater was started.
        QTRY_VERIFY_WITH_TIMEOUT(!readFile(root_.path() + QStringLiteral("/upgrade-runs.txt")).isEmpty(),
                                 60000);
        const QList<QByteArray> run =
            readFile(root_.path() + QStringLiteral("/upgrade-runs.txt")).trimmed().split(' ');
        QCOMPARE(run.size(), 2);
        // The window's identifier: the offscreen platform has none to hand on.
        QCOMPARE(run.first(), QByteArray("0"));
        QCOMPARE(run.last(), QByteArray("upgrade_tidecove.ini"));
        QCOMPARE(invoke(QStringLiteral("updatebtn")), QString());
        QTRY_COMPARE_WITH_TIMEOUT(readFile(root_.path() + QStringLiteral("/upgrade-runs.txt")).count('\n'), 2,
                                  60000);
    }

    void layoutsFollowTheBoxes() {
        invoke(QStringLiteral("Button3"));
        setControl(QStringLiteral("CheckBox5"), QStringLiteral("1"));
        QTRY_VERIFY_WITH_TIMEOUT(control(QStringLiteral("wb1")).contains(QStringLiteral("<table")), 60000);
        setControl(QStringLiteral("CheckBox6"), QStringLiteral("0"));
        QCOMPARE(control(QStringLiteral("Button4.enabled")), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(
            control(QStringLiteral("wb1")).contains(QStringLiteral("this.width&gt;100")) ||
                control(QStringLiteral("wb1")).contains(QStringLiteral("this.width>100")),
            60000);
        setControl(QStringLiteral("CheckBox5"), QStringLiteral("0"));
        QTRY_VERIFY_WITH_TIMEOUT(!control(QStringLiteral("wb1")).contains(QStringLiteral("<table")), 60000);
        invoke(QStringLiteral("Button3"));
        QCOMPARE(control(QStringLiteral("CheckBox6")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("Button4.enabled")), QStringLiteral("1"));
    }

    void closingWritesTheSettings() {
        setControl(QStringLiteral("Edit3"), QStringLiteral("pics"));
        setControl(QStringLiteral("c2"), QStringLiteral("0"));
        process_.terminate();
        QVERIFY(process_.waitForFinished(15000));
        QFile settings(root_.path() + QStringLiteral("/tidecove.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = settings.readAll().split('\n');
        QCOMPARE(lines.first().trimmed(), QByteArray("[config]"));
        QVERIFY(lines.contains("e3=pics\r"));
        QVERIFY(lines.contains("c2=0\r"));
        QVERIFY(lines.contains("dir=" + root_.path().toUtf8() + "/saved/\r"));
        QVERIFY(lines.contains("i1=20\r"));
    }

  private:
    QString cacheFolder() const { return root_.path() + QStringLiteral("/Cache_Data"); }
    QString pathOf(const QString& address) const { return address.mid(server_.url(QString()).size()); }
    static QByteArray readFile(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString invoke(const QString& name) {
        const QDBusReply<QString> reply = bus_->call(QStringLiteral("Invoke"), name, QString());
        [&] { QVERIFY2(reply.isValid(), qPrintable(reply.error().message())); }();
        return reply.value();
    }
    QString control(const QString& name) {
        const QDBusReply<QString> reply = bus_->call(QStringLiteral("Control"), name);
        return reply.isValid() ? reply.value() : QStringLiteral("<error>");
    }
    void setControl(const QString& name, const QString& value) {
        const QDBusMessage reply = bus_->call(QStringLiteral("SetControl"), name, value);
        QVERIFY2(reply.type() == QDBusMessage::ReplyMessage, qPrintable(reply.errorMessage()));
    }
    void answer(const QString& text) { bus_->call(QStringLiteral("SetAnswer"), text); }
    QList<CacheEntryPair> entries(const QString& method) {
        const QDBusReply<QList<CacheEntryPair>> reply = bus_->call(method);
        return reply.value();
    }

    CachingHttpServer server_;
    PictureFixture fixture_;
    QTemporaryDir root_;
    QProcess process_;
    std::optional<QDBusInterface> bus_;
};

QTEST_MAIN(TidecoveTest)
#include "tst_tidecove.moc"
