// The Debian package as scripts/package builds it: it holds what the install rules install, the
// validators find no error in it, its dependencies cover the libraries its programs link, and both
// programs run from it unpacked, offscreen, answering on the bus, without writing into it.
#include <QDBusConnection>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include "ProgramRun.h"

using vorlaken::test::InstalledProgram;
using vorlaken::test::ProgramRun;

Q_DECLARE_METATYPE(InstalledProgram)

namespace {

struct Result {
    int status = -1;
    QString out;
    QString err;
};

Result run(const QString& program, const QStringList& arguments, int timeoutMs = 300000,
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Result result;
    if (!process.waitForStarted()) {
        result.err = program + QStringLiteral(": ") + process.errorString();
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = program + QStringLiteral(" did not finish");
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

// Every path below root (files, links and folders, relative), with what a write would change.
QMap<QString, QString> snapshot(const QString& root) {
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        entries.insert(QDir(root).relativeFilePath(info.filePath()),
                       QStringLiteral("%1 %2 %3")
                           .arg(info.isSymLink() ? info.symLinkTarget() : QString::number(info.size()))
                           .arg(info.lastModified().toMSecsSinceEpoch())
                           .arg(info.permissions().toInt()));
    }
    return entries;
}

QStringList filesIn(const QString& root) {
    QStringList files;
    const QMap<QString, QString> all = snapshot(root);
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        const QFileInfo info(root + QLatin1Char('/') + it.key());
        if (info.isSymLink() || !info.isDir())
            files << it.key();
    }
    return files;
}

bool isElf(const QString& path) {
    QFile file(path);
    return !QFileInfo(path).isSymLink() && file.open(QIODevice::ReadOnly) &&
           file.read(4) ==
               "\x7f"
               "ELF";
}

QString desktopValue(const QString& file, const QString& key) {
    QSettings entry(file, QSettings::IniFormat);
    return entry.value(QStringLiteral("Desktop Entry/") + key).toString();
}

}  // namespace

class TestPackage : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void holdsWhatTheInstallRulesInstall();
    void validatorsFindNoError_data();
    void validatorsFindNoError();
    void menuEntriesLeadToProgramsIconsAndManuals_data();
    void menuEntriesLeadToProgramsIconsAndManuals();
    void dependenciesCoverTheLinkedLibraries();
    void commandsAnswerWithoutDisplay_data();
    void commandsAnswerWithoutDisplay();
    void programStartsFromItsMenuEntry_data();
    void programStartsFromItsMenuEntry();

  private:
    QString tree(const QString& path = QString()) const {
        return work_.filePath(QStringLiteral("root/") + path);
    }
    QStringList desktopEntries() const;

    QTemporaryDir work_;
    QString package_;
};

void TestPackage::initTestCase() {
    QVERIFY(work_.isValid());
    // As scripts/package makes it, into a folder of this test.
    const Result packed =
        run(QStringLiteral(VORLAKEN_CPACK),
            {QStringLiteral("--config"), QStringLiteral(VORLAKEN_BUILD_DIR "/CPackConfig.cmake"),
             QStringLiteral("-B"), work_.filePath(QStringLiteral("out"))});
    QVERIFY2(packed.status == 0, qPrintable(packed.out + packed.err));
    const QStringList debs = QDir(work_.filePath(QStringLiteral("out"))).entryList({QStringLiteral("*.deb")});
    QCOMPARE(debs.size(), 1);
    package_ = work_.filePath(QStringLiteral("out/") + debs.first());
    const Result unpacked = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), package_, tree()});
    QVERIFY2(unpacked.status == 0, qPrintable(unpacked.err));
    QVERIFY(QDBusConnection::sessionBus().isConnected());
}

QStringList TestPackage::desktopEntries() const {
    return QDir(tree(QStringLiteral("usr/share/applications"))).entryList({QStringLiteral("*.desktop")});
}

