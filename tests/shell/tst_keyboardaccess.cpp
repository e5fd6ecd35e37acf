// Both windows from the keyboard and through Qt's accessibility interface: every control a user can
// reach has a name, the link-style labels take the focus and run on their keys, the standard shortcuts
// press their buttons, and Tab follows the layout.
#include <memory>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "FakeBrowserCache.h"
#include "FakeDesktop.h"
#include "ShellFixture.h"
#include "cacheviewer/ViewerWindow.h"
#include "shell/SaveController.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object) {
    QAccessibleInterface* face = accessible(object);
    return face ? face->text(QAccessible::Name) : QStringLiteral("(no accessible interface)");
}

// The controls a user reaches: those that take the focus by Tab and that the program did not hide
// itself; what belongs to a web view is the page's.
QList<QWidget*> controlsOf(QWidget* window) {
    QList<QWidget*> controls;
    const QList<QWidget*> all = window->findChildren<QWidget*>();
    for (QWidget* widget : all) {
        bool inPage = false;
        for (QWidget* w = widget; w; w = w->parentWidget())
            inPage = inPage || w->inherits("QWebEngineView");
        // A combo box's list is a popup window of its own, read out with the combo box.
        if (!inPage && widget->window() == window && (widget->focusPolicy() & Qt::TabFocus) &&
            !widget->focusProxy() && !widget->isHidden() && !qobject_cast<QTabBar*>(widget))
            controls << widget;
    }
    return controls;
}

QStringList namelessIn(QWidget* window) {
    QStringList nameless;
    for (QWidget* control : controlsOf(window))
        if (nameOf(control).trimmed().isEmpty())
            nameless << control->objectName() + QLatin1Char('/') +
                            QLatin1String(control->metaObject()->className());
    // Every item of every menu, read as assistive technology reads a menu.
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QAccessibleInterface* face = accessible(menu);
        for (int i = 0; face && i < face->childCount(); ++i) {
            QAccessibleInterface* item = face->child(i);
            if (item->role() != QAccessible::Separator && item->text(QAccessible::Name).isEmpty())
                nameless << menu->objectName() + QStringLiteral(" item ") + QString::number(i);
        }
    }
    return nameless;
}

void pressKey(QWidget* window, QKeySequence key) {
    const QKeyCombination combination = key[0];
    QTest::keyClick(window, combination.key(), combination.keyboardModifiers());
}

}  // namespace

class KeyboardAccessTest : public QObject {
    Q_OBJECT

  private slots:
    void everyControlOfTheMainWindowHasAName();
    void everyControlOfTheViewerHasAName();
    void menuButtonsAreNamedAfterWhatTheyStandBeside_data();
    void menuButtonsAreNamedAfterWhatTheyStandBeside();
    void linkLabelsTakeTheFocusAndRunOnTheirKeys_data();
    void linkLabelsTakeTheFocusAndRunOnTheirKeys();
    void shortcutsPressTheirButtons();
    void shortcutsLeaveHiddenButtonsAlone();
    void viewerKeysPressTheirButtons_data();
    void viewerKeysPressTheirButtons();
    void controlQuitClosesTheWindowWritingTheSettings();
    void tabFollowsTheLayout();
};

void KeyboardAccessTest::everyControlOfTheMainWindowHasAName() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    // Every page and every mode page in turn, with its button pair shown.
    for (int mode = 0; mode < 5; ++mode) {
        window.ui().enhancedMenuModes[mode]->trigger();
        QVERIFY2(namelessIn(&window).isEmpty(), qPrintable(namelessIn(&window).join(QStringLiteral(", "))));
    }
    for (QPushButton* panel :
         {window.ui().mainPanelButton, window.ui().optionsPanelButton, window.ui().helpPanelButton}) {
        panel->click();
        QVERIFY2(namelessIn(&window).isEmpty(), qPrintable(namelessIn(&window).join(QStringLiteral(", "))));
    }
    QVERIFY(controlsOf(&window).size() > 40);
}

void KeyboardAccessTest::everyControlOfTheViewerHasAName() {
    QTemporaryDir dir;
    FakeDesktop desktop;
    ViewerWindow window(ProgramDir(dir.path(), dir.path()), std::make_unique<FakeBrowserCache>(), desktop);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* pages = window.findChild<QTabWidget*>();
    QVERIFY(pages);
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QVERIFY2(namelessIn(&window).isEmpty(), qPrintable(namelessIn(&window).join(QStringLiteral(", "))));
    }
}

void KeyboardAccessTest::menuButtonsAreNamedAfterWhatTheyStandBeside_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::newRow("arrow beside Get") << "getmorebtn"
                                      << "Get menu";
    QTest::newRow("arrow beside Save") << "savemorebtn"
                                       << "Save menu";
    QTest::newRow("arrow beside Comments") << "commentmorebtn"
                                           << "Comments menu";
    QTest::newRow("arrow beside More") << "specialbtn"
                                       << "More menu";
    QTest::newRow("Select, a menu button with its caption") << "selectbtn"
                                                            << "Select";
    QTest::newRow("a box with a label before it") << "SpinEdit2"
                                                  << "Height:";
    QTest::newRow("a box with a label and a hint: the label") << "Edit1"
                                                              << "File name prefix:";
    QTest::newRow("a check box") << "chkupgrade"
                                 << "auto upgrade";
    QTest::newRow("the help button, a caption of one sign") << "button4"
                                                            << "?";
}

void KeyboardAccessTest::menuButtonsAreNamedAfterWhatTheyStandBeside() {
    QFETCH(QString, control);
    QFETCH(QString, name);
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QObject* found = window.controls().find(control);
    QVERIFY(found);
    QCOMPARE(nameOf(found), name);
}

