// The auto-click page, the popup-window way and the URL page in the window, without a browser, driven
// by component name as the automation does: the controls with their defaults and hints, the ways and
// their detail pages, the step checks and which Get/Save pair shows, the key box, the commands that
// work on the preview and the lists, and the URLs builder driven by its own names while it is open.
#include <QTest>

#include "FakePageModel.h"
#include "ShellFixture.h"
#include "modes/AutoClickSteps.h"
#include "modes/CheckedPictures.h"
#include "modes/OnclickUrls.h"
#include "modes/PopupSteps.h"
#include "modes/UrlPage.h"
#include "shell/BusService.h"
#include "shell/ModesController.h"
#include "shell/ResultsController.h"
#include "shell/SerialDialog.h"

using namespace vorlaken;
using namespace vorlaken::test;

class ClickPagesWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void controlsHaveTheirDefaultsAndHints();
    void waysShowTheirPagesAndStepsCheckThem();
    void keyBoxWritesTheKeysCode();
    void commandsOnThePreviewAndTheLists();
    void popupStepsOverAPage();
    void builderDrivenByItsOwnNames();
    void builderMenuActsOnTheFocusedMemo();

  private:
    QString call(const QString& name, const QString& argument = QString()) {
        return bus_->Invoke(name, argument);
    }
    QString control(const QString& name) { return bus_->Control(name); }
    void set(const QString& name, const QString& value) { bus_->SetControl(name, value); }
    // Three pictures in the table and the preview, as a capture leaves them.
    void showThreePictures();
    SerialDialog* builder() const { return window_->findChild<SerialDialog*>(QStringLiteral("TfrmSerial")); }

    std::unique_ptr<ShellFixture> fixture_;
    MainWindow* window_ = nullptr;
    std::unique_ptr<BusService> bus_;
};