void TestPackage::holdsWhatTheInstallRulesInstall() {
    const QString prefix = work_.filePath(QStringLiteral("installed"));
    const Result installed =
        run(QStringLiteral(VORLAKEN_CMAKE), {QStringLiteral("--install"), QStringLiteral(VORLAKEN_BUILD_DIR),
                                             QStringLiteral("--prefix"), prefix + QStringLiteral("/usr")});
    QVERIFY2(installed.status == 0, qPrintable(installed.err));
    const QStringList packed = filesIn(tree());
    QCOMPARE(packed, filesIn(prefix));
    // Both programs with their delivered files, in a program folder of their own.
    for (const char* name : {"usr/lib/vorlaken/grabnest", "usr/lib/vorlaken/tidecove",
                             "usr/lib/vorlaken/grabnest.htm", "usr/lib/vorlaken/help.htm", "usr/bin/grabnest",
                             "usr/bin/tidecove", "usr/share/doc/vorlaken/copyright"})
        QVERIFY2(packed.contains(QLatin1String(name)), name);
}

void TestPackage::validatorsFindNoError_data() {
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("lintian") << "lintian"
                             << QStringList{QStringLiteral("--fail-on"), QStringLiteral("error"),
                                            QStringLiteral("--tag-display-limit"), QStringLiteral("0"),
                                            package_};
    for (const QString& entry : desktopEntries())
        QTest::newRow(qPrintable(entry))
            << "desktop-file-validate"
            << QStringList{tree(QStringLiteral("usr/share/applications/") + entry)};
    const QDir metainfo(tree(QStringLiteral("usr/share/metainfo")));
    const QStringList components = metainfo.entryList({QStringLiteral("*.xml")});
    QVERIFY(!components.isEmpty());
    for (const QString& component : components)
        QTest::newRow(qPrintable(component))
            << "appstreamcli"
            << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                           metainfo.filePath(component)};
}

void TestPackage::validatorsFindNoError() {
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const Result checked = run(tool, arguments);
    // Warnings are printed for the reader; only errors fail.
    if (!checked.out.isEmpty() || !checked.err.isEmpty())
        qInfo().noquote() << checked.out << checked.err;
    QVERIFY2(checked.status == 0, qPrintable(tool + QStringLiteral(": ") + checked.out + checked.err));
    QVERIFY2(!checked.out.contains(QRegularExpression(QStringLiteral("(^|\\n)E: |error:"))),
             qPrintable(checked.out));
}

void TestPackage::menuEntriesLeadToProgramsIconsAndManuals_data() {
    QTest::addColumn<QString>("entry");
    const QStringList entries = desktopEntries();
    QVERIFY(entries.contains(QStringLiteral("grabnest.desktop")));
    QVERIFY(entries.contains(QStringLiteral("tidecove.desktop")));
    for (const QString& entry : entries)
        QTest::newRow(qPrintable(entry)) << tree(QStringLiteral("usr/share/applications/") + entry);
}

void TestPackage::menuEntriesLeadToProgramsIconsAndManuals() {
    QFETCH(QString, entry);
    const QString command = desktopValue(entry, QStringLiteral("Exec")).section(QLatin1Char(' '), 0, 0);
    const QFileInfo program(tree(QStringLiteral("usr/bin/") + command));
    QVERIFY2(
        program.isSymLink() && program.canonicalFilePath().startsWith(QFileInfo(tree()).canonicalFilePath()),
        qPrintable(command));
    QVERIFY(isElf(program.canonicalFilePath()));
    QVERIFY2(
        QFileInfo::exists(tree(QStringLiteral("usr/share/man/man1/") + command + QStringLiteral(".1.gz"))),
        qPrintable(command));

    const QString icon = desktopValue(entry, QStringLiteral("Icon"));
    const QString theme = tree(QStringLiteral("usr/share/icons/hicolor/"));
    QVERIFY2(QFileInfo::exists(theme + QStringLiteral("scalable/apps/") + icon + QStringLiteral(".svg")),
             qPrintable(icon));
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString png = theme + QStringLiteral("%1x%1/apps/").arg(size) + icon + QStringLiteral(".png");
        QCOMPARE(QImageReader(png).size(), QSize(size, size));
    }
}

