#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kService = QStringLiteral("org.vorlaken.Tidewell");

}  // namespace

// The real tidecove program where TIDEWELL_CACHE names folders that hold no cache, and one that holds a
// block-file cache: its window says so, with the folders, instead of a bare "Total:0".
class TidecoveCacheNoteTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QVERIFY2(QDBusConnection::sessionBus().isConnected(), "No session bus (run under dbus-run-session).");
        QVERIFY(!QDBusConnection::sessionBus().interface()->isServiceRegistered(kService));
        const QString program = root_.path() + QStringLiteral("/tidecove");
        QVERIFY(QFile::copy(qEnvironmentVariable("VORLAKEN_BIN_DIR") + QStringLiteral("/tidecove"), program));
        QVERIFY(QDir().mkpath(emptyFolder()));
        // Chromium's block-file layout: an index with its magic number and the block files.
        QVERIFY(QDir().mkpath(blockFolder()));
        for (const auto& [name, bytes] :
             {std::pair{"index", QByteArray::fromHex("c3ca03c1")}, std::pair{"data_0", QByteArray()},
              std::pair{"data_1", QByteArray()}}) {
            QFile file(blockFolder() + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TIDEWELL_CACHE"),
                           emptyFolder() + QLatin1Char(':') + blockFolder());
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

    void listingSaysWhichCachesItCouldNotRead() {
        QCOMPARE(bus_->call(QStringLiteral("Invoke"), QStringLiteral("Button1"), QString()).type(),
                 QDBusMessage::ReplyMessage);
        QCOMPARE(control(QStringLiteral("Label1")), QStringLiteral("Total:0"));
        QCOMPARE(control(QStringLiteral("cacheNote.visible")), QStringLiteral("1"));
        const QString note = control(QStringLiteral("cacheNote"));
        QVERIFY2(note.contains(QFileInfo(blockFolder()).canonicalFilePath() +
                               QStringLiteral(" holds a cache in Chromium's older block-file layout")),
                 qPrintable(note));
    }

  private:
    QString emptyFolder() const { return root_.path() + QStringLiteral("/nothing"); }
    QString blockFolder() const { return root_.path() + QStringLiteral("/old/Default/Cache"); }
    QString control(const QString& name) {
        const QDBusReply<QString> reply = bus_->call(QStringLiteral("Control"), name);
        return reply.isValid() ? reply.value() : QStringLiteral("<error>");
    }

    QTemporaryDir root_;
    QProcess process_;
    std::optional<QDBusInterface> bus_;
};

QTEST_GUILESS_MAIN(TidecoveCacheNoteTest)
#include "tst_tidecovecachenote.moc"
