// The programs as `cmake --install` lays them out: started through the commands in the binary folder,
// they find their delivered files in the program folder and write their settings where they may.
#include <csignal>

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Program {
    QString command;
    QString service;
    QString objectPath;
    QString settingsFile;
};

}  // namespace

Q_DECLARE_METATYPE(Program)

class TestInstalledPrograms : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void programStartsFromCommand_data();
    void programStartsFromCommand();

  private:
    QString programDir() const { return prefix_.filePath(QStringLiteral(VORLAKEN_INSTALL_PROGRAMDIR)); }

    QTemporaryDir prefix_;
};

void TestInstalledPrograms::initTestCase() {
    QVERIFY(prefix_.isValid());
    QProcess install;
    install.setProcessChannelMode(QProcess::ForwardedChannels);
    install.start(QStringLiteral(VORLAKEN_CMAKE),
                  {QStringLiteral("--install"), QStringLiteral(VORLAKEN_BUILD_DIR),
                   QStringLiteral("--prefix"), prefix_.path()});
    QVERIFY(install.waitForFinished(120000));
    QCOMPARE(install.exitStatus(), QProcess::NormalExit);
    QCOMPARE(install.exitCode(), 0);
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

void TestInstalledPrograms::layout_data() {
    QTest::addColumn<QString>("path");
    const QString program = QStringLiteral(VORLAKEN_INSTALL_PROGRAMDIR "/");
    const QString data = QStringLiteral(VORLAKEN_INSTALL_DATADIR "/");
    for (const char* name :
         {"grabnest", "tidecove", "grabnest.htm", "grabnest.ico", "grabhot.ico", "grabnest.png",
          "welcome.htm", "help.htm", "screenshot.png", "grabnest-host", "extension/vorlaken.crx",
          "extension/grabnest@vorlaken.org.xpi", "extension/chromium/manifest.json",
          "extension/chromium/background.js", "extension/chromium/content.js",
          "extension/chromium/grabnest.png", "extension/chromium/grabhot.png"})
        QTest::newRow(name) << program + QLatin1String(name);
    QTest::newRow("grabnest.desktop") << data + QStringLiteral("applications/grabnest.desktop");
    QTest::newRow("tidecove.desktop") << data + QStringLiteral("applications/tidecove.desktop");
    QTest::newRow("icon") << data + QStringLiteral("icons/hicolor/48x48/apps/grabnest.png");
}

void TestInstalledPrograms::layout() {
    QFETCH(QString, path);
    QVERIFY2(QFileInfo(prefix_.filePath(path)).isFile(), qPrintable(path));
}

void TestInstalledPrograms::programStartsFromCommand_data() {
    QTest::addColumn<Program>("program");
    QTest::newRow("grabnest") << Program{QStringLiteral("grabnest"), QStringLiteral("org.vorlaken.Grabnest"),
                                         QStringLiteral("/Grabnest"), QStringLiteral("vorlaken.ini")};
    QTest::newRow("tidecove") << Program{QStringLiteral("tidecove"), QStringLiteral("org.vorlaken.Tidewell"),
                                         QStringLiteral("/Tidewell"), QStringLiteral("tidecove.ini")};
}

void TestInstalledPrograms::programStartsFromCommand() {
    QFETCH(Program, program);
    const QString command = prefix_.filePath(QStringLiteral(VORLAKEN_INSTALL_BINDIR "/") + program.command);
    QVERIFY2(QFileInfo(command).isSymLink(), qPrintable(command));

    QTemporaryDir home;
    QTemporaryDir runtime;
    QTemporaryDir emptyCache;
    QFile(runtime.path())
        .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // A package installs the program folder read-only; the settings then go to the user's config folder.
    // (A superuser may still write there, and then does.)
    const QFile::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                        QFileDevice::ReadGroup | QFileDevice::ExeGroup |
                                        QFileDevice::ReadOther | QFileDevice::ExeOther;
    QVERIFY(QFile(programDir()).setPermissions(readOnly));
    auto writable = qScopeGuard([this] {
        QFile(programDir()).setPermissions(QFile(programDir()).permissions() | QFileDevice::WriteOwner);
    });

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home.path());
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.insert(QStringLiteral("XDG_CACHE_HOME"), emptyCache.path());
    env.insert(QStringLiteral("TIDEWELL_CACHE"), emptyCache.path());
    // A loopback port nothing listens on: no browser is attached.
    env.insert(QStringLiteral("VORLAKEN_DEVTOOLS"), QStringLiteral("http://127.0.0.1:9"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(command, {});
    QVERIFY(process.waitForStarted());
    auto stop = qScopeGuard([&process] {
        process.kill();
        process.waitForFinished(10000);
    });

    QDBusConnectionInterface* bus = QDBusConnection::sessionBus().interface();
    QTRY_VERIFY_WITH_TIMEOUT(bus->isServiceRegistered(program.service).value(), 60000);
    QDBusInterface window(program.service, program.objectPath, program.service);
    if (program.command == QLatin1String("grabnest")) {
        // "Get" comes back once the start-up capture has found no browser, unless the preview template
        // is missing beside the program: then it stays disabled.
        const auto control = [&window](const QString& name) {
            const QDBusReply<QString> reply = window.call(QStringLiteral("Control"), name);
            return reply.isValid() ? reply.value() : reply.error().message();
        };
        QTRY_COMPARE_WITH_TIMEOUT(control(QStringLiteral("getbtn.enabled")), QStringLiteral("1"), 30000);
    }

    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    const bool folderWritable = ::access(QFile::encodeName(programDir()).constData(), W_OK) == 0;
    const QString settingsDir =
        folderWritable ? programDir() : home.filePath(QStringLiteral(".config/vorlaken"));
    QVERIFY2(QFile::exists(settingsDir + QLatin1Char('/') + program.settingsFile), qPrintable(settingsDir));
    QVERIFY(
        !QFile::exists(prefix_.filePath(QStringLiteral(VORLAKEN_INSTALL_BINDIR "/") + program.settingsFile)));
}

QTEST_GUILESS_MAIN(TestInstalledPrograms)
#include "tst_installedprograms.moc"
