// The programs as `cmake --install` lays them out: started through the commands in the binary folder,
// they find their delivered files in the program folder and write their settings into the user's.
#include <QDBusConnection>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "ProgramRun.h"

using vorlaken::test::InstalledProgram;
using vorlaken::test::ProgramRun;

Q_DECLARE_METATYPE(InstalledProgram)

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
          "welcome.htm", "help.htm", "screenshot.png", "grabnest-host", "installed.txt", "extension/vorlaken.crx",
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
    QTest::addColumn<InstalledProgram>("program");
    QTest::newRow("grabnest") << InstalledProgram{
        QStringLiteral("grabnest"), QStringLiteral("org.vorlaken.Grabnest"), QStringLiteral("/Grabnest"),
        QStringLiteral("vorlaken.ini")};
    QTest::newRow("tidecove") << InstalledProgram{
        QStringLiteral("tidecove"), QStringLiteral("org.vorlaken.Tidewell"), QStringLiteral("/Tidewell"),
        QStringLiteral("tidecove.ini")};
}

void TestInstalledPrograms::programStartsFromCommand() {
    QFETCH(InstalledProgram, program);
    const QString command = prefix_.filePath(QStringLiteral(VORLAKEN_INSTALL_BINDIR "/") + program.command);
    QVERIFY2(QFileInfo(command).isSymLink(), qPrintable(command));

    ProgramRun run(program);
    const QString failed = run.startAnswerAndEnd(command);
    QVERIFY2(failed.isEmpty(), qPrintable(failed));

    // The installed program folder is the package manager's, even for a user who may write there.
    QVERIFY2(QFile::exists(run.userSettingsFile()), qPrintable(run.userSettingsFile()));
    QVERIFY(!QFile::exists(programDir() + QLatin1Char('/') + program.settingsFile));
    QVERIFY(
        !QFile::exists(prefix_.filePath(QStringLiteral(VORLAKEN_INSTALL_BINDIR "/") + program.settingsFile)));
}

QTEST_GUILESS_MAIN(TestInstalledPrograms)
#include "tst_installedprograms.moc"
