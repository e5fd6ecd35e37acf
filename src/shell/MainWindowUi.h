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

// The controls of the main window Tfrmgrabnest, each named (objectName) after its component. This
// class only builds and lays them out; MainWindow gives them their behaviour.
class MainWindowUi {
  public:
    void build(QMainWindow* window);

    // Panels whose bare background moves the window.
    QList<QWidget*> dragPanels;

    QTabWidget* PageControl1 = nullptr;
    QWidget* mainPage = nullptr;
    QWidget* optionsPage = nullptr;
    QWidget* enhancedPage = nullptr;
    QWidget* helpPage = nullptr;

    // Button bar.
    QWidget* Panel6 = nullptr;
    QPushButton* button1 = nullptr;
    QPushButton* button3 = nullptr;
    QPushButton* button4 = nullptr;
    QPushButton* button2 = nullptr;
    QMenu* PopupMenu3 = nullptr;
    QAction* modeItems[5] = {};  // N3..N7
    QAction* N9 = nullptr;
    QAction* n51 = nullptr;

    // Main page.
    QPushButton* getbtn = nullptr;
    QPushButton* savebtn = nullptr;
    QPushButton* savemorebtn = nullptr;
    QMenu* savePopupMenu = nullptr;
    QAction* N28 = nullptr;
    QAction* N29 = nullptr;
    QAction* N32 = nullptr;
    QPushButton* selectbtn = nullptr;
    QMenu* selectPopupMenu = nullptr;
    QAction* chkLink = nullptr;
    QAction* nearbychk = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QComboBox* cbsize = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* linkEdit1 = nullptr;
    QLineEdit* linkEdit2 = nullptr;
    QComboBox* cbtitle = nullptr;
    QLineEdit* Edit2 = nullptr;
    QCheckBox* lockchk = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QLabel* cLabel = nullptr;
    QLabel* Label3 = nullptr;

    // Options page.
    QComboBox* cb1 = nullptr;
    QCheckBox* chkhorizontal = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* whCheck = nullptr;
    QCheckBox* inputchk = nullptr;
    QCheckBox* savechk = nullptr;
    QCheckBox* zipChk = nullptr;
    QCheckBox* extchk = nullptr;
    QCheckBox* autoextchk = nullptr;
    QComboBox* cb2 = nullptr;
    QComboBox* cb3 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QComboBox* cbext = nullptr;
    QCheckBox* noorgChk = nullptr;
    ClickableLabel* Label106 = nullptr;
    ClickableLabel* ieLabel1 = nullptr;
    ClickableLabel* ielabel2 = nullptr;

    // Enhanced pages.
    QTabWidget* PageControl11 = nullptr;
    QGroupBox* Panel15 = nullptr;
    QSpinBox* SpinEdit12 = nullptr;
    QSpinBox* spinedit22 = nullptr;
    QComboBox* cbsize2 = nullptr;
    QLineEdit* Edit32 = nullptr;
    QLineEdit* edit42 = nullptr;
    QLineEdit* linkEdit12 = nullptr;
    QLineEdit* linkEdit22 = nullptr;
    QLineEdit* Edit6 = nullptr;
    QLineEdit* Edit7 = nullptr;

    // Help page.
    QCheckBox* chkupgrade = nullptr;
    ClickableLabel* Label59 = nullptr;
    ClickableLabel* Label11 = nullptr;

    // Zones.
    QSplitter* Splitter1 = nullptr;
    QWebEngineView* wb1 = nullptr;
    QWidget* Panel2 = nullptr;
    QWebEngineView* wb2 = nullptr;
    QWebEngineView* wbad = nullptr;
    QLabel* Label53 = nullptr;

  private:
    void buildMainPage();
    void buildOptionsPage();
    void buildEnhancedPages();
    void buildHelpPage();
    void buildButtonBar(QWidget* parent);
};

}  // namespace vorlaken