void ClickPagesWindowTest::init() {
    fixture_ = std::make_unique<ShellFixture>();
    window_ = &fixture_->create();
    QVERIFY(fixture_->showAndWaitForStartup());
    bus_ = std::make_unique<BusService>(*window_);
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void ClickPagesWindowTest::cleanup() {
    bus_.reset();
    fixture_.reset();
}

void ClickPagesWindowTest::showThreePictures() {
    const QString gif = QStringLiteral(
        "data:image/gif;base64,R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==#%1");
    for (int n = 1; n <= 3; ++n)
        window_->state().table.append(gif.arg(n), "1*1", kPlaceholderLinkUrl, "http://h.test/");
    window_->renderPreview();
    // The commands read the pictures as the user sees them: loaded.
    QTRY_COMPARE_WITH_TIMEOUT(bus_->Checked().size(), 3, 10000);
}

void ClickPagesWindowTest::controlsHaveTheirDefaultsAndHints() {
    // One window for the whole table: a window per row would cost a second each.
    const char* rows[][3] = {
        {"Label71", "1.Way of click", ""},
        {"Label72", "2.Get pictures", ""},
        {"RadioButton1", "1", "click a big picture and then show next big picture"},
        {"RadioButton2", "0", "click a small picture and then display the big picture of it"},
        {"RadioButton3", "0",
         "Each time you click a hyperlink to show a big picture. The text or image of hyper link is same."},
        {"RadioButton4", "0", "You click a picture and then popup a window to show the big picture"},
        {"RadioButton5", "0", "press keys like right cursor key goto next page"},
        {"Label73", "Please tell the URLs of small pictures.", ""},
        {"Label74", "Fill with URLs of current got pictures", ""},
        {"linkEdit", "", "reference values"},
        {"r21", "1", "such as \"next page\", \"previous page\""},
        {"r22", "0", "Such an images which draw a label \"next page\""},
        {"r23", "0", "Such as: javascript:doNextPage()"},
        {"r24", "0", "An image hyperlink act as a  form input element. It's rare."},
        {"chkcode", "0", "view HTML code"},
        {"Edit8", "", "html code include"},
        {"Edit9", "", "html code exclude"},
        {"Label50", "reference values", "show reference values"},
        {"Label79", "hide", "hide  the window of reference values"},
        {"Label75", "invisible?", "if you can not see images, click me and then show reference values again"},
        {"Label60", "press a certain key to navigate to next page, such as right cursor key, c", ""},
        {"charedit2", "39", ""},
        {"SpinEdit3", "1", ""},
        {"SpinEdit4", "8", ""},
        {"CheckBox2", "0", "click once to see what happend"},
        {"chkclickgoback", "0", "whether navigate back to the start URL when work done"},
        {"CheckBox3", "0", ""},
        {"clickLabel", "Get Pictures:0", ""},
        {"clickLabel2", "Click:0/0", ""},
        {"Label89", "Click a small picture and then popup a new window to display big one.", ""},
        {"Label91", "1.Get small pictures", ""},
        {"Label92", "2.Get URLs of big pictures", ""},
        {"Label93", "3.Display big pictures on origin webpage", ""},
        {"Label88", "find:0", ""},
        {"Label102", "Get:0", ""},
        {"Label103", "show", "show URLs of big pictures"},
        {"Label104", "hide", "hide"},
        {"Label105", "copy", "copy URLs of big pictures to clipboard"},
        {"Label78", "Turn URLs of small picture into URLs of big ones:", ""},
        {"replaceMemo", "", ""},
        {"Edit6", "/thumb/", ""},
        {"Edit7", "/", ""},
        {"Label84", "replace", ""},
        {"Label85", "current URLs", "fill in current picture URLs"},
        {"Label87", "onclick URLs", "get URLs from onclick javascript code"},
        {"Label61", "URLs builder", ""},
        {"Label86", "Display pictures by URLs",
         "After you get the URLs of big pictures, you can display the big pictures on origin webpage"},
        {"Label67", "Picture URLs >>>", ""},
        {"Label94", "Get pictures:0", ""},
    };
    for (const auto& [name, value, hint] : rows) {
        QCOMPARE(control(QString::fromLatin1(name)), QString::fromUtf8(value));
        QCOMPARE(control(QString::fromLatin1(name) + ".hint"), QString::fromUtf8(hint));
    }
    // The run's numbers keep to their limits.
    const QList<std::tuple<const char*, int, int>> limits = {{"SpinEdit3", 1, 999}, {"SpinEdit4", 1, 60}};
    for (const auto& [spin, low, high] : limits) {
        const QString name = QString::fromLatin1(spin);
        set(name, QString::number(low - 1));
        QCOMPARE(control(name), QString::number(low));
        set(name, QString::number(high + 1));
        QCOMPARE(control(name), QString::number(high));
    }
    // The popup way's later steps and tools wait for the earlier ones.
    for (const char* waiting : {"Label93", "btn11", "btn12", "Label103", "Label104", "Label105"})
        QCOMPARE(control(QString::fromLatin1(waiting) + ".enabled"), QStringLiteral("0"));
}

void ClickPagesWindowTest::waysShowTheirPagesAndStepsCheckThem() {
    ModePagesUi& pages = window_->modes().pages();
    call("N5");
    QCOMPARE(pages.clickStepsNotebook->currentIndex(), 0);
    QCOMPARE(control("btn11.visible") + control("btn12.visible") + control("clickbtn.visible"),
             QStringLiteral("110"));
    // The popup way runs by its own steps only.
    call("RadioButton4");
    QCOMPARE(pages.wayPages->currentIndex(), 3);
    QCOMPARE(control("Label72.enabled"), QStringLiteral("0"));
    QCOMPARE(call("Label72"), QString());  // out of use: does nothing
    QCOMPARE(pages.clickStepsNotebook->currentIndex(), 0);

    call("RadioButton2");
    QCOMPARE(pages.wayPages->currentIndex(), 1);
    QCOMPARE(control("spicMemo.focused"), QStringLiteral("1"));
    QCOMPARE(control("Label72.enabled"), QStringLiteral("1"));
    set("spicMemo", "  \n\n");
    QCOMPARE(call("Label72"), AutoClickSteps::kNoSmallPicturesMessage);
    QCOMPARE(pages.clickStepsNotebook->currentIndex(), 0);
    set("spicMemo", " http://h.test/t1.jpg \n\nhttp://h.test/t2.jpg\n");
    QCOMPARE(call("Label72"), QString());
    QCOMPARE(pages.clickStepsNotebook->currentIndex(), 1);
    QVERIFY(pages.clickRunStepLabel->font().underline());
    QVERIFY(!pages.waysStepLabel->font().underline());
    QCOMPARE(control("spicMemo"), QStringLiteral("http://h.test/t1.jpg\nhttp://h.test/t2.jpg"));
    QCOMPARE(control("SpinEdit3"), QStringLiteral("2"));
    QCOMPARE(control("SpinEdit3.enabled"), QStringLiteral("0"));
    // The second step shows the run's pair, its Save only while its Get is in use.
    QCOMPARE(control("btn11.visible") + control("btn12.visible") + control("clickbtn.visible") +
                 control("saveclickbtn.visible"),
             QStringLiteral("0011"));

    call("Label71");
    QCOMPARE(pages.clickStepsNotebook->currentIndex(), 0);
    QVERIFY(pages.waysStepLabel->font().underline());
    QCOMPARE(control("btn11.visible") + control("clickbtn.visible"), QStringLiteral("10"));
    call("RadioButton3");
    set("linkEdit", "");
    QCOMPARE(call("Label72"), AutoClickSteps::kNoFixedLinkMessage);
    QCOMPARE(control("linkEdit.focused"), QStringLiteral("1"));
    set("linkEdit", "Next");
    QCOMPARE(call("Label72"), QString());
    QCOMPARE(control("SpinEdit3.enabled"), QStringLiteral("1"));

    call("Label71");
    call("RadioButton5");
    QCOMPARE(pages.wayPages->currentIndex(), 4);
    for (const char* bad : {"0", "256", "right"}) {
        set("charedit2", QString::fromLatin1(bad));
        QCOMPARE(call("Label72"), AutoClickSteps::kNoKeyMessage);
        QCOMPARE(control("charedit2.focused"), QStringLiteral("1"));
    }
    set("charedit2", "39");
    QCOMPARE(call("Label72"), QString());
    QCOMPARE(pages.clickStepsNotebook->currentIndex(), 1);

    // A run without a browser does nothing; with "stop" ticked it only unticks it.
    set("CheckBox3", "1");
    QCOMPARE(call("clickbtn"), QString());
    QCOMPARE(control("CheckBox3"), QStringLiteral("0"));
    QCOMPARE(control("clickLabel2"), QStringLiteral("Click:0/0"));
}

void ClickPagesWindowTest::keyBoxWritesTheKeysCode() {
    call("N5");
    call("RadioButton5");
    QLineEdit* keyBox = window_->modes().pages().navigateKeyEdit;
    keyBox->setFocus();
    QTRY_VERIFY(keyBox->hasFocus());
    QTest::keyClick(keyBox, Qt::Key_C);
    QCOMPARE(control("charedit2"), QStringLiteral("67"));
    QTest::keyClick(keyBox, Qt::Key_Left);
    QCOMPARE(control("charedit2"), QStringLiteral("37"));
    QTest::keyClick(keyBox, Qt::Key_Space);
    QCOMPARE(control("charedit2"), QStringLiteral("32"));
}

void ClickPagesWindowTest::commandsOnThePreviewAndTheLists() {
    call("N7");
    // Without pictures.
    set("replaceMemo", "kept");
    QCOMPARE(call("Label87"), OnclickUrls::kNoPicturesMessage);
    QCOMPARE(control("replaceMemo"), QStringLiteral("kept"));
    QCOMPARE(call("Label85"), CheckedPictures::kNothingMessage);
    QCOMPARE(control("replaceMemo"), QString());
    QCOMPARE(call("Label86"), UrlPage::kNoUrlsMessage);

    showThreePictures();
    bus_->SetChecked({true, false, true});
    QCOMPARE(call("Label85"), QString());
    const QStringList sources{window_->state().table.picUrl[0], window_->state().table.picUrl[2]};
    QCOMPARE(control("replaceMemo"), sources.join(u'\n'));
    bus_->SetChecked({false, false, false});
    QCOMPARE(call("Label87"), OnclickUrls::kNoneCheckedMessage);
    QCOMPARE(control("replaceMemo"), sources.join(u'\n'));
    call("N5");
    call("RadioButton2");
    QCOMPARE(call("Label74"), CheckedPictures::kNothingMessage);
    QCOMPARE(control("spicMemo"), QString());
    bus_->SetChecked({false, true, false});
    QCOMPARE(call("Label74"), QString());
    QCOMPARE(control("spicMemo"), window_->state().table.picUrl[1]);

    // "replace" over every line, with the defaults and then an empty phrase.
    set("replaceMemo",
        "http://h.test/thumb/1.jpg\nhttp://h.test/THUMB/2.jpg\nhttp://h.test/a/thumb/b/thumb/3.jpg");
    QCOMPARE(call("Label84"), QString());
    QCOMPARE(control("replaceMemo"),
             QStringLiteral("http://h.test/1.jpg\nhttp://h.test/THUMB/2.jpg\nhttp://h.test/a/b/3.jpg"));
    set("Edit6", "");
    QCOMPARE(call("Label84"), UrlPage::kEmptyPhraseMessage);
    // Without a browser "Get" does nothing but the counter.
    QCOMPARE(call("rrbtn"), QString());
    QCOMPARE(control("Label94"), QStringLiteral("Get pictures:3"));
    QCOMPARE(control("saverrbtn.enabled"), control("savebtn.enabled"));
}

void ClickPagesWindowTest::popupStepsOverAPage() {
    // The page of small pictures: two open big ones from their onclick code, the third opens none.
    const QString gif = QStringLiteral(
        "data:image/gif;base64,R0lGODlhAQABAIAAAP///wAAACH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==#%1");
    auto page = std::make_shared<FakeBrowser>();
    FakeDocumentPtr document =
        page->showPage(QStringLiteral("http://h.test/popup.htm"), QStringLiteral("Popup"));
    const QStringList onclick{QStringLiteral("<img onclick=\"window.open('http://h.test/b1.jpg')\">"),
                              QStringLiteral("<img onclick=\"w('http://h.test/<b>2.jpg')\">"),
                              QStringLiteral("<img onclick=\"return false\">")};
    for (int n = 1; n <= 3; ++n)
        document->addImage(gif.arg(n), 100, 100)->data.outerHtml = onclick[n - 1];
    fixture_->noBrowser.browser = page;

    call("N5");
    call("RadioButton4");
    QCOMPARE(call("Label93"), QString());  // out of use until step 2 found addresses
    QCOMPARE(call("Label91"), QString());
    QCOMPARE(control("cLabel"), QStringLiteral("3"));
    QCOMPARE(control("Label92.enabled"), QStringLiteral("1"));
    QTRY_COMPARE_WITH_TIMEOUT(bus_->Checked().size(), 3, 10000);

    // Only the third ticked: nothing found, and the later steps stay out of use.
    bus_->SetChecked({false, false, true});
    QCOMPARE(call("Label92"), QString());
    QCOMPARE(control("Label88"), QStringLiteral("find:0"));
    for (const char* name : {"Label92", "Label93", "btn11", "Label103", "Label104", "Label105"})
        QCOMPARE(control(QString::fromLatin1(name) + ".enabled"), QStringLiteral("0"));
    call("Label91");
    QCOMPARE(control("Label92.enabled"), QStringLiteral("1"));

    QTRY_COMPARE_WITH_TIMEOUT(bus_->Checked().size(), 3, 10000);
    bus_->SetChecked({true, true, true});
    QCOMPARE(call("Label92"), QString());
    const QString found = QStringLiteral("http://h.test/b1.jpg\nhttp://h.test/<b>2.jpg");
    QCOMPARE(control("Memo3"), found);
    QCOMPARE(control("Memo3.visible"), QStringLiteral("0"));
    QCOMPARE(control("Label88"), QStringLiteral("find:2"));
    for (const char* name : {"Label92", "Label93", "btn11", "Label103", "Label104", "Label105"})
        QCOMPARE(control(QString::fromLatin1(name) + ".enabled"), QStringLiteral("1"));

    QCOMPARE(call("Label105"), QString());
    QCOMPARE(bus_->Clipboard(), found);
    QCOMPARE(call("Label103"), QString());
    QVERIFY(window_->results().commentPanelState().visible);
    QVERIFY(window_->results().commentPanelState().width >= 400);
    QTRY_VERIFY_WITH_TIMEOUT(control("wb2").contains(QStringLiteral("http://h.test/b1.jpg<br>")), 10000);
    QVERIFY(control("wb2").contains(QStringLiteral("http://h.test/&lt;b&gt;2.jpg")));
    QCOMPARE(call("Label104"), QString());
    QVERIFY(!window_->results().commentPanelState().visible);

    // Step 3 shows the big pictures on the origin page, step 4 captures them.
    QCOMPARE(call("Label93"), QString());
    QVERIFY(
        document->bodyElement()->innerHtml().contains(QStringLiteral("<img src=\"http://h.test/b1.jpg\"")));
    QCOMPARE(control("Label93.enabled"), QStringLiteral("1"));
    QCOMPARE(call("btn11"), QString());
    QCOMPARE(control("Label102"), QStringLiteral("Get:") + control("cLabel"));
    QCOMPARE(control("btn12.enabled"), control("savebtn.enabled"));
}

void ClickPagesWindowTest::builderDrivenByItsOwnNames() {
    call("N7");
    set("replaceMemo", "before");
    // The dialog opens and the call returns: the script goes on with the dialog's own controls.
    QCOMPARE(call("Label61"), QString());
    QTRY_VERIFY(builder() && builder()->isVisible());
    SerialDialog* first = builder();
    call("Label61");
    QCOMPARE(window_->findChildren<SerialDialog*>().size(), 1);
    QCOMPARE(builder(), first);
    QCOMPARE(control("TfrmSerial.caption"), QStringLiteral("Picture URLs Builder"));
    QCOMPARE(control("TfrmSerial.Edit2"), QStringLiteral(".jpg"));
    QVERIFY(control("TfrmSerial.Edit1").endsWith(u'/'));
    QCOMPARE(control("TfrmSerial.SpinEdit1") + "-" + control("TfrmSerial.SpinEdit2"), QStringLiteral("1-10"));
    QCOMPARE(call("TfrmSerial.Button2"), SerialDialog::kNothingMessage);  // Ok with nothing built
    QVERIFY(builder()->isVisible());
    set("TfrmSerial.CheckBox1", "1");
    set("TfrmSerial.SpinEdit1", "8");
    set("TfrmSerial.SpinEdit2", "10");
    call("TfrmSerial.SpeedButton1");
    call("TfrmSerial.Label7");
    QCOMPARE(control("TfrmSerial.Memo1"), QStringLiteral("08\n09\n10\n0\n1\n2\n3\n4\n5\n6\n7\n8\n9"));
    set("TfrmSerial.Memo1", "a\nb");
    set("TfrmSerial.Edit1", "http://h.test/p");
    call("TfrmSerial.Button1");
    call("TfrmSerial.Button1");
    QCOMPARE(control("TfrmSerial.Memo2"),
             QStringLiteral(
                 "http://h.test/pa.jpg\nhttp://h.test/pb.jpg\nhttp://h.test/pa.jpg\nhttp://h.test/pb.jpg"));
    call("TfrmSerial.Button4");
    QCOMPARE(control("TfrmSerial.Memo1"), control("TfrmSerial.Memo2"));
    QCOMPARE(control("replaceMemo"), QStringLiteral("before"));
    QCOMPARE(call("TfrmSerial.Button2"), QString());
    QTRY_VERIFY(!builder());
    QCOMPARE(control("replaceMemo"),
             QStringLiteral(
                 "http://h.test/pa.jpg\nhttp://h.test/pb.jpg\nhttp://h.test/pa.jpg\nhttp://h.test/pb.jpg"));

    // Cancel changes nothing, and a new dialog starts empty.
    call("Label61");
    QTRY_VERIFY(builder());
    QCOMPARE(control("TfrmSerial.Memo1"), QString());
    call("TfrmSerial.Label5");
    call("TfrmSerial.Button1");
    call("TfrmSerial.Button3");
    QTRY_VERIFY(!builder());
    QCOMPARE(control("replaceMemo").count(u'\n'), 3);
}

void ClickPagesWindowTest::builderMenuActsOnTheFocusedMemo() {
    call("N7");
    call("Label61");
    QTRY_VERIFY(builder() && builder()->isVisible());
    builder()->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(builder()));
    set("TfrmSerial.Memo1", "one");
    set("TfrmSerial.Memo2", "two");
    // With neither memo focused the menu works on the built addresses.
    call("TfrmSerial.serialselectall");
    QCOMPARE(control("TfrmSerial.serialcopy.enabled"), QStringLiteral("1"));
    call("TfrmSerial.serialcopy");
    QCOMPARE(bus_->Clipboard(), QStringLiteral("two"));
    set("TfrmSerial.Memo1.focused", "1");
    QTRY_COMPARE(control("TfrmSerial.Memo1.focused"), QStringLiteral("1"));
    QCOMPARE(control("TfrmSerial.serialcut.enabled"), QStringLiteral("0"));
    call("TfrmSerial.serialselectall");
    QCOMPARE(control("TfrmSerial.serialcut.enabled"), QStringLiteral("1"));
    call("TfrmSerial.serialcut");
    QCOMPARE(control("TfrmSerial.Memo1"), QString());
    QCOMPARE(bus_->Clipboard(), QStringLiteral("one"));
    call("TfrmSerial.serialundo");
    QCOMPARE(control("TfrmSerial.Memo1"), QStringLiteral("one"));
    call("TfrmSerial.serialempty");
    QCOMPARE(control("TfrmSerial.Memo1"), QString());
    QCOMPARE(control("TfrmSerial.Memo2"), QStringLiteral("two"));
    // Entering the prefix selects it whole.
    set("TfrmSerial.Edit1.focused", "1");
    auto* prefix = builder()->findChild<QLineEdit*>(QStringLiteral("Edit1"));
    QTRY_COMPARE(prefix->selectedText(), prefix->text());
    call("TfrmSerial.Button3");
}

QTEST_MAIN(ClickPagesWindowTest)
#include "tst_clickpageswindow.moc"
