// The bus mode over any desktop: while a bus call runs nothing reaches the desktop underneath as a
// window (messages are collected, questions and dialogs take the answer given beforehand, once, else
// No/Cancel); outside a call, and for every other service, the desktop underneath does the work.
#include <QTest>

#include "support/FakeDesktop.h"
#include "widgets/BusModeDesktop.h"

using namespace vorlaken;

class BusModeDesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void messagesAreCollectedPerCall();
    void questionsTakeTheGivenAnswerOnce_data();
    void questionsTakeTheGivenAnswerOnce();
    void folderDialogTakesAPathOrIsCancelled();
    void outsideABusCallTheDesktopUnderneathAnswers();
    void otherServicesGoThroughDuringACall();
};

void BusModeDesktopTest::messagesAreCollectedPerCall() {
    FakeDesktop underneath;
    BusModeDesktop desktop(underneath);
    desktop.beginBusCall();
    desktop.showMessage(QStringLiteral("first"));
    desktop.beginBusCall();  // a command that runs another command
    desktop.showMessage(QStringLiteral("second"), QStringLiteral("Waring"));
    desktop.endBusCall();
    QVERIFY(desktop.inBusCall());
    QCOMPARE(desktop.endBusCall(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QVERIFY(!desktop.inBusCall());
    desktop.beginBusCall();
    QCOMPARE(desktop.endBusCall(), QStringList());
    QVERIFY(underneath.messages.isEmpty());
}

void BusModeDesktopTest::questionsTakeTheGivenAnswerOnce_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("expected");
    const int okCancel = int(Desktop::Buttons::OkCancel);
    const int yesNo = int(Desktop::Buttons::YesNo);
    QTest::newRow("none, ok/cancel") << QString() << okCancel << int(Desktop::Answer::Cancel);
    QTest::newRow("none, yes/no") << QString() << yesNo << int(Desktop::Answer::No);
    QTest::newRow("ok") << "ok" << okCancel << int(Desktop::Answer::Ok);
    QTest::newRow("yes, ok/cancel") << "YES" << okCancel << int(Desktop::Answer::Ok);
    QTest::newRow("yes") << " yes " << yesNo << int(Desktop::Answer::Yes);
    QTest::newRow("no") << "no" << yesNo << int(Desktop::Answer::No);
    QTest::newRow("cancel") << "cancel" << okCancel << int(Desktop::Answer::Cancel);
    QTest::newRow("a folder is no yes") << "/tmp" << yesNo << int(Desktop::Answer::No);
}

void BusModeDesktopTest::questionsTakeTheGivenAnswerOnce() {
    QFETCH(QString, answer);
    QFETCH(int, buttons);
    QFETCH(int, expected);
    FakeDesktop underneath;
    // Were the question to reach the desktop underneath, it would say yes.
    underneath.answers = {Desktop::Answer::Yes, Desktop::Answer::Yes};
    BusModeDesktop desktop(underneath);
    desktop.setAnswer(answer);
    desktop.beginBusCall();
    QCOMPARE(int(desktop.ask(QStringLiteral("Sure?"), QStringLiteral("Hint"), Desktop::Buttons(buttons))),
             expected);
    // Used once: the next question gets the default.
    const auto negative =
        Desktop::Buttons(buttons) == Desktop::Buttons::YesNo ? Desktop::Answer::No : Desktop::Answer::Cancel;
    QCOMPARE(desktop.ask(QStringLiteral("Again?"), QStringLiteral("Hint"), Desktop::Buttons(buttons)),
             negative);
    desktop.endBusCall();
    QVERIFY(underneath.questions.isEmpty());
}

void BusModeDesktopTest::folderDialogTakesAPathOrIsCancelled() {
    FakeDesktop underneath;
    underneath.folder = QStringLiteral("/home/user/chosen");
    BusModeDesktop desktop(underneath);
    desktop.beginBusCall();
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QString()), QString());
    desktop.setAnswer(QStringLiteral("/srv/pictures"));
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QString()), QStringLiteral("/srv/pictures"));
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QString()), QString());
    desktop.setAnswer(QStringLiteral("cancel"));
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QString()), QString());
    desktop.endBusCall();
    QVERIFY(underneath.folderDialogs.isEmpty());
}

void BusModeDesktopTest::outsideABusCallTheDesktopUnderneathAnswers() {
    FakeDesktop underneath;
    underneath.answers = {Desktop::Answer::Yes};
    underneath.folder = QStringLiteral("/home/user/chosen");
    BusModeDesktop desktop(underneath);
    // An answer given for the bus is not used by questions the user sees.
    desktop.setAnswer(QStringLiteral("no"));
    desktop.showMessage(QStringLiteral("shown"), QStringLiteral("Waring"));
    QCOMPARE(desktop.ask(QStringLiteral("Sure?"), QStringLiteral("Hint"), Desktop::Buttons::YesNo),
             Desktop::Answer::Yes);
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QStringLiteral("/start")),
             QStringLiteral("/home/user/chosen"));
    QCOMPARE(underneath.messages, QStringList{QStringLiteral("shown")});
    QCOMPARE(underneath.messageCaptions, QStringList{QStringLiteral("Waring")});
    QCOMPARE(underneath.questions.size(), 1);
    QCOMPARE(underneath.folderDialogStarts, QStringList{QStringLiteral("/start")});
}

void BusModeDesktopTest::otherServicesGoThroughDuringACall() {
    FakeDesktop underneath;
    underneath.openResult = false;
    underneath.screenWidthValue = 1920;
    BusModeDesktop desktop(underneath);
    desktop.beginBusCall();
    desktop.setClipboardText(QStringLiteral("copied"));
    desktop.beep();
    QVERIFY(!desktop.openPath(QStringLiteral("/srv")));
    QVERIFY(desktop.startProgram(QStringLiteral("upgrade"), {QStringLiteral("1")}));
    desktop.minimizeApplication();
    QCOMPARE(desktop.screenWidth(), 1920);
    QCOMPARE(desktop.scrollBarExtent(), underneath.scrollBarExtentValue);
    desktop.endBusCall();
    QCOMPARE(underneath.clipboard, QStringLiteral("copied"));
    QCOMPARE(desktop.lastClipboardText(), QStringLiteral("copied"));
    QCOMPARE(underneath.beeps, 1);
    QCOMPARE(underneath.openedPaths, QStringList{QStringLiteral("/srv")});
    QCOMPARE(underneath.startedPrograms.size(), 1);
    QCOMPARE(underneath.minimized, 1);
}

QTEST_GUILESS_MAIN(BusModeDesktopTest)
#include "tst_busmodedesktop.moc"
