#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/IniFile.h"

using namespace vorlaken;

namespace {

void writeText(const QString& path, const QByteArray& text) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QByteArray readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Limits the size of files this process may write, for the lifetime of the object.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = signal(SIGXFSZ, SIG_IGN);  // make the write fail instead of killing the process
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, previous_);
    }

  private:
    rlimit old_{};
    sighandler_t previous_;
};

}  // namespace

class TestIniFile : public QObject {
    Q_OBJECT

  private slots:
    void missingFileGivesDefaults();
    void integers_data();
    void integers();
    void booleans_data();
    void booleans();
    void keysAndSectionsIgnoreCase();
    void stringIsTextAfterFirstEquals();
    void saveRoundTrip();
    void failedSaveKeepsOldFile();

  private:
    QTemporaryDir dir_;
};

void TestIniFile::missingFileGivesDefaults() {
    IniFile ini(dir_.filePath("absent.ini"));
    ini.load();
    QCOMPARE(ini.readInteger("config", "w", 80), 80);
    QCOMPARE(ini.readBool("config", "horizontal", true), true);
    QCOMPARE(ini.readString("config", "rep1", "/thumb/"), QString("/thumb/"));
    QVERIFY(!ini.hasKey("config", "w"));
}

void TestIniFile::integers_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("expected");
    QTest::newRow("plain") << QByteArray("w=120") << 120;
    QTest::newRow("negative") << QByteArray("w=-5") << -5;
    QTest::newRow("not a number") << QByteArray("w=abc") << 80;
    QTest::newRow("trailing letters") << QByteArray("w=12px") << 80;
    QTest::newRow("empty") << QByteArray("w=") << 80;
    QTest::newRow("too large") << QByteArray("w=99999999999") << 80;
    QTest::newRow("other key only") << QByteArray("ww=3") << 80;
}

void TestIniFile::integers() {
    QFETCH(QByteArray, line);
    QFETCH(int, expected);
    const QString path = dir_.filePath("int.ini");
    writeText(path, "[config]\r\n" + line + "\r\n");
    IniFile ini(path);
    ini.load();
    QCOMPARE(ini.readInteger("config", "w", 80), expected);
}

void TestIniFile::booleans_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("defaultValue");
    QTest::addColumn<bool>("expected");
    QTest::newRow("1") << QByteArray("1") << false << true;
    QTest::newRow("0") << QByteArray("0") << true << false;
    QTest::newRow("any non-zero") << QByteArray("7") << false << true;
    QTest::newRow("negative") << QByteArray("-1") << false << true;
    QTest::newRow("not a number keeps default true") << QByteArray("yes") << true << true;
    QTest::newRow("not a number keeps default false") << QByteArray("true") << false << false;
}

void TestIniFile::booleans() {
    QFETCH(QByteArray, value);
    QFETCH(bool, defaultValue);
    QFETCH(bool, expected);
    const QString path = dir_.filePath("bool.ini");
    writeText(path, "[config]\nsave=" + value + "\n");
    IniFile ini(path);
    ini.load();
    QCOMPARE(ini.readBool("config", "save", defaultValue), expected);
}

void TestIniFile::keysAndSectionsIgnoreCase() {
    const QString path = dir_.filePath("case.ini");
    writeText(path, "[other]\nW=1\n[CONFIG]\nDomore=1\nW=2\n");
    IniFile ini(path);
    ini.load();
    QCOMPARE(ini.readInteger("config", "w", 80), 2);
    QCOMPARE(ini.readBool("config", "domore", false), true);
    QCOMPARE(ini.readInteger("Other", "w", 80), 1);
    QCOMPARE(ini.readInteger("missing", "w", 80), 80);
}

void TestIniFile::stringIsTextAfterFirstEquals() {
    const QString path = dir_.filePath("string.ini");
    writeText(path, "[config]\nrep1=a=b= \ndir=\n");
    IniFile ini(path);
    ini.load();
    QCOMPARE(ini.readString("config", "rep1", "x"), QString("a=b= "));
    QCOMPARE(ini.readString("config", "dir", "x"), QString());  // present and empty
    QVERIFY(ini.hasKey("config", "dir"));
}

void TestIniFile::saveRoundTrip() {
    const QString path = dir_.filePath("round.ini");
    writeText(path, "; kept comment\n[config]\nW=5\n\n[other]\nkeep=me\n");
    IniFile ini(path);
    ini.load();
    ini.writeInteger("config", "w", 300);
    ini.writeBool("config", "zip", true);
    ini.writeString("config", "rep1", "/thumb/=x");
    ini.writeString("fresh", "dir", "/tmp/a b/");
    QVERIFY(ini.save());

    IniFile again(path);
    again.load();
    QCOMPARE(again.readInteger("config", "w", 80), 300);
    QCOMPARE(again.readBool("config", "zip", false), true);
    QCOMPARE(again.readString("config", "rep1", ""), QString("/thumb/=x"));
    QCOMPARE(again.readString("fresh", "dir", ""), QString("/tmp/a b/"));
    QCOMPARE(again.readString("other", "keep", ""), QString("me"));
    const QByteArray text = readText(path);
    QVERIFY(text.startsWith("; kept comment\r\n[config]\r\nw=300\r\n"));
    QCOMPARE(text.count("w=300"), 1);  // the existing key was replaced in place
}

void TestIniFile::failedSaveKeepsOldFile() {
    const QByteArray old = "[config]\r\nw=5\r\n";
    QTemporaryDir dir;

    // A write that runs out of room half-way (the file size limit stands in for a full disk).
    const QString path = dir.filePath("atomic.ini");
    writeText(path, old);
    {
        IniFile ini(path);
        ini.load();
        ini.writeString("config", "rep1", QString(4096, 'x'));
        FileSizeLimit limit(1024);
        QVERIFY(!ini.save());
    }
    QCOMPARE(readText(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"atomic.ini"});  // no leftovers

    // A target that cannot be a file at all.
    QVERIFY(QDir(dir.path()).mkdir("folder.ini"));
    IniFile onFolder(dir.filePath("folder.ini"));
    onFolder.writeInteger("config", "w", 1);
    QVERIFY(!onFolder.save());
    QVERIFY(QFileInfo(dir.filePath("folder.ini")).isDir());

    IniFile underFile(path + "/vorlaken.ini");  // its parent is a regular file
    underFile.writeInteger("config", "w", 1);
    QVERIFY(!underFile.save());
    QCOMPARE(readText(path), old);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
