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

// The controls of the viewer window, each named by its component name.
struct ViewerWindowUi {
    QTabWidget* PageControl1 = nullptr;
    // "Initial selected"
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QCheckBox* c1 = nullptr;
    QCheckBox* c2 = nullptr;
    QCheckBox* c3 = nullptr;
    QCheckBox* c7 = nullptr;
    QLineEdit* extEdit = nullptr;
    QSpinBox* SpinEdit3 = nullptr;
    QComboBox* cb1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button6 = nullptr;
    ClickableLabel* Image2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* cacheNote = nullptr;  // no caches found, parts not read
    QListWidget* ListBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QWebEngineView* wb2 = nullptr;
    // "Show All"
    QSpinBox* SpinEdit1 = nullptr;
    QSpinBox* SpinEdit2 = nullptr;
    QComboBox* cbsize = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button5 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QWebEngineView* wb1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    // "Upgrade"
    QCheckBox* autoUpgrade = nullptr;
    QPushButton* updatebtn = nullptr;

    void build(QWidget* window);
};

}  // namespace vorlaken
