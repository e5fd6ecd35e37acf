#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/ProgramDir.h"
#include "common/UpgradeCommands.h"
#include "support/FakeDesktop.h"

using namespace vorlaken;

Q_DECLARE_METATYPE(UpgradeCommands::Rules)

namespace {

// A program folder with or without the updater and its state file.
class UpdaterFolder {
  public:
    UpdaterFolder() : dir_(temp_.path(), temp_.path()) {}

    const ProgramDir& dir() const { return dir_; }
    QString updater() const { return dir_.deliveredFile(QStringLiteral("upgrade")); }

    void addUpdater() {
        QFile file(updater());
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    void writeState(const QString& stateFile, const QByteArray& text) {
        QFile file(dir_.deliveredFile(stateFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
    }

  private:
    QTemporaryDir temp_;
    ProgramDir dir_;
};

const QDate kToday(2026, 5, 1);

}  // namespace

// The updater start of both programs: when the check at start-up starts it, what it is started with,
// and what "Upgrade Now" says without it.
class UpgradeCommandsTest : public QObject {
    Q_OBJECT

  private slots:
    void upgradeCheck_data();
    void upgradeCheck();
    void upgradeNowWithoutUpdaterSaysSo_data();
    void upgradeNowWithoutUpdaterSaysSo();
    void failedStartLeavesWindowAlone();
};

void UpgradeCommandsTest::upgradeCheck_data() {
    QTest::addColumn<UpgradeCommands::Rules>("rules");
    QTest::addColumn<bool>("updaterPresent");
    QTest::addColumn<QByteArray>("state");  // the state file's text; "-" for no file
    QTest::addColumn<bool>("starts");
    QTest::addColumn<QStringList>("arguments");

    const auto lastUpdate = [](const char* date) {
        return QByteArray("[config]\nlastupdate=") + date + "\n";
    };
    const UpgradeCommands::Rules grabnest = UpgradeCommands::grabnest();
    const QStringList handle{QStringLiteral("4242")};
    // grabnest: older than 7 days before 2026-05-01, that is before 20260424.
    QTest::newRow("grabnest, no updater") << grabnest << false << QByteArray("-") << false << QStringList();
    QTest::newRow("grabnest, no state file") << grabnest << true << QByteArray("-") << true << handle;
    QTest::newRow("grabnest, no key")
        << grabnest << true << QByteArray("[config]\nother=1\n") << true << handle;
    QTest::newRow("grabnest, key in another section")
        << grabnest << true << QByteArray("[other]\nlastupdate=20300101\n") << true << handle;
    QTest::newRow("grabnest, empty key") << grabnest << true << lastUpdate("") << true << handle;
    QTest::newRow("grabnest, 8 days ago") << grabnest << true << lastUpdate("20260423") << true << handle;
    QTest::newRow("grabnest, 7 days ago")
        << grabnest << true << lastUpdate("20260424") << false << QStringList();
    QTest::newRow("grabnest, today") << grabnest << true << lastUpdate("20260501") << false << QStringList();
    QTest::newRow("grabnest, a later date written with dots")
        << grabnest << true << lastUpdate("2026.12.31") << true << handle;
    QTest::newRow("grabnest, letters sort after digits")
        << grabnest << true << lastUpdate("never") << false << QStringList();
    QTest::newRow("grabnest, across a month end")
        << grabnest << true << lastUpdate("20260430") << false << QStringList();

    const UpgradeCommands::Rules tidecove = UpgradeCommands::tidecove();
    const QStringList withState{QStringLiteral("4242"), QStringLiteral("upgrade_tidecove.ini")};
    // tidecove: older than 15 days, before 20260416, from its own state file.
    QTest::newRow("tidecove, no updater") << tidecove << false << QByteArray("-") << false << QStringList();
    QTest::newRow("tidecove, no state file") << tidecove << true << QByteArray("-") << true << withState;
    QTest::newRow("tidecove, 16 days ago") << tidecove << true << lastUpdate("20260415") << true << withState;
    QTest::newRow("tidecove, 15 days ago")
        << tidecove << true << lastUpdate("20260416") << false << QStringList();
}

void UpgradeCommandsTest::upgradeCheck() {
    QFETCH(UpgradeCommands::Rules, rules);
    QFETCH(bool, updaterPresent);
    QFETCH(QByteArray, state);
    QFETCH(bool, starts);
    QFETCH(QStringList, arguments);
    UpdaterFolder folder;
    if (updaterPresent)
        folder.addUpdater();
    if (state != "-")
        folder.writeState(rules.stateFile, state);
    // The other program's state file lies beside it and must not count.
    folder.writeState(rules.stateFile == QLatin1String("upgrade.ini") ? QStringLiteral("upgrade_tidecove.ini")
                                                                      : QStringLiteral("upgrade.ini"),
                      "[config]\nlastupdate=20000101\n");

    FakeDesktop desktop;
    UpgradeCommands(rules, folder.dir(), desktop, 4242).UpgradeCheck(kToday);
    QVERIFY(desktop.messages.isEmpty());
    QCOMPARE(desktop.startedPrograms.size(), starts ? 1 : 0);
    QCOMPARE(desktop.minimized, starts ? 1 : 0);
    if (starts) {
        QCOMPARE(desktop.startedPrograms.first().first, folder.updater());
        QCOMPARE(desktop.startedPrograms.first().second, arguments);
    }
}

void UpgradeCommandsTest::upgradeNowWithoutUpdaterSaysSo_data() {
    QTest::addColumn<UpgradeCommands::Rules>("rules");
    QTest::addColumn<QString>("message");
    QTest::newRow("grabnest") << UpgradeCommands::grabnest()
                              << "The file upgrade is not found. Please check or reinstall Vorlaken.";
    QTest::newRow("tidecove") << UpgradeCommands::tidecove() << "Upgrade is not found.";
}

void UpgradeCommandsTest::upgradeNowWithoutUpdaterSaysSo() {
    QFETCH(UpgradeCommands::Rules, rules);
    QFETCH(QString, message);
    UpdaterFolder folder;
    // A folder of that name is no program.
    QVERIFY(QDir(folder.dir().path()).mkdir(QStringLiteral("upgrade")));
    FakeDesktop desktop;
    UpgradeCommands(rules, folder.dir(), desktop, 1).UpgradeNow();
    QCOMPARE(desktop.messages, QStringList{message});
    QCOMPARE(desktop.messageCaptions, QStringList{QStringLiteral("Hint")});
    QVERIFY(desktop.startedPrograms.isEmpty());
    QCOMPARE(desktop.minimized, 0);
}

void UpgradeCommandsTest::failedStartLeavesWindowAlone() {
    UpdaterFolder folder;
    folder.addUpdater();
    FakeDesktop desktop;
    desktop.startResult = false;
    UpgradeCommands(UpgradeCommands::grabnest(), folder.dir(), desktop, 7).UpgradeNow();
    QCOMPARE(desktop.startedPrograms.size(), 1);
    QCOMPARE(desktop.minimized, 0);
    QVERIFY(desktop.messages.isEmpty());
}

QTEST_GUILESS_MAIN(UpgradeCommandsTest)
#include "tst_upgradecommands.moc"
