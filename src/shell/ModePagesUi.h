#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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

    // Auto-click page, TabSheet2.
    ClickableLabel* waysStepLabel = nullptr;           // Label71 "1.Way of click"
    ClickableLabel* clickRunStepLabel = nullptr;       // Label72 "2.Get pictures"
    QStackedWidget* clickStepsNotebook = nullptr;      // Notebook3
    QButtonGroup* ways = nullptr;                      // RadioButton1 .. RadioButton5 in Panel10, id = way
    QStackedWidget* wayPages = nullptr;                // Notebook4, one detail page per way
    QPlainTextEdit* smallPictureList = nullptr;        // spicMemo
    ClickableLabel* fillSmallPicturesLabel = nullptr;  // Label74
    QComboBox* fixedLinkEdit = nullptr;                // linkEdit, editable
    QButtonGroup* fixedLinkKinds = nullptr;            // r21 .. r24, id = FixedLinkKind
    QCheckBox* viewCodeCheck = nullptr;                // chkcode
    QLineEdit* codeIncludeEdit = nullptr;              // Edit8
    QLineEdit* codeExcludeEdit = nullptr;              // Edit9
    ClickableLabel* referenceValuesLabel = nullptr;    // Label50
    ClickableLabel* hideReferenceLabel = nullptr;      // Label79
    ClickableLabel* invisibleLabel = nullptr;          // Label75
    QLineEdit* navigateKeyEdit = nullptr;              // charedit
    QLineEdit* keyCodeEdit = nullptr;                  // charedit2
    QSpinBox* clickTimesSpin = nullptr;                // SpinEdit3
    QSpinBox* clickIntervalSpin = nullptr;             // SpinEdit4
    QCheckBox* clickTestModeCheck = nullptr;           // CheckBox2
    QCheckBox* clickNavigateBackCheck = nullptr;       // chkclickgoback
    QCheckBox* clickStopCheck = nullptr;               // CheckBox3
    QLabel* clickCountLabel = nullptr;                 // clickLabel
    QLabel* clickPositionLabel = nullptr;              // clickLabel2
    QPushButton* autoClickGetButton = nullptr;         // clickbtn
    QPushButton* autoClickSaveButton = nullptr;        // saveclickbtn
    QLabel* autoClickSavedLabel = nullptr;             // Label118
    // The popup-window way's page (Notebook4's fourth).
    ClickableLabel* smallPicturesStepLabel = nullptr;  // Label91 "1.Get small pictures"
    ClickableLabel* bigUrlsStepLabel = nullptr;        // Label92 "2.Get URLs of big pictures"
    ClickableLabel* displayStepLabel = nullptr;        // Label93
    QPushButton* popupGetButton = nullptr;             // btn11 "4.Get"
    QPushButton* popupSaveButton = nullptr;            // btn12 "5.Save"
    QLabel* popupFoundLabel = nullptr;                 // Label88
    QLabel* popupGetLabel = nullptr;                   // Label102
    ClickableLabel* showBigUrlsLabel = nullptr;        // Label103 "show"
    ClickableLabel* hideBigUrlsLabel = nullptr;        // Label104 "hide"
    ClickableLabel* copyBigUrlsLabel = nullptr;        // Label105 "copy"
    QLabel* popupSavedLabel = nullptr;                 // Label120
    QPlainTextEdit* bigUrlList = nullptr;              // Memo3, hidden

    // Browser-cache page, TabSheet3.
    QLabel* cacheHeadingLabel = nullptr;         // Label33
    QLabel* cacheFlashLabel = nullptr;           // Label68
    ClickableLabel* cacheViewerLabel = nullptr;  // Label34 "Tidewell"

    // URL page, TabSheet4.
    QLineEdit* replaceFromEdit = nullptr;        // Edit6, made by MainWindowUi for the settings
    QLineEdit* replaceWithEdit = nullptr;        // Edit7, the same
    QPlainTextEdit* replaceList = nullptr;       // replaceMemo
    ClickableLabel* replaceLabel = nullptr;      // Label84 "replace"
    ClickableLabel* currentUrlsLabel = nullptr;  // Label85 "current URLs"
    ClickableLabel* onclickUrlsLabel = nullptr;  // Label87 "onclick URLs"
    ClickableLabel* builderLabel = nullptr;      // Label61 "URLs builder"
    ClickableLabel* displayUrlsLabel = nullptr;  // Label86 "Display pictures by URLs"
    QPushButton* urlPageGetButton = nullptr;     // rrbtn
    QPushButton* urlPageSaveButton = nullptr;    // saverrbtn
    QLabel* urlPageCountLabel = nullptr;         // Label94
    QLabel* urlPageSavedLabel = nullptr;         // Label116

  private:
    void buildMultipage(QWidget* sheet);
    void buildInterval(QWidget* sheet);
    void buildAutoClick(QWidget* sheet);
    void buildBrowserCache(QWidget* sheet);
    void buildUrlPage(QWidget* sheet, MainWindowUi& ui);
    QWidget* buildWayPages();
    QWidget* buildFixedLinkPage();
    QWidget* buildPopupPage();
    QWidget* buildClickRunPage();
};

}  // namespace vorlaken
