// The desktop services over Qt: a message box opens modal with its caption, the clipboard takes the text.
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "platform/desktop/QtDesktop.h"

using namespace vorlaken;

class QtDesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void aMessageBoxOpensWithItsCaption();
    void clipboardTakesTheText();
};

void QtDesktopTest::aMessageBoxOpensWithItsCaption() {
    QStringList captions;
    QTimer watch;
    // The box is modal: it is read and closed while it runs, so a fault cannot hang the test.
    connect(&watch, &QTimer::timeout, this, [&captions] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                captions << box->windowTitle() + QLatin1Char(':') + box->text();
                box->done(QMessageBox::Ok);
            }
        }
    });
    watch.start(10);
    QtDesktop desktop;
    desktop.showMessage(QStringLiteral("shown"));
    QCOMPARE(captions, QStringList{QStringLiteral("Hint:shown")});
}

void QtDesktopTest::clipboardTakesTheText() {
    QtDesktop desktop;
    desktop.setClipboardText(QStringLiteral("copied"));
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("copied"));
}

QTEST_MAIN(QtDesktopTest)
#include "tst_qtdesktop.moc"
