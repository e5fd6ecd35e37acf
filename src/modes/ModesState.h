#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// The link-code test of ClickLinkByAddress: "view code" with its "html code include" and "exclude"
// texts, on the fixed-link page of the auto-click mode (chkcode, Edit8, Edit9).
struct LinkCodeFilter {
    bool viewCode = false;
    QString include;
    QString exclude;
};

// The multipage page TabSheet0. Names in comments are the controls showing each value.
struct MultipageState {
    QString urlList;             // urlMemo, one entry per line
    int displaySeconds = 10;     // aaSpinEdit, 5..600
    bool navigateBack = false;   // CheckBox5 "time to navigate back"
    int backSeconds = 3;         // aaSpinEdit2, 1..300
    bool testMode = false;       // aachk2
    bool includeItself = false;  // chkInclude
    bool scriptLinks = false;    // chkjs "jscript link"
    int step = 0;                // Notebook2: 0 the URL list (Label64), 1 the run controls (Label65)
    // While running: aabtn, Label64, Label65, the two times, "test mode" and "time to navigate back"
    // are out of use, and the caption of "stop" (aachk) is red.
    bool running = false;
    bool saveEnabled = false;                           // saveaaBtn
    QString countLabel = QStringLiteral("Get:0");       // aaLabel
    QString positionLabel = QStringLiteral("Urls:/0");  // aalabel2
    QString savedLabel = QStringLiteral("Saved:0/0");   // label119
    bool focusUrlList = false;                          // a request to the window: put the focus into urlMemo
};

// The interval page TabSheet1.
struct IntervalState {
    QString interval = QStringLiteral("5");  // Edit5, seconds
    // While running: ccbtn is out of use and the caption of "stop" (stopcc) is red.
    bool running = false;
    bool saveEnabled = false;                               // saveccbtn
    QString countLabel = QStringLiteral("Get pictures:0");  // ccLabel
    QString savedLabel = QStringLiteral("Saved:0/0");       // Label117
};

// The ways of the auto-click page (RadioButton1 to RadioButton5).
enum class ClickWay { BigToBig = 1, SmallToBig = 2, FixedLink = 3, Popup = 4, Keyboard = 5 };

// The kinds of a fixed link (r21 to r24), each with its element-click routine.
enum class FixedLinkKind { Text = 0, Image = 1, Script = 2, ImageInput = 3 };

// The auto-click page TabSheet2, its ways and its run.
struct AutoClickState {
    ClickWay way = ClickWay::BigToBig;
    int step = 0;           // Notebook3: 0 "1.Way of click" (Label71), 1 "2.Get pictures" (Label72)
    QString smallPictures;  // spicMemo
    QString linkText;       // linkEdit
    QStringList linkItems;  // linkEdit's drop-down list, the reference values
    FixedLinkKind linkKind = FixedLinkKind::Text;
    QString keyCode = QStringLiteral("39");  // charedit2, the right-arrow key
    int clickTimes = 1;                      // SpinEdit3, 1..999
    bool clickTimesEnabled = true;           // locked to the list's length for way 2
    int clickInterval = 8;                   // SpinEdit4, 1..60 seconds
    bool testMode = false;                   // CheckBox2
    bool navigateBack = false;               // chkclickgoback
    // While running: clickbtn, Label71, Label72, the click times and interval and "test mode" are out
    // of use, and the caption of "stop" (CheckBox3) is red.
    bool running = false;
    bool saveEnabled = false;                               // saveclickbtn
    QString countLabel = QStringLiteral("Get Pictures:0");  // clickLabel
    QString clickLabel = QStringLiteral("Click:0/0");       // clickLabel2
    QString savedLabel = QStringLiteral("Saved:0/0");       // Label118
    // A request to the window: the control to put the focus into (spicMemo, linkEdit, charedit2).
    QString focus;
};

// The popup-window way's five steps (the detail page of way 4).
struct PopupState {
    bool findEnabled = true;                           // Label92 "2.Get URLs of big pictures"
    bool displayEnabled = false;                       // Label93
    bool getEnabled = false;                           // btn11 "4.Get"
    bool saveEnabled = false;                          // btn12 "5.Save"
    bool listToolsEnabled = false;                     // Label103 "show", Label104 "hide", Label105 "copy"
    QString bigUrls;                                   // Memo3, hidden
    QString foundLabel = QStringLiteral("find:0");     // Label88
    QString getLabel = QStringLiteral("Get:0");        // Label102
    QString savedLabel = QStringLiteral("Saved:0/0");  // Label120
};

// The URL page TabSheet4.
struct UrlPageState {
    QString urls;                                           // replaceMemo
    QString find = QStringLiteral("/thumb/");               // Edit6, "rep1"
    QString replacement = QStringLiteral("/");              // Edit7, "rep2"
    bool saveEnabled = false;                               // saverrbtn
    QString countLabel = QStringLiteral("Get pictures:0");  // Label94
    QString savedLabel = QStringLiteral("Saved:0/0");       // Label116
};

// What the enhanced pages show besides the capture state; the window owns one and binds its controls
// to it.
struct ModesState {
    bool buttonBarVisible = true;  // Panel6, hidden while a run goes on
    MultipageState multipage;
    IntervalState interval;
    AutoClickState autoClick;
    PopupState popup;
    UrlPageState urlPage;
    LinkCodeFilter linkCode;  // on the fixed-link page, also used by the multipage run's link entries
    // The window is closing: a run ends at its next step, without a closing message.
    bool closing = false;
};

}  // namespace vorlaken
