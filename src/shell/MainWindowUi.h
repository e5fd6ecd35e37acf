#pragma once

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QWebEngineView>

#include "widgets/ClickableLabel.h"

namespace vorlaken {

// The controls of the main window Tfrmgrabnest. Each control's objectName is its component name, given
// beside its member; automation and tests find the controls by it. This class only builds and lays
// them out; MainWindow gives them their behaviour.
class MainWindowUi {
  public:
    void build(QMainWindow* window);
    // What the window's own colours do under the skin of that index (Skins).
    void showSkin(int skin);

    // Panels whose bare background moves the window.
    QList<QWidget*> dragPanels;

    QTabWidget* panelTabs = nullptr;  // PageControl1
    QWidget* mainPage = nullptr;      // TabSheet_get
    QWidget* optionsPage = nullptr;   // TabSheet_options
    QWidget* enhancedPage = nullptr;  // TabSheet_add
    QWidget* helpPage = nullptr;      // TabSheet_help

    // Button bar.
    QWidget* buttonBar = nullptr;                // Panel6
    QPushButton* mainPanelButton = nullptr;      // button1
    QPushButton* optionsPanelButton = nullptr;   // button3
    QPushButton* helpPanelButton = nullptr;      // button4
    QPushButton* enhancedButton = nullptr;       // button2
    QMenu* enhancedMenu = nullptr;               // PopupMenu3
    QAction* enhancedMenuModes[5] = {};          // N3..N7, by mode
    QAction* enhancedMenuClearResult = nullptr;  // N9
    QAction* enhancedMenuFilterPanel = nullptr;  // n51

    // Main page.
    QPushButton* getButton = nullptr;           // getbtn
    QPushButton* saveButton = nullptr;          // savebtn
    QPushButton* saveMoreButton = nullptr;      // savemorebtn
    QMenu* saveMenu = nullptr;                  // savePopupMenu
    QAction* saveMenuChooseFolder = nullptr;    // N28
    QAction* saveMenuOpenFolder = nullptr;      // N29
    QAction* saveMenuRememberFolder = nullptr;  // N32
    QPushButton* selectButton = nullptr;        // selectbtn
    QMenu* selectMenu = nullptr;                // selectPopupMenu
    QAction* selectMenuWithLinks = nullptr;     // chkLink
    QAction* selectMenuLinkNearBy = nullptr;    // nearbychk
    QSpinBox* widthSpin = nullptr;              // SpinEdit1
    QSpinBox* heightSpin = nullptr;             // SpinEdit2
    QComboBox* sizeModeCombo = nullptr;         // cbsize
    QLineEdit* urlIncludeEdit = nullptr;        // Edit3
    QLineEdit* urlExcludeEdit = nullptr;        // Edit4
    QLineEdit* linkIncludeEdit = nullptr;       // linkEdit1
    QLineEdit* linkExcludeEdit = nullptr;       // linkEdit2
    QComboBox* titleCombo = nullptr;            // cbtitle
    QLineEdit* locationEdit = nullptr;          // Edit2
    QCheckBox* lockTitleCheck = nullptr;        // lockchk
    QCheckBox* mergeCheck = nullptr;            // CheckBox4
    QLabel* totalLabel = nullptr;               // cLabel
    QLabel* savedLabel = nullptr;               // Label3

    // Options page.
    QComboBox* skinCombo = nullptr;                  // cb1
    QCheckBox* thumbnailCheck = nullptr;             // chkhorizontal
    QCheckBox* originSizeCheck = nullptr;            // CheckBox1
    QCheckBox* showSizeCheck = nullptr;              // whCheck
    QCheckBox* specialProcessCheck = nullptr;        // inputchk
    QCheckBox* localWebpageCheck = nullptr;          // savechk
    QCheckBox* zipPackageCheck = nullptr;            // zipChk
    QCheckBox* forceExtensionCheck = nullptr;        // extchk
    QCheckBox* autoRecogniseCheck = nullptr;         // autoextchk
    QComboBox* namedRuleCombo = nullptr;             // cb2
    QComboBox* subFolderCombo = nullptr;             // cb3
    QLineEdit* fileNamePrefixEdit = nullptr;         // Edit1
    QComboBox* defaultExtCombo = nullptr;            // cbext
    QCheckBox* hideOriginContentCheck = nullptr;     // noorgChk
    QCheckBox* largestVersionCheck = nullptr;        // largestChk
    QCheckBox* ownSizeCheck = nullptr;               // ownSizeChk
    ClickableLabel* categoryEditorLabel = nullptr;   // Label106
    ClickableLabel* showToolbarIconLabel = nullptr;  // ieLabel1
    ClickableLabel* hideToolbarIconLabel = nullptr;  // ielabel2

    // Enhanced pages.
    QTabWidget* modeTabs = nullptr;                // PageControl11
    QGroupBox* enhancedFilterPanel = nullptr;      // Panel15
    QSpinBox* enhancedWidthSpin = nullptr;         // SpinEdit12
    QSpinBox* enhancedHeightSpin = nullptr;        // spinedit22
    QComboBox* enhancedSizeModeCombo = nullptr;    // cbsize2
    QLineEdit* enhancedUrlIncludeEdit = nullptr;   // Edit32
    QLineEdit* enhancedUrlExcludeEdit = nullptr;   // edit42
    QLineEdit* enhancedLinkIncludeEdit = nullptr;  // linkEdit12
    QLineEdit* enhancedLinkExcludeEdit = nullptr;  // linkEdit22
    QLineEdit* replaceFromEdit = nullptr;          // Edit6
    QLineEdit* replaceWithEdit = nullptr;          // Edit7

    // Help page.
    QCheckBox* autoUpgradeCheck = nullptr;      // chkupgrade
    ClickableLabel* upgradeNowLabel = nullptr;  // Label59
    ClickableLabel* helpDemoLabel = nullptr;    // Label11

    // Zones.
    QSplitter* zoneSplitter = nullptr;      // Splitter1
    QWebEngineView* previewView = nullptr;  // wb1
    QWidget* commentPanel = nullptr;        // Panel2
    QWebEngineView* commentView = nullptr;  // wb2
    QWebEngineView* welcomeView = nullptr;  // wbad
    QLabel* recommendLabel = nullptr;       // Label53

  private:
    void buildMainPage();
    void buildOptionsPage();
    void buildEnhancedPages();
    void buildHelpPage();
    void buildButtonBar(QWidget* parent);
};

}  // namespace vorlaken