void TestPackage::dependenciesCoverTheLinkedLibraries() {
    const Result control =
        run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), package_, QStringLiteral("Depends")});
    QCOMPARE(control.status, 0);
    QSet<QString> declared;
    for (const QString& alternatives : control.out.split(QLatin1Char(',')))
        for (const QString& one : alternatives.split(QLatin1Char('|')))
            declared.insert(one.trimmed().section(QLatin1Char(' '), 0, 0).section(QLatin1Char(':'), 0, 0));

    int programs = 0;
    for (const QString& file : filesIn(tree())) {
        if (!isElf(tree(file)))
            continue;
        ++programs;
        const Result dynamic = run(QStringLiteral("objdump"), {QStringLiteral("-p"), tree(file)});
        QCOMPARE(dynamic.status, 0);
        static const QRegularExpression needed(QStringLiteral("^\\s*NEEDED\\s+(\\S+)$"),
                                               QRegularExpression::MultilineOption);
        for (const QRegularExpressionMatch& library : needed.globalMatch(dynamic.out)) {
            const Result owner = run(QStringLiteral("dpkg"),
                                     {QStringLiteral("-S"), QStringLiteral("*/") + library.captured(1)});
            QVERIFY2(owner.status == 0, qPrintable(library.captured(1) + owner.err));
            const QString package = owner.out.section(QLatin1Char(':'), 0, 0);
            QVERIFY2(
                declared.contains(package),
                qPrintable(file + QStringLiteral(" links ") + library.captured(1) + QStringLiteral(" of ") +
                           package + QStringLiteral(", not in: ") + control.out));
        }
    }
    QVERIFY(programs >= 2);
}

void TestPackage::commandsAnswerWithoutDisplay_data() {
    QTest::addColumn<QString>("command");
    for (const QString& command : QDir(tree(QStringLiteral("usr/bin"))).entryList(QDir::Files | QDir::System))
        QTest::newRow(qPrintable(command)) << command;
}

void TestPackage::commandsAnswerWithoutDisplay() {
    QFETCH(QString, command);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* display : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(display));
    const Result version =
        run(tree(QStringLiteral("usr/bin/") + command), {QStringLiteral("--version")}, 30000, env);
    QVERIFY2(version.status == 0, qPrintable(version.err));
    QVERIFY2(version.out.startsWith(command + QLatin1Char(' ')), qPrintable(version.out));
}

void TestPackage::programStartsFromItsMenuEntry_data() {
    QTest::addColumn<QString>("entry");
    QTest::addColumn<InstalledProgram>("program");
    QTest::newRow("grabnest") << "grabnest.desktop"
                              << InstalledProgram{
                                     QStringLiteral("grabnest"), QStringLiteral("org.vorlaken.Grabnest"),
                                     QStringLiteral("/Grabnest"), QStringLiteral("vorlaken.ini")};
    QTest::newRow("tidecove") << "tidecove.desktop"
                              << InstalledProgram{
                                     QStringLiteral("tidecove"), QStringLiteral("org.vorlaken.Tidewell"),
                                     QStringLiteral("/Tidewell"), QStringLiteral("tidecove.ini")};
}

void TestPackage::programStartsFromItsMenuEntry() {
    QFETCH(QString, entry);
    QFETCH(InstalledProgram, program);
    const QString exec =
        desktopValue(tree(QStringLiteral("usr/share/applications/") + entry), QStringLiteral("Exec"));
    QCOMPARE(exec, program.command);
    const QMap<QString, QString> before = snapshot(tree());

    ProgramRun started(program);
    const QString failed = started.startAnswerAndEnd(tree(QStringLiteral("usr/bin/") + exec));
    QVERIFY2(failed.isEmpty(), qPrintable(failed));

    QVERIFY2(QFile::exists(started.userSettingsFile()), qPrintable(started.userSettingsFile()));
    QCOMPARE(snapshot(tree()), before);
}

QTEST_GUILESS_MAIN(TestPackage)
#include "tst_package.moc"