void KeyboardAccessTest::linkLabelsTakeTheFocusAndRunOnTheirKeys_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
    QTest::newRow("press action") << 0;
}

void KeyboardAccessTest::linkLabelsTakeTheFocusAndRunOnTheirKeys() {
    QFETCH(int, key);
    ShellFixture fixture;
    FakeDesktop desktop;
    MainWindow& window = fixture.create(fixture.noBrowser, desktop);
    window.ui().helpPanelButton->click();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    ClickableLabel* upgradeNow = window.ui().upgradeNowLabel;
    QAccessibleInterface* face = accessible(upgradeNow);
    QCOMPARE(face->role(), QAccessible::Link);
    QCOMPARE(face->text(QAccessible::Name), QStringLiteral("Upgrade Now"));
    upgradeNow->setFocus(Qt::TabFocusReason);
    QVERIFY(upgradeNow->hasFocus());
    if (key)
        QTest::keyClick(upgradeNow, Qt::Key(key));
    else
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // Without an updater beside the program "Upgrade Now" says so.
    QCOMPARE(
        desktop.messages,
        QStringList{QStringLiteral("The file upgrade is not found. Please check or reinstall Vorlaken.")});
    // Other keys do nothing; a disabled label does nothing either.
    QTest::keyClick(upgradeNow, Qt::Key_A);
    upgradeNow->setEnabled(false);
    QTest::keyClick(upgradeNow, Qt::Key_Space);
    QCOMPARE(desktop.messages.size(), 1);
}

void KeyboardAccessTest::shortcutsPressTheirButtons() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    QVERIFY(QTest::qWaitForWindowActive(&window));
    const int captures = fixture.noBrowser.calls;
    pressKey(&window, QKeySequence(Qt::Key_F1));
    QCOMPARE(window.ui().panelTabs->currentWidget(), window.ui().helpPage);
    // Get works from the help panel too: the pictures are shown below every panel.
    pressKey(&window, QKeySequence(Qt::Key_F5));
    QTRY_COMPARE(fixture.noBrowser.calls, captures + 1);
    QTRY_VERIFY(window.ui().getButton->isEnabled());
    // Nothing was captured, so Save is disabled and its key does nothing.
    QVERIFY(!window.ui().saveButton->isEnabled());
    pressKey(&window, QKeySequence(Qt::CTRL | Qt::Key_S));
    QVERIFY(!window.saving().state().running);
}

void KeyboardAccessTest::shortcutsLeaveHiddenButtonsAlone() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The options panel hides the main pair: F5 gets nothing there.
    window.ui().optionsPanelButton->click();
    const int captures = fixture.noBrowser.calls;
    pressKey(&window, QKeySequence(Qt::Key_F5));
    QTest::qWait(0);
    QCOMPARE(fixture.noBrowser.calls, captures);
    // A run hides the button bar: F1 leaves the panel alone.
    window.ui().buttonBar->hide();
    pressKey(&window, QKeySequence(Qt::Key_F1));
    QCOMPARE(window.ui().panelTabs->currentWidget(), window.ui().optionsPage);
}

void KeyboardAccessTest::viewerKeysPressTheirButtons_data() {
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("button");
    QTest::newRow("F1 help") << QKeySequence(Qt::Key_F1) << "Button6";
    QTest::newRow("F5 list pictures") << QKeySequence(Qt::Key_F5) << "Button1";
    QTest::newRow("Ctrl+S save") << QKeySequence(Qt::CTRL | Qt::Key_S) << "Button5";
}

void KeyboardAccessTest::viewerKeysPressTheirButtons() {
    QFETCH(QKeySequence, key);
    QFETCH(QString, button);
    QTemporaryDir dir;
    FakeDesktop desktop;
    ViewerWindow window(ProgramDir(dir.path(), dir.path()), std::make_unique<FakeBrowserCache>(), desktop);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* target = window.findChild<QPushButton*>(button);
    QVERIFY(target);
    // The key presses the button whenever a click could: Save, too, once there is something to save.
    target->setEnabled(true);
    QSignalSpy pressed(target, &QAbstractButton::clicked);
    pressKey(&window, key);
    QCOMPARE(pressed.count(), 1);
    target->setEnabled(false);
    pressKey(&window, key);
    QCOMPARE(pressed.count(), 1);
    pressKey(&window, QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(!window.isVisible());
}

void KeyboardAccessTest::controlQuitClosesTheWindowWritingTheSettings() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    pressKey(&window, QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(!window.isVisible());
    QVERIFY(fixture.settingsText().contains("runfirst=0"));
}

void KeyboardAccessTest::tabFollowsTheLayout() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    QVERIFY(fixture.showAndWaitForStartup());
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // The arrow beside Get is added after the window was built, yet comes right after Get; Save,
    // disabled with nothing captured, is passed over.
    window.ui().getButton->setFocus(Qt::TabFocusReason);
    QStringList reached;
    for (int i = 0; i < 2; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(reached, (QStringList{QStringLiteral("getmorebtn"), QStringLiteral("savemorebtn")}));
    // Links are reached by Tab on the help panel.
    window.ui().helpPanelButton->click();
    window.ui().helpDemoLabel->setFocus(Qt::TabFocusReason);
    QTest::keyClick(window.ui().helpDemoLabel, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.ui().autoUpgradeCheck);
    QTest::keyClick(window.ui().autoUpgradeCheck, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), window.ui().upgradeNowLabel);
}

QTEST_MAIN(KeyboardAccessTest)
#include "tst_keyboardaccess.moc"
