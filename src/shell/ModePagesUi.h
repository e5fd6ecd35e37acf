#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QWebEngineView>

#include "shell/DropPanel.h"
#include "widgets/ClickableLabel.h"

namespace vorlaken {

class MainWindowUi;

// The controls of the mode pages of PageControl11 (TabSheet0 to TabSheet4), each named (objectName)
// after its component, given beside its member. This class only builds and lays them out;
// ModesController gives them their behaviour.
class ModePagesUi {
  public:
    // Fills the mode pages that ui has made.
    void build(MainWindowUi& ui);

    // Multipage page, TabSheet0.
    ClickableLabel* urlListStepLabel = nullptr;    // Label64 "1.Get URL"
    ClickableLabel* runStepLabel = nullptr;        // Label65 "2.Get Pics"
    QStackedWidget* stepsNotebook = nullptr;       // Notebook2
    QPlainTextEdit* urlList = nullptr;             // urlMemo
    DropPanel* dropZone = nullptr;                 // dropPanel
    QCheckBox* includeItselfCheck = nullptr;       // chkInclude
    QCheckBox* scriptLinksCheck = nullptr;         // chkjs
    ClickableLabel* linkToPictureLabel = nullptr;  // Label49
    ClickableLabel* pictureLinksLabel = nullptr;   // Label63
    ClickableLabel* linkFinderLabel = nullptr;     // Label45
    QSpinBox* displayTimeSpin = nullptr;           // aaSpinEdit
    QCheckBox* navigateBackCheck = nullptr;        // CheckBox5
    QSpinBox* backTimeSpin = nullptr;              // aaSpinEdit2
    QCheckBox* testModeCheck = nullptr;            // aachk2
    QCheckBox* multipageStopCheck = nullptr;       // aachk
    QPushButton* multipageGetButton = nullptr;     // aabtn
    QPushButton* multipageSaveButton = nullptr;    // saveaaBtn
    QLabel* multipageCountLabel = nullptr;         // aaLabel
    QLabel* multipagePositionLabel = nullptr;      // aalabel2
    QLabel* multipageSavedLabel = nullptr;         // label119
    QWebEngineView* scratchView = nullptr;         // wb222, hidden

    // Interval page, TabSheet1.
    QLabel* intervalHelpLabel = nullptr;        // Label29
    QLineEdit* intervalEdit = nullptr;          // Edit5
    QCheckBox* intervalStopCheck = nullptr;     // stopcc
    QPushButton* intervalGetButton = nullptr;   // ccbtn
    QPushButton* intervalSaveButton = nullptr;  // saveccbtn
    QLabel* intervalCountLabel = nullptr;       // ccLabel
    QLabel* intervalSavedLabel = nullptr;       // Label117

    // Auto-click page, TabSheet2: the buttons and counters its modes will use.
    QPushButton* autoClickGetButton = nullptr;   // clickbtn
    QPushButton* autoClickSaveButton = nullptr;  // saveclickbtn
    QLabel* autoClickSavedLabel = nullptr;       // Label118
    QPushButton* popupGetButton = nullptr;       // btn11 "4.Get"
    QPushButton* popupSaveButton = nullptr;      // btn12 "5.Save"
    QLabel* popupSavedLabel = nullptr;           // Label120

    // Browser-cache page, TabSheet3.
    QLabel* cacheHeadingLabel = nullptr;         // Label33
    QLabel* cacheFlashLabel = nullptr;           // Label68
    ClickableLabel* cacheViewerLabel = nullptr;  // Label34 "Tidewell"

    // URL page, TabSheet4: the buttons and counter its commands will use.
    QPushButton* urlPageGetButton = nullptr;   // rrbtn
    QPushButton* urlPageSaveButton = nullptr;  // saverrbtn
    QLabel* urlPageSavedLabel = nullptr;       // Label116

  private:
    void buildMultipage(QWidget* sheet);
    void buildInterval(QWidget* sheet);
    void buildAutoClick(QWidget* sheet);
    void buildBrowserCache(QWidget* sheet);
    void buildUrlPage(QWidget* sheet);
};

}  // namespace vorlaken
