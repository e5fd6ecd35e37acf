// The settings file bound to the main window's controls: defaults, bad values, the round trip at
// close in the fixed key order, and a close whose write fails.
#include <QDir>
#include <QFile>
#include <QTest>

#include "ShellFixture.h"
#include "widgets/ControlAccess.h"

using namespace vorlaken;
using namespace vorlaken::test;

class SettingsBindingTest : public QObject {
    Q_OBJECT

  private slots:
    void defaultsApplyWithoutAFile_data();
    void defaultsApplyWithoutAFile();
    void unreadableValuesGiveTheirDefaults_data();
    void unreadableValuesGiveTheirDefaults();
    void startWritesMenuinitOnly();
    void everyKeyIsWrittenAtCloseAndReadBack();
    void ownOptionsAreWrittenOnceTurnedOn();
    void rememberedFolderFollowsKeepdir_data();
    void rememberedFolderFollowsKeepdir();
    void indexOutsideItsListChoosesNothing();
    void extremeNumbersInEveryKey_data();
    void extremeNumbersInEveryKey();
    void storedPlacementStaysOnScreen_data();
    void storedPlacementStaysOnScreen();
    void failedWriteAtCloseLosesNothing();
};

namespace {

constexpr int kScreen = -1;
constexpr int kDesign = -2;

// The design size, as far as the screen has room for it.
QSize designSizeOnScreen(const QWidget& window) {
    return SettingsBinding::designGeometry().size().boundedTo(window.screen()->availableGeometry().size());
}

QString valueOf(MainWindow& window, const QString& name) {
    QString value;
    if (!window.controls().value(name, &value))
        return QStringLiteral("<no control>");
    return value;
}

// Control name and the value it shows with the key's default.
void addDefaultRows(bool withTexts) {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("expected");
    QTest::newRow("skin") << "skin"
                          << "cb1"
                          << "1";
    QTest::newRow("autoupgrade") << "autoupgrade"
                                 << "chkupgrade"
                                 << "1";
    QTest::newRow("horizontal") << "horizontal"
                                << "chkhorizontal"
                                << "1";
    QTest::newRow("w") << "w"
                       << "SpinEdit1"
                       << "80";
    QTest::newRow("h") << "h"
                       << "SpinEdit2"
                       << "80";
    QTest::newRow("size") << "size"
                          << "cbsize"
                          << "0";
    QTest::newRow("w2") << "w2"
                        << "SpinEdit12"
                        << "80";
    QTest::newRow("h2") << "h2"
                        << "spinedit22"
                        << "80";
    QTest::newRow("size2") << "size2"
                           << "cbsize2"
                           << "0";
    if (withTexts) {
        QTest::newRow("rep1") << "rep1"
                              << "Edit6"
                              << "/thumb/";
        QTest::newRow("rep2") << "rep2"
                              << "Edit7"
                              << "/";
    }
    QTest::newRow("noorg") << "noorg"
                           << "noorgChk"
                           << "0";
    QTest::newRow("keepdir") << "keepdir"
                             << "N32"
                             << "1";
    QTest::newRow("domore") << "domore"
                            << "inputchk"
                            << "0";
    QTest::newRow("save") << "save"
                          << "savechk"
                          << "1";
    QTest::newRow("zip") << "zip"
                         << "zipChk"
                         << "0";
    QTest::newRow("wh") << "wh"
                        << "whCheck"
                        << "1";
    QTest::newRow("saveext") << "saveext"
                             << "extchk"
                             << "1";
    QTest::newRow("autoext") << "autoext"
                             << "autoextchk"
                             << "1";
    QTest::newRow("way2") << "way2"
                          << "cb2"
                          << "2";
    QTest::newRow("way3") << "way3"
                          << "cb3"
                          << "3";
}

}  // namespace

void SettingsBindingTest::defaultsApplyWithoutAFile_data() {
    addDefaultRows(true);
}

void SettingsBindingTest::defaultsApplyWithoutAFile() {
    QFETCH(QString, control);
    QFETCH(QString, expected);
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QCOMPARE(valueOf(window, control), expected);
    QCOMPARE(window.size(), designSizeOnScreen(window));
}

