// The desktop services while a bus call runs: nothing modal opens, messages are collected, questions
// and dialogs take the answer given beforehand (once), else No/Cancel.
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/desktop/QtDesktop.h"

using namespace vorlaken;

class QtDesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();
    void messagesAreCollectedPerCall();
    void questionsTakeTheGivenAnswerOnce_data();
    void questionsTakeTheGivenAnswerOnce();
    void folderDialogTakesAPathOrIsCancelled();
    void outsideABusCallAMessageBoxOpens();

  private:
    QTimer watch_;
    int dialogsSeen_ = 0;
};

void QtDesktopTest::init() {
    dialogsSeen_ = 0;
    // Any modal box that opens is counted and closed, so a fault cannot hang the test.
    connect(&watch_, &QTimer::timeout, this, [this] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                ++dialogsSeen_;
                box->done(QMessageBox::Ok);
            }
        }
    });
    watch_.start(10);
}

void QtDesktopTest::cleanup() {
    watch_.stop();
    watch_.disconnect();
}

void QtDesktopTest::messagesAreCollectedPerCall() {
    QtDesktop desktop;
    desktop.beginBusCall();
    desktop.showMessage(QStringLiteral("first"));
    desktop.beginBusCall();  // a command that runs another command
    desktop.showMessage(QStringLiteral("second"), QStringLiteral("Waring"));
    desktop.endBusCall();
    QCOMPARE(desktop.endBusCall(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QVERIFY(!desktop.inBusCall());
    desktop.beginBusCall();
    QCOMPARE(desktop.endBusCall(), QStringList());
    QCOMPARE(dialogsSeen_, 0);
}

void QtDesktopTest::questionsTakeTheGivenAnswerOnce_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("buttons");
    QTest::addColumn<int>("expected");
    const int okCancel = int(Desktop::Buttons::OkCancel);
    const int yesNo = int(Desktop::Buttons::YesNo);
    QTest::newRow("none, ok/cancel") << QString() << okCancel << int(Desktop::Answer::Cancel);
    QTest::newRow("none, yes/no") << QString() << yesNo << int(Desktop::Answer::No);
    QTest::newRow("ok") << "ok" << okCancel << int(Desktop::Answer::Ok);
    QTest::newRow("yes, ok/cancel") << "YES" << okCancel << int(Desktop::Answer::Ok);
    QTest::newRow("yes") << "yes" << yesNo << int(Desktop::Answer::Yes);
    QTest::newRow("no") << "no" << yesNo << int(Desktop::Answer::No);
    QTest::newRow("cancel") << "cancel" << okCancel << int(Desktop::Answer::Cancel);
    QTest::newRow("a folder is no yes") << "/tmp" << yesNo << int(Desktop::Answer::No);
}

void QtDesktopTest::questionsTakeTheGivenAnswerOnce() {
    QFETCH(QString, answer);
    QFETCH(int, buttons);
    QFETCH(int, expected);
    QtDesktop desktop;
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
    QCOMPARE(dialogsSeen_, 0);
}

void QtDesktopTest::folderDialogTakesAPathOrIsCancelled() {
    QtDesktop desktop;
    desktop.beginBusCall();
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QString()), QString());
    desktop.setAnswer(QStringLiteral("/srv/pictures"));
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QString()), QStringLiteral("/srv/pictures"));
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QString()), QString());
    desktop.setAnswer(QStringLiteral("cancel"));
    QCOMPARE(desktop.chooseFolder(QStringLiteral("Folder"), QString()), QString());
    desktop.endBusCall();
}

void QtDesktopTest::outsideABusCallAMessageBoxOpens() {
    QtDesktop desktop;
    desktop.showMessage(QStringLiteral("shown"));
    QCOMPARE(dialogsSeen_, 1);
    desktop.setClipboardText(QStringLiteral("copied"));
    QCOMPARE(desktop.lastClipboardText(), QStringLiteral("copied"));
}

QTEST_MAIN(QtDesktopTest)
#include "tst_qtdesktop.moc"
