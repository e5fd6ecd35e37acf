// The enhanced modes in the window, without a browser: the "Enhanced" menu and its pages, the
// controls of the multipage and interval pages, every Save button with its counter, the steps, the
// memo menu, drops on the drop zone, the links of the ticked pictures and the companion launchers,
// all driven by component name as the automation does.
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include "ShellFixture.h"
#include "common/WelcomePage.h"
#include "modes/MultipageSteps.h"
#include "modes/PictureLinks.h"
#include "shell/BusService.h"
#include "shell/MemoMenu.h"
#include "shell/ModesController.h"
#include "shell/StartCompanion.h"

using namespace vorlaken;
using namespace vorlaken::test;

class ModesWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void enhancedMenuShowsEachModeWithItsButtons();
    void pagesStartAsAtCreation();
    void controlsHaveTheirDefaultsAndLimits_data();
    void controlsHaveTheirDefaultsAndLimits();
    void stepsNeedAList();
    void memoMenuWorksOnTheFocusedMemo();
    void memoMenuShortcuts();
    void dropsFillTheList();
    void linksOfTheTickedPictures();
    void launchers_data();
    void launchers();

  private:
    QString call(const QString& name, const QString& argument = QString()) {
        return bus_->Invoke(name, argument);
    }
    QString control(const QString& name) { return bus_->Control(name); }
    void set(const QString& name, const QString& value) { bus_->SetControl(name, value); }

    std::unique_ptr<ShellFixture> fixture_;
    MainWindow* window_ = nullptr;
    std::unique_ptr<BusService> bus_;
};

void ModesWindowTest::init() {
    fixture_ = std::make_unique<ShellFixture>();
    window_ = &fixture_->create();
    QVERIFY(fixture_->showAndWaitForStartup());
    bus_ = std::make_unique<BusService>(*window_);
}

void ModesWindowTest::cleanup() {
    bus_.reset();
    fixture_.reset();
}

void ModesWindowTest::enhancedMenuShowsEachModeWithItsButtons() {
    struct Mode {
        const char* item;
        const char* caption;
        QStringList shown;
    };
    const QList<Mode> modes = {
        {"N3", "Get Pictures from Multipage", {"aabtn", "saveaaBtn"}},
        {"N4", "Get Pictures at Intervals", {"ccbtn", "saveccbtn"}},
        // The auto-click page starts on its first step, which shows the popup way's pair.
        {"N5", "Get Pictures by Auto Click", {"btn11", "btn12"}},
        {"N6", "Get Pictures from IE Cahce", {}},
        {"N7", "Get Pictures from URL", {"rrbtn", "saverrbtn"}},
    };
    const QStringList buttons = {"getbtn", "savebtn", "aabtn",    "saveaaBtn",    "ccbtn", "saveccbtn",
                                 "btn11",  "btn12",   "clickbtn", "saveclickbtn", "rrbtn", "saverrbtn"};
    for (int tag = 0; tag < modes.size(); ++tag) {
        const Mode& mode = modes[tag];
        call(mode.item);
        QCOMPARE(control("PageControl1"), QStringLiteral("2"));
        QCOMPARE(control("PageControl11"), QString::number(tag));
        for (const Mode& other : modes)
            QCOMPARE(control(other.item), QString(other.item == mode.item ? "1" : "0"));
        QCOMPARE(control("button2.hint"), QStringLiteral("selected: ") + mode.caption);
        for (const QString& name : buttons)
            QCOMPARE(control(name + ".visible"), QString(mode.shown.contains(name) ? "1" : "0"));
    }
    // "Clear Result" of this menu keeps the main Save as it is.
    window_->ui().saveButton->setEnabled(true);
    window_->state().table.append("http://h.test/1.jpg", "1*1", kPlaceholderLinkUrl, "http://h.test/");
    call("N9");
    QVERIFY(window_->state().table.isEmpty());
    QCOMPARE(control("savebtn.enabled"), QStringLiteral("1"));
    // The filter panel goes and comes back.
    QCOMPARE(control("n51"), QStringLiteral("1"));
    QCOMPARE(control("Panel15.visible"), QStringLiteral("1"));
    call("n51");
    QCOMPARE(control("Panel15.visible"), QStringLiteral("0"));
    call("n51");
    QCOMPARE(control("Panel15.visible"), QStringLiteral("1"));
    call("button1");
    QCOMPARE(control("getbtn.visible"), QStringLiteral("1"));
    QCOMPARE(control("aabtn.visible"), QStringLiteral("0"));
}