// Texts are taken as they are; every other kind falls back to its default.
void SettingsBindingTest::unreadableValuesGiveTheirDefaults_data() {
    addDefaultRows(false);
}

void SettingsBindingTest::unreadableValuesGiveTheirDefaults() {
    QFETCH(QString, key);
    QFETCH(QString, control);
    QFETCH(QString, expected);
    ShellFixture fixture;
    fixture.writeSettings("[config]\r\n" + key.toLatin1() + "=abc\r\nfw=abc\r\n");
    MainWindow& window = fixture.create();
    QCOMPARE(valueOf(window, control), expected);
    QCOMPARE(window.width(), designSizeOnScreen(window).width());
}

void SettingsBindingTest::startWritesMenuinitOnly() {
    ShellFixture fixture;
    fixture.create();
    QCOMPARE(fixture.settingsText(), QByteArray("[config]\r\nmenuinit=1\r\n"));
}

void SettingsBindingTest::everyKeyIsWrittenAtCloseAndReadBack() {
    ShellFixture fixture;
    QDir().mkpath(fixture.path(QStringLiteral("pictures")));
    fixture.writeSettings("[config]\r\ndir=" + fixture.path(QStringLiteral("pictures")).toUtf8() +
                          "\r\ncat=1\r\n");
    MainWindow& window = fixture.create();
    const ControlAccess& controls = window.controls();
    // Every control away from its default, set as a user would.
    const QList<QPair<QString, QString>> changes = {
        {"cb1", "0"},       {"chkupgrade", "0"},  {"chkhorizontal", "0"}, {"SpinEdit1", "120"},
        {"SpinEdit2", "0"}, {"cbsize", "2"},      {"SpinEdit12", "33"},   {"spinedit22", "44"},
        {"cbsize2", "1"},   {"Edit6", "/small/"}, {"Edit7", "/large/"},   {"noorgChk", "1"},
        {"inputchk", "1"},  {"savechk", "0"},     {"zipChk", "1"},        {"whCheck", "0"},
        {"extchk", "0"},    {"autoextchk", "0"},  {"cb2", "0"},           {"cb3", "1"},
    };
    for (const auto& change : changes)
        QVERIFY2(controls.setValue(change.first, change.second), qPrintable(change.first));
    window.setGeometry(40, 50, 700, 500);
    window.close();

    const QString folder = fixture.path(QStringLiteral("pictures")) + QLatin1Char('/');
    const QStringList expected = {
        "[config]", "dir=" + folder, "cat=1",        "menuinit=1", "keepdir=1", "way2=0",
        "way3=1",   "w=120",         "h=0",          "size=2",     "w2=33",     "h2=44",
        "size2=1",  "save=0",        "zip=1",        "saveext=0",  "autoext=0", "horizontal=0",
        "domore=1", "wh=0",          "runfirst=0",   "fw=700",     "fh=500",    "fx=40",
        "fy=50",    "rep1=/small/",  "rep2=/large/", "noorg=1",    "skin=0",    "autoupgrade=0",
    };
    QStringList lines = QString::fromUtf8(fixture.settingsText()).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString());
    QCOMPARE(lines, expected);

    fixture.destroy();
    MainWindow& again = fixture.create();
    for (const auto& change : changes)
        QCOMPARE(valueOf(again, change.first), change.second);
    QCOMPARE(again.geometry(), QRect(40, 50, 700, 500));
    QCOMPARE(valueOf(again, QStringLiteral("Label106.hint")),
             QStringLiteral("pictures are saved under categories"));
}

