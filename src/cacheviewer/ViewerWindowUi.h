#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QWebEngineView>

namespace vorlaken {

class ClickableLabel;

// The controls of the viewer window TForm1. Each control's objectName is its component name, given
// beside its member; automation and tests find the controls by it.
struct ViewerWindowUi {
    QTabWidget* pageTabs = nullptr;  // PageControl1
    // "Initial selected"
    QLineEdit* urlIncludeEdit = nullptr;          // Edit3
    QLineEdit* urlExcludeEdit = nullptr;          // Edit4
    QCheckBox* jpgCheck = nullptr;                // c1
    QCheckBox* gifCheck = nullptr;                // c2
    QCheckBox* pngCheck = nullptr;                // c3
    QCheckBox* bmpCheck = nullptr;                // c7
    QLineEdit* otherFormatEdit = nullptr;         // extEdit
    QSpinBox* timePassedSpin = nullptr;           // SpinEdit3
    QComboBox* timeUnitCombo = nullptr;           // cb1
    QRadioButton* localCachedRadio = nullptr;     // RadioButton1
    QRadioButton* websitePictureRadio = nullptr;  // RadioButton2
    QPushButton* listPictureButton = nullptr;     // Button1
    QPushButton* showAllButton = nullptr;         // Button3
    QPushButton* clearCacheButton = nullptr;      // Button2
    QPushButton* helpButton = nullptr;            // Button6
    ClickableLabel* homeLabel = nullptr;          // Image2
    QLabel* picturesFoundLabel = nullptr;         // Label1
    QLabel* cacheNoteLabel = nullptr;             // cacheNote: no caches found, parts not read
    QListWidget* foundList = nullptr;             // ListBox1
    QLineEdit* currentUrlEdit = nullptr;          // Edit1
    QWebEngineView* previewView = nullptr;        // wb2
    // "Show All"
    QSpinBox* widthSpin = nullptr;                     // SpinEdit1
    QSpinBox* heightSpin = nullptr;                    // SpinEdit2
    QComboBox* sizeModeCombo = nullptr;                // cbsize
    QCheckBox* thumbnailCheck = nullptr;               // CheckBox5
    QCheckBox* originSizeCheck = nullptr;              // CheckBox6
    QPushButton* filterButton = nullptr;               // Button4
    QPushButton* saveButton = nullptr;                 // Button5
    QToolButton* chooseFolderButton = nullptr;         // SpeedButton1
    QLineEdit* saveFolderEdit = nullptr;               // Edit2
    QTabWidget* shownTabs = nullptr;                   // PageControl2
    QWebEngineView* shownView = nullptr;               // wb1
    QPlainTextEdit* pictureInformationMemo = nullptr;  // Memo1
    // "Upgrade"
    QCheckBox* autoUpgradeCheck = nullptr;    // autoUpgrade
    QPushButton* upgradeNowButton = nullptr;  // updatebtn

    void build(QWidget* window);
};

}  // namespace vorlaken