void ModesWindowTest::pagesStartAsAtCreation() {
    window_->resize(860, 600);
    QCOMPARE(control("PageControl11"), QStringLiteral("2"));
    QCOMPARE(control("Notebook2.visible"), QStringLiteral("1"));
    QCOMPARE(window_->modes().pages().stepsNotebook->currentIndex(), 0);
    QVERIFY(window_->modes().pages().urlListStepLabel->font().underline());
    QVERIFY(!window_->modes().pages().runStepLabel->font().underline());
    QCOMPARE(control("wb222.visible"), QStringLiteral("0"));
    QCOMPARE(window_->modes().scratchZone().locationUrl(), QStringLiteral("about:blank"));
    // Every Save button with its own counter, out of use until there is something to save; the popup
    // way's "4.Get" waits for its earlier steps.
    for (const char* counter : {"label119", "Label117", "Label118", "Label120", "Label116", "Label3"})
        QCOMPARE(control(counter), QStringLiteral("Saved:0/0"));
    for (const char* name : {"saveaaBtn", "saveccbtn", "saveclickbtn", "btn12", "saverrbtn", "btn11"})
        QCOMPARE(control(QString::fromLatin1(name) + ".enabled"), QStringLiteral("0"));
    for (const char* name : {"aabtn", "ccbtn", "clickbtn", "rrbtn"})
        QCOMPARE(control(QString::fromLatin1(name) + ".enabled"), QStringLiteral("1"));
    QCOMPARE(control("aaLabel"), QStringLiteral("Get:0"));
    QCOMPARE(control("aalabel2"), QStringLiteral("Urls:/0"));
    QCOMPARE(control("ccLabel"), QStringLiteral("Get pictures:0"));
    QCOMPARE(control("Label29"),
             QStringLiteral(
                 "Some webpages show pictures automaticly in a fixed interval. Please specify a interval "
                 "equal or below the interval. Cick Get and wait.  You can stop the work after you get "
                 "all pictures."));
    QCOMPARE(control("Label33"), QStringLiteral("Extract pictures from IE Cache."));
    QCOMPARE(control("Label34"), QStringLiteral("Tidewell"));
}

void ModesWindowTest::controlsHaveTheirDefaultsAndLimits_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");  // the default
    QTest::addColumn<QString>("hint");
    QTest::newRow("urlMemo") << "urlMemo"
                             << ""
                             << "Please input all webpage URLs here";
    QTest::newRow("dropPanel") << "dropPanel"
                               << "Drag webpage hyperlink and drop here"
                               << "Please drag webpage hyperlink and drop here to get link URLs";
    QTest::newRow("chkInclude") << "chkInclude"
                                << "0"
                                << "Whether include current webpage URL or not";
    QTest::newRow("chkjs") << "chkjs"
                           << "0"
                           << "Include Javascript Link";
    QTest::newRow("Label49") << "Label49"
                             << "link to a picture?"
                             << "Each URL is a true picture URL and not a  webpage.";
    QTest::newRow("Label63") << "Label63"
                             << "picture links are webpage URLs"
                             << "If each picture link to a webpage which display the big picture";
    QTest::newRow("Label45") << "Label45"
                             << "webpage link finder"
                             << "run a program to find hyperlinks of a webpage";
    QTest::newRow("aaSpinEdit") << "aaSpinEdit"
                                << "10"
                                << "";
    QTest::newRow("CheckBox5") << "CheckBox5"
                               << "0"
                               << "valid only checked";
    QTest::newRow("aaSpinEdit2") << "aaSpinEdit2"
                                 << "3"
                                 << "";
    QTest::newRow("aachk2") << "aachk2"
                            << "0"
                            << "Get pictures from one URL for test";
    QTest::newRow("aachk") << "aachk"
                           << "0"
                           << "";
    QTest::newRow("Label64") << "Label64"
                             << "1.Get URL"
                             << "";
    QTest::newRow("Label65") << "Label65"
                             << "2.Get Pics"
                             << "";
    QTest::newRow("Edit5") << "Edit5"
                           << "5"
                           << "precision 0.1 seconds";
    QTest::newRow("stopcc") << "stopcc"
                            << "0"
                            << "";
}