// Options of our own beyond the table stay out of the file until they are turned on; turned off again
// they are written off, so that the next start does not turn them back on.
void SettingsBindingTest::ownOptionsAreWrittenOnceTurnedOn() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    window.close();
    QVERIFY(!fixture.settingsText().contains("largest"));
    QVERIFY(!fixture.settingsText().contains("ownsize"));

    fixture.destroy();
    MainWindow& on = fixture.create();
    QCOMPARE(valueOf(on, QStringLiteral("largestChk")), QStringLiteral("0"));
    QVERIFY(on.controls().setValue(QStringLiteral("largestChk"), QStringLiteral("1")));
    on.close();
    QVERIFY(fixture.settingsText().contains("\r\nlargest=1\r\n"));
    QVERIFY(!fixture.settingsText().contains("ownsize"));

    fixture.destroy();
    MainWindow& off = fixture.create();
    QCOMPARE(valueOf(off, QStringLiteral("largestChk")), QStringLiteral("1"));
    QVERIFY(off.controls().setValue(QStringLiteral("largestChk"), QStringLiteral("0")));
    off.close();
    QVERIFY(fixture.settingsText().contains("\r\nlargest=0\r\n"));
    fixture.destroy();
    QCOMPARE(valueOf(fixture.create(), QStringLiteral("largestChk")), QStringLiteral("0"));
}

void SettingsBindingTest::rememberedFolderFollowsKeepdir_data() {
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QString>("expectedLine");
    QTest::newRow("kept folder gains a separator") << true << true << "dir=%1/pictures/";
    QTest::newRow("a folder that is gone is forgotten") << false << true << "dir=";
    QTest::newRow("keepdir off leaves the old line") << true << false << "dir=%1/pictures";
}

void SettingsBindingTest::rememberedFolderFollowsKeepdir() {
    QFETCH(bool, folderExists);
    QFETCH(bool, keep);
    QFETCH(QString, expectedLine);
    ShellFixture fixture;
    const QString root = QFileInfo(fixture.path(QStringLiteral("x"))).absolutePath();
    if (folderExists)
        QDir().mkpath(fixture.path(QStringLiteral("pictures")));
    fixture.writeSettings(QStringLiteral("[config]\r\ndir=%1/pictures\r\nkeepdir=%2\r\n")
                              .arg(root, keep ? QStringLiteral("1") : QStringLiteral("0"))
                              .toUtf8());
    fixture.create().close();
    const QStringList lines = QString::fromUtf8(fixture.settingsText()).split(QStringLiteral("\r\n"));
    QVERIFY2(lines.contains(expectedLine.arg(root)), qPrintable(lines.join(QLatin1Char('|'))));
}

void SettingsBindingTest::indexOutsideItsListChoosesNothing() {
    ShellFixture fixture;
    fixture.writeSettings("[config]\r\nsize=7\r\nway2=-3\r\nskin=5\r\n");
    MainWindow& window = fixture.create();
    QCOMPARE(valueOf(window, QStringLiteral("cbsize")), QStringLiteral("-1"));
    QCOMPARE(valueOf(window, QStringLiteral("cb2")), QStringLiteral("-1"));
    QCOMPARE(valueOf(window, QStringLiteral("cb1")), QStringLiteral("-1"));
}

// The extremes of a stored number, and one beyond any integer, in every numeric key but the placement
// (tested below): the window comes up and shows. A limit box keeps the nearest value it can hold, a
// list index outside its list chooses nothing, and a number beyond any integer is unreadable: the
// key's default.
void SettingsBindingTest::extremeNumbersInEveryKey_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("expected");
    struct Key {
        const char* key;
        const char* control;
        const char* largest;
        const char* smallest;
        const char* fallback;
    };
    const Key keys[] = {{"skin", "cb1", "-1", "-1", "1"},         {"w", "SpinEdit1", "99999", "0", "80"},
                        {"h", "SpinEdit2", "99999", "0", "80"},   {"size", "cbsize", "-1", "-1", "0"},
                        {"w2", "SpinEdit12", "99999", "0", "80"}, {"h2", "spinedit22", "99999", "0", "80"},
                        {"size2", "cbsize2", "-1", "-1", "0"},    {"way2", "cb2", "-1", "-1", "2"},
                        {"way3", "cb3", "-1", "-1", "3"}};
    for (const Key& k : keys) {
        QTest::addRow("%s largest", k.key) << k.key << k.control << QByteArray("2147483647") << k.largest;
        QTest::addRow("%s smallest", k.key) << k.key << k.control << QByteArray("-2147483648") << k.smallest;
        QTest::addRow("%s beyond", k.key) << k.key << k.control << QByteArray("99999999999") << k.fallback;
    }
}

