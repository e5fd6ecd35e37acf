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

#include "PictureFixture.h"
#include "SimpleCacheWriter.h"
#include "cacheviewer/ViewerBus.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

const QString kService = QStringLiteral("org.vorlaken.Tidewell");

QByteArray headersFor(const QByteArray& type) {
    return QByteArray("HTTP/1.1 200 OK") + '\0' + "Content-Type: " + type + '\0' + '\0';
}

}  // namespace

// The real tidecove program on a cache made by the tests' writer, driven over its session bus name.
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
        CachingHttpServer unused;
        fixture_.install(&unused);
        QDir().mkpath(cacheFolder() + QStringLiteral("/index-dir"));
        const qint64 now = (QDateTime::currentMSecsSinceEpoch() + 11644473600000LL) * 1000;
        const QMap<QString, QByteArray> types = {{QStringLiteral("/pics/red.png"), "image/png"},
                                                 {QStringLiteral("/pics/photo.jpg"), "image/jpeg"},
                                                 {QStringLiteral("/pics/dot.gif"), "image/gif"}};
        for (auto it = types.cbegin(); it != types.cend(); ++it) {
            QVERIFY(SimpleCacheWriter::write(cacheFolder(), key(it.key()), fixture_.pictures.value(it.key()),
                                             SimpleCacheWriter::responseInfo(headersFor(it.value()), now)));
        }
        QVERIFY(SimpleCacheWriter::write(cacheFolder(), key(QStringLiteral("/index.html")), "<html></html>",
                                         SimpleCacheWriter::responseInfo(headersFor("text/html"), now)));
        QFile stranger(cacheFolder() + QStringLiteral("/notes.txt"));
        QVERIFY(stranger.open(QIODevice::WriteOnly));

        // The program runs from its own folder, so its settings and temporary page stay in the test's.
        const QString program = root_.path() + QStringLiteral("/tidecove");
        QVERIFY(QFile::copy(qEnvironmentVariable("VORLAKEN_BIN_DIR") + QStringLiteral("/tidecove"), program));
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
        QCOMPARE(control(QStringLiteral("TForm1")), QStringLiteral("Tidewell 1.3 - www.vorlaken.example"));
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Pictures found:0"));
        QCOMPARE(control(QStringLiteral("Button3.enabled")), QStringLiteral("0"));
        QCOMPARE(control(QStringLiteral("SpinEdit3")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("cb1")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("RadioButton1")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("CheckBox6")), QStringLiteral("1"));
    }

    void listPictureFindsTheCachedPictures() {
        invoke(QStringLiteral("Button1"));
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Total:3"));
        QCOMPARE(control(QStringLiteral("Button3.enabled")), QStringLiteral("1"));
        const QList<CacheEntryPair> found = entries(QStringLiteral("Found"));
        QCOMPARE(found.size(), 3);
        QStringList urls;
        for (const CacheEntryPair& pair : found) {
            urls << pair.url;
        }
        urls.sort();
        QCOMPARE(urls,
                 QStringList({url(QStringLiteral("/pics/dot.gif")), url(QStringLiteral("/pics/photo.jpg")),
                              url(QStringLiteral("/pics/red.png"))}));
        QCOMPARE(control(QStringLiteral("ListBox1.0")), QStringLiteral("1"));
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
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown.at(1).url, found.at(2).url);
        for (const CacheEntryPair& pair : shown) {
            QCOMPARE(readFile(pair.localFile), fixture_.pictures.value(pathOf(pair.url)));
        }
        QTRY_VERIFY_WITH_TIMEOUT(control(QStringLiteral("wb1")).contains(QStringLiteral("name=\"c3\"")),
                                 10000);
        QVERIFY(!control(QStringLiteral("wb1")).contains(QStringLiteral("name=\"c2\"")));
        QVERIFY(control(QStringLiteral("Memo1")).startsWith(QStringLiteral("Picture URLs:\n")));

        // Keep pictures at least 20 pixels wide: the 1x1 GIF goes, if it is shown.
        setControl(QStringLiteral("SpinEdit1"), QStringLiteral("20"));
        setControl(QStringLiteral("SpinEdit2"), QStringLiteral("0"));
        setControl(QStringLiteral("cbsize"), QStringLiteral("0"));
        QTest::qWait(1000);  // the pictures load from their files
        invoke(QStringLiteral("Button4"));
        QStringList kept;
        for (const CacheEntryPair& pair : entries(QStringLiteral("Shown"))) {
            kept << pathOf(pair.url);
        }
        QStringList expected;
        for (const CacheEntryPair& pair : shown) {
            if (pathOf(pair.url) != QLatin1String("/pics/dot.gif")) {
                expected << pathOf(pair.url);
            }
        }
        QCOMPARE(kept, expected);

        const QString target = root_.path() + QStringLiteral("/saved");
        QVERIFY(QDir().mkpath(target));
        answer(target);
        invoke(QStringLiteral("SpeedButton1"));
        QCOMPARE(control(QStringLiteral("Edit2")), target + QLatin1Char('/'));
        QTRY_VERIFY_WITH_TIMEOUT(control(QStringLiteral("wb1")).contains(QStringLiteral("name=\"c1\"")),
                                 10000);
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
        QCOMPARE(entriesBefore, 4);
        answer(QStringLiteral("cancel"));
        invoke(QStringLiteral("Button2"));
        QCOMPARE(QDir(cacheFolder()).entryList({QStringLiteral("*_0")}, QDir::Files).size(), entriesBefore);
        answer(QStringLiteral("ok"));
        invoke(QStringLiteral("Button2"));
        QVERIFY(QDir(cacheFolder()).entryList({QStringLiteral("*_0")}, QDir::Files).isEmpty());
        QVERIFY(QFile::exists(cacheFolder() + QStringLiteral("/notes.txt")));
        QVERIFY(QDir(cacheFolder() + QStringLiteral("/index-dir")).exists());
        QCOMPARE(control(QStringLiteral("Button2.enabled")), QStringLiteral("1"));
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Total:3"));  // not refreshed
    }

    void upgradeNowWithoutUpdater() {
        QCOMPARE(invoke(QStringLiteral("updatebtn")), QStringLiteral("Upgrade.exe is not found."));
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
    static QString url(const QString& path) { return QStringLiteral("http://pics.example") + path; }
    static QString pathOf(const QString& address) {
        return address.mid(QStringLiteral("http://pics.example").size());
    }
    static QByteArray key(const QString& path) {
        return SimpleCacheWriter::keyFor(url(path), QStringLiteral("http://pics.example"));
    }
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

    PictureFixture fixture_;
    QTemporaryDir root_;
    QProcess process_;
    std::optional<QDBusInterface> bus_;
};

QTEST_MAIN(TidecoveTest)
#include "tst_tidecove.moc"