void ModesWindowTest::controlsHaveTheirDefaultsAndLimits() {
    QFETCH(QString, name);
    QFETCH(QString, value);
    QFETCH(QString, hint);
    QCOMPARE(control(name), value);
    QCOMPARE(control(name + ".hint"), hint);
    // The time controls keep to their limits, whatever is typed.
    const QList<std::tuple<const char*, int, int>> limits = {{"aaSpinEdit", 5, 600}, {"aaSpinEdit2", 1, 300}};
    for (const auto& [spin, low, high] : limits) {
        if (name != QLatin1String(spin))
            continue;
        set(name, QString::number(low - 1));
        QCOMPARE(control(name), QString::number(low));
        set(name, QString::number(high + 1));
        QCOMPARE(control(name), QString::number(high));
    }
}

void ModesWindowTest::stepsNeedAList() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    call("N3");
    QCOMPARE(call("Label65"), MultipageSteps::kNoUrlsMessage);
    QCOMPARE(window_->modes().pages().stepsNotebook->currentIndex(), 0);
    QCOMPARE(control("urlMemo.focused"), QStringLiteral("1"));
    set("urlMemo", "http://h.test/1.htm");
    QCOMPARE(call("Label65"), QString());
    QCOMPARE(window_->modes().pages().stepsNotebook->currentIndex(), 1);
    QVERIFY(window_->modes().pages().runStepLabel->font().underline());
    QVERIFY(!window_->modes().pages().urlListStepLabel->font().underline());
    call("Label64");
    QCOMPARE(window_->modes().pages().stepsNotebook->currentIndex(), 0);
    QVERIFY(window_->modes().pages().urlListStepLabel->font().underline());
}

void ModesWindowTest::memoMenuWorksOnTheFocusedMemo() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    call("N3");
    set("urlMemo", "a\nb\nc\n");
    // Without the focus on a memo the items do nothing.
    set("urlMemo.focused", "0");
    call("memoClear");
    QCOMPARE(control("urlMemo"), QStringLiteral("a\nb\nc\n"));

    set("urlMemo.focused", "1");
    QCOMPARE(control("memoCount"), QStringLiteral("Count:3"));
    QCOMPARE(control("memoCount.enabled"), QStringLiteral("0"));
    QCOMPARE(control("memoCopy.enabled"), QStringLiteral("0"));
    QCOMPARE(control("memoCut.enabled"), QStringLiteral("0"));
    call("memoSelectAll");
    QCOMPARE(control("memoCopy.enabled"), QStringLiteral("1"));
    QCOMPARE(control("memoCut.enabled"), QStringLiteral("1"));
    call("memoCopy");
    QCOMPARE(bus_->Clipboard(), QStringLiteral("a\nb\nc\n"));
    call("memoCut");
    QCOMPARE(control("urlMemo"), QString());
    QCOMPARE(control("memoCount"), QStringLiteral("Count:0"));
    call("memoUndo");
    QCOMPARE(control("urlMemo"), QStringLiteral("a\nb\nc\n"));
    call("memoClear");
    QCOMPARE(control("urlMemo"), QString());
    QGuiApplication::clipboard()->setText(QStringLiteral("http://h.test/pasted.htm"));
    call("memoPaste");
    QCOMPARE(control("urlMemo"), QStringLiteral("http://h.test/pasted.htm"));

    // The menu opens where the memo asks for its context menu, naming the lines of that memo.
    QPlainTextEdit* memo = window_->modes().pages().urlList;
    emit memo->customContextMenuRequested(QPoint(5, 5));
    QMenu* menu = window_->modes().memoMenu().menu();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(menu->objectName(), QStringLiteral("PopupMenu1"));
    QCOMPARE(window_->modes().memoMenu().countItem->text(), QStringLiteral("Count:1"));
    QStringList captions;
    for (QAction* item : menu->actions())
        captions << item->text() + QLatin1Char('|') + item->shortcut().toString();
    QCOMPARE(captions, (QStringList{"Copy|Ctrl+C", "Paste|Ctrl+P", "Cut|Ctrl+X", "Clear|",
                                    "Select all|Ctrl+A", "Undo|Ctrl+U", "Count:1|"}));
    menu->hide();
}

void ModesWindowTest::memoMenuShortcuts() {
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
    call("N3");
    QPlainTextEdit* memo = window_->modes().pages().urlList;
    memo->setFocus();
    QTRY_VERIFY(memo->hasFocus());
    QTest::keyClicks(memo, QStringLiteral("abc"));
    QGuiApplication::clipboard()->setText(QStringLiteral("P"));
    QTest::keyClick(memo, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), QStringLiteral("abcP"));
    QTest::keyClick(memo, Qt::Key_U, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), QStringLiteral("abc"));
    QTest::keyClick(memo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(memo->toPlainText(), QString());
}