void SettingsBindingTest::extremeNumbersInEveryKey() {
    QFETCH(QString, key);
    QFETCH(QString, control);
    QFETCH(QByteArray, value);
    QFETCH(QString, expected);
    ShellFixture fixture;
    fixture.writeSettings("[config]\r\n" + key.toLatin1() + "=" + value + "\r\n");
    MainWindow& window = fixture.create();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(valueOf(window, control), expected);
    QVERIFY(window.screen()->availableGeometry().contains(window.geometry()));
}

// Whatever the file holds, the window is placed wholly on the available screen area; a size that fits is
// kept, one that does not is cut to the screen, one that is not positive gives the design size.
void SettingsBindingTest::storedPlacementStaysOnScreen_data() {
    // Expected width and height: a number, or kScreen (the whole available area), or kDesign (the design
    // size as far as it fits).
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("fits") << QByteArray("fx=10\r\nfy=20\r\nfw=500\r\nfh=400") << 500 << 400;
    QTest::newRow("huge") << QByteArray("fx=0\r\nfy=0\r\nfw=30000\r\nfh=30000") << kScreen << kScreen;
    QTest::newRow("largest int") << QByteArray(
                                        "fx=2147483647\r\nfy=2147483647\r\nfw=2147483647\r\nfh=2147483647")
                                 << kScreen << kScreen;
    QTest::newRow("smallest int") << QByteArray("fx=-2147483648\r\nfy=-2147483648\r\nfw=500\r\nfh=400") << 500
                                  << 400;
    QTest::newRow("not positive") << QByteArray("fx=5\r\nfy=5\r\nfw=-20\r\nfh=0") << kDesign << kDesign;
    QTest::newRow("beyond int") << QByteArray("fx=99999999999\r\nfw=99999999999\r\nfh=400") << kDesign << 400;
    QTest::newRow("far off") << QByteArray("fx=100000\r\nfy=-100000\r\nfw=300\r\nfh=200") << 300 << 200;
}

void SettingsBindingTest::storedPlacementStaysOnScreen() {
    QFETCH(QByteArray, lines);
    QFETCH(int, width);
    QFETCH(int, height);
    ShellFixture fixture;
    fixture.writeSettings("[config]\r\n" + lines + "\r\n");
    MainWindow& window = fixture.create();
    const QRect area = window.screen()->availableGeometry();
    const QSize design = designSizeOnScreen(window);
    const auto expected = [](int value, int screen, int designed) {
        return value == kScreen ? screen : value == kDesign ? designed : value;
    };
    QCOMPARE(window.size(), QSize(expected(width, area.width(), design.width()),
                                  expected(height, area.height(), design.height())));
    QVERIFY2(area.contains(window.geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4")
                                                              .arg(window.x())
                                                              .arg(window.y())
                                                              .arg(window.width())
                                                              .arg(window.height())));
}

void SettingsBindingTest::failedWriteAtCloseLosesNothing() {
    ShellFixture fixture;
    // The settings path is taken by a folder holding a file: no write there can succeed.
    QVERIFY(QDir().mkpath(fixture.path(QStringLiteral("vorlaken.ini"))));
    QFile inside(fixture.path(QStringLiteral("vorlaken.ini/keep.txt")));
    QVERIFY(inside.open(QIODevice::WriteOnly));
    inside.write("precious");
    inside.close();

    MainWindow& window = fixture.create();
    QCOMPARE(valueOf(window, QStringLiteral("SpinEdit1")), QStringLiteral("80"));
    window.controls().setValue(QStringLiteral("SpinEdit1"), QStringLiteral("5"));
    QVERIFY(window.close());
    fixture.destroy();

    QVERIFY(QFileInfo(fixture.path(QStringLiteral("vorlaken.ini"))).isDir());
    QVERIFY(inside.open(QIODevice::ReadOnly));
    QCOMPARE(inside.readAll(), QByteArray("precious"));
    QCOMPARE(
        QDir(fixture.path(QStringLiteral("vorlaken.ini"))).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
        QStringList{QStringLiteral("keep.txt")});
}

QTEST_MAIN(SettingsBindingTest)
#include "tst_settingsbinding.moc"
