#pragma once

#include <QString>

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

// What the enhanced pages show besides the capture state; the window owns one and binds its controls
// to it.
struct ModesState {
    bool buttonBarVisible = true;  // Panel6, hidden while a run goes on
    MultipageState multipage;
    IntervalState interval;
    // The counters of the Save buttons of the auto-click page (Label118), the popup-window flow
    // (Label120) and the URL page (Label116).
    QString autoClickSavedLabel = QStringLiteral("Saved:0/0");
    QString popupSavedLabel = QStringLiteral("Saved:0/0");
    QString urlPageSavedLabel = QStringLiteral("Saved:0/0");
    LinkCodeFilter linkCode;
    // The window is closing: a run ends at its next step, without a closing message.
    bool closing = false;
};

}  // namespace vorlaken