void ModesWindowTest::dropsFillTheList() {
    call("N3");
    set("urlMemo", "http://h.test/dir/Old.html");
    // A selection dragged from Chromium: the fragment and the page it came from.
    const QString selection = QStringLiteral(
        "{\"text/html\": \"<a href='old.html'>o</a><a href='new.html'>n</a><a href='#top'>t</a>"
        "<a href='javascript:go()'>g</a>\", \"chromium/x-source-url\": \"http://h.test/dir/page.html\"}");
    QCOMPARE(call("dropPanel", selection), QString());
    QCOMPARE(control("urlMemo"), QStringLiteral("http://h.test/dir/Old.html\nhttp://h.test/dir/new.html"));
    set("chkInclude", "1");
    set("chkjs", "1");
    call("dropPanel", selection);
    QCOMPARE(control("urlMemo"), QStringLiteral("http://h.test/dir/Old.html\nhttp://h.test/dir/new.html\n"
                                                "http://h.test/dir/page.html\njavascript:go()"));
    // A link alone adds its address only with "include itself".
    set("urlMemo", "");
    call("dropPanel",
         "{\"text/uri-list\": \"http://h.test/link.html\\r\\n\", \"text/plain\": "
         "\"http://h.test/link.html\"}");
    QCOMPARE(control("urlMemo"), QStringLiteral("http://h.test/link.html"));
    // Something that is no drop is refused.
    QCOMPARE(call("dropPanel", "text/html"), QString());
    QCOMPARE(control("urlMemo"), QStringLiteral("http://h.test/link.html"));

    // A real drop on the zone goes the same way.
    set("urlMemo", "");
    set("chkInclude", "0");
    QMimeData data;
    data.setHtml(QStringLiteral("<a href='http://h.test/dropped.html'>d</a>"));
    DropPanel* zone = window_->modes().pages().dropZone;
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(zone, &drop);
    QCOMPARE(control("urlMemo"), QStringLiteral("http://h.test/dropped.html"));
}

void ModesWindowTest::linksOfTheTickedPictures() {
    call("N3");
    set("urlMemo", "kept");
    QCOMPARE(call("Label63"), PictureLinks::kNoLinkMessage);
    QCOMPARE(control("urlMemo"), QStringLiteral("kept"));
    CaptureState& state = window_->state();
    const QString gif = QStringLiteral(
        "data:image/gif;base64,R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==#%1");
    state.table.append(gif.arg(1), "1*1", QStringLiteral("http://h.test/big1.html"), "http://h.test/");
    state.table.append(gif.arg(2), "1*1", kPlaceholderLinkUrl, "http://h.test/");
    state.table.append(gif.arg(3), "1*1", QStringLiteral("http://h.test/big3.html"), "http://h.test/");
    window_->renderPreview();
    bus_->SetChecked({true, true, false});
    QCOMPARE(call("Label63"), QString());
    QCOMPARE(control("urlMemo"), QStringLiteral("http://h.test/big1.html"));
}

void ModesWindowTest::launchers_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("program");
    QTest::newRow("webpage link finder") << "Label45"
                                         << "hrefsift";
    QTest::newRow("Tidewell") << "Label34"
                              << "tidecove";
}

void ModesWindowTest::launchers() {
    QFETCH(QString, label);
    QFETCH(QString, program);
    const QString message = call(label);
    QCOMPARE(message,
             CompanionMissingMessage(program, MakerSite(window_->programDir().path()).downloadPage()));
    QVERIFY(message.startsWith(
        QStringLiteral("The file %1 is not found under current directory. Please reinstall "
                       "Vorlaken. You can download it from file://")
            .arg(program)));
    QVERIFY(message.endsWith(QStringLiteral("help.htm#install.")));

    // Present: started from the program folder without arguments, and nothing said.
    const QString marker = fixture_->path(program + QStringLiteral(".started"));
    QFile script(fixture_->path(program));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\necho \"$#\" > '%1'\n").arg(marker).toUtf8());
    script.close();
    QVERIFY(script.setPermissions(script.permissions() | QFileDevice::ExeOwner));
    QCOMPARE(call(label), QString());
    const auto written = [&marker] {
        QFile started(marker);
        return started.open(QIODevice::ReadOnly) ? started.readAll() : QByteArray();
    };
    QTRY_COMPARE_WITH_TIMEOUT(written(), QByteArray("0\n"), 20000);
}

QTEST_MAIN(ModesWindowTest)
#include "tst_modeswindow.moc"
