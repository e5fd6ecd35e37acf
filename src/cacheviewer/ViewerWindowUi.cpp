#include "ViewerWindowUi.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QSplitter>
#include <QVBoxLayout>
#include <QValidator>

#include "widgets/ClickableLabel.h"

namespace vorlaken {

namespace {

template <typename T>
T* named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QSpinBox* limitSpin(const char* name) {
    auto* spin = named(new QSpinBox, name);
    spin->setRange(0, 99999);
    spin->setToolTip(QStringLiteral("It is no use if Zero"));
    return spin;
}

// The two filter fields take lower-case input only: the validator lowers whatever is typed or pasted.
class LowerCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toLower();
        return Acceptable;
    }
};

QLineEdit* lowerCaseEdit(const char* name) {
    auto* edit = named(new QLineEdit, name);
    edit->setValidator(new LowerCaseValidator(edit));
    return edit;
}

}  // namespace

void ViewerWindowUi::build(QWidget* window) {
    PageControl1 = named(new QTabWidget(window), "PageControl1");
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->addWidget(PageControl1);

    // "Initial selected"
    auto* first = named(new QWidget, "TabSheet1");
    auto* filters = new QGridLayout;
    Edit3 = lowerCaseEdit("Edit3");
    Edit4 = lowerCaseEdit("Edit4");
    filters->addWidget(new QLabel(QStringLiteral("URL include:")), 0, 0);
    filters->addWidget(Edit3, 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("Exclude:")), 0, 2);
    filters->addWidget(Edit4, 0, 3);
    auto* formats = new QHBoxLayout;
    c1 = named(new QCheckBox(QStringLiteral("jpg")), "c1");
    c2 = named(new QCheckBox(QStringLiteral("gif")), "c2");
    c3 = named(new QCheckBox(QStringLiteral("png")), "c3");
    c7 = named(new QCheckBox(QStringLiteral("bmp")), "c7");
    for (QCheckBox* box : {c1, c2, c3, c7}) {
        formats->addWidget(box);
    }
    filters->addWidget(new QLabel(QStringLiteral("Picture format:")), 1, 0);
    filters->addLayout(formats, 1, 1);
    extEdit = named(new QLineEdit, "extEdit");
    filters->addWidget(new QLabel(QStringLiteral("Other format:")), 1, 2);
    filters->addWidget(extEdit, 1, 3);
    SpinEdit3 = named(new QSpinBox, "SpinEdit3");
    SpinEdit3->setRange(0, 99999);
    SpinEdit3->setToolTip(QStringLiteral("It is no use if Zero"));
    cb1 = named(new QComboBox, "cb1");
    cb1->addItems({QStringLiteral("Min"), QStringLiteral("Hour"), QStringLiteral("Day")});
    auto* time = new QHBoxLayout;
    time->addWidget(SpinEdit3);
    time->addWidget(cb1);
    filters->addWidget(new QLabel(QStringLiteral("Time passed:")), 2, 0);
    filters->addLayout(time, 2, 1);
    RadioButton1 = named(new QRadioButton(QStringLiteral("local cached")), "RadioButton1");
    RadioButton2 = named(new QRadioButton(QStringLiteral("website picture")), "RadioButton2");
    auto* shown = new QHBoxLayout;
    shown->addWidget(RadioButton1);
    shown->addWidget(RadioButton2);
    filters->addWidget(new QLabel(QStringLiteral("Show cached pictures:")), 2, 2);
    filters->addLayout(shown, 2, 3);

    auto* buttons = new QHBoxLayout;
    Button1 = named(new QPushButton(QStringLiteral("List Picture")), "Button1");
    Button1->setToolTip(QStringLiteral("List cached picture "));
    Button3 = named(new QPushButton(QStringLiteral("Show All")), "Button3");
    Button3->setToolTip(QStringLiteral("Show pictures with check box"));
    Button2 = named(new QPushButton(QStringLiteral("Clear cache")), "Button2");
    Button6 = named(new QPushButton(QStringLiteral("Help")), "Button6");
    Label1 = named(new QLabel, "Label1");
    Image2 = named(new ClickableLabel(QStringLiteral("Tidewell")), "Image2");
    Image2->setCursor(Qt::PointingHandCursor);
    for (QWidget* widget : std::initializer_list<QWidget*>{Button1, Button3, Button2, Button6, Label1}) {
        buttons->addWidget(widget);
    }
    buttons->addStretch();
    buttons->addWidget(Image2);

    cacheNote = named(new QLabel, "cacheNote");
    cacheNote->setWordWrap(true);
    cacheNote->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cacheNote->setTextFormat(Qt::PlainText);
    cacheNote->hide();
    ListBox1 = named(new QListWidget, "ListBox1");
    Edit1 = named(new QLineEdit, "Edit1");
    Edit1->setReadOnly(true);
    auto* current = new QHBoxLayout;
    current->addWidget(new QLabel(QStringLiteral("Current Picture URL:")));
    current->addWidget(Edit1);
    auto* upper = new QWidget;
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->addLayout(filters);
    upperLayout->addLayout(buttons);
    upperLayout->addWidget(cacheNote);
    upperLayout->addWidget(ListBox1);
    upperLayout->addLayout(current);
    wb2 = named(new QWebEngineView, "wb2");
    auto* splitter = named(new QSplitter(Qt::Vertical), "Splitter1");
    splitter->addWidget(upper);
    splitter->addWidget(wb2);
    auto* firstLayout = new QVBoxLayout(first);
    firstLayout->addWidget(splitter);
    PageControl1->addTab(first, QStringLiteral("Initial selected"));

    // "Show All"
    auto* second = named(new QWidget, "TabSheet2");
    auto* controls = new QHBoxLayout;
    SpinEdit1 = limitSpin("SpinEdit1");
    SpinEdit2 = limitSpin("SpinEdit2");
    cbsize = named(new QComboBox, "cbsize");
    cbsize->addItems(
        {QStringLiteral("lower limit"), QStringLiteral("upper limit"), QStringLiteral("exactly")});
    CheckBox5 = named(new QCheckBox(QStringLiteral("Thumbnail")), "CheckBox5");
    CheckBox5->setToolTip(QStringLiteral("thumbnail view"));
    CheckBox6 = named(new QCheckBox(QStringLiteral("Origin Size")), "CheckBox6");
    Button4 = named(new QPushButton(QStringLiteral("Filter")), "Button4");
    Button5 = named(new QPushButton(QStringLiteral("Save")), "Button5");
    SpeedButton1 = named(new QToolButton, "SpeedButton1");
    SpeedButton1->setText(QStringLiteral("..."));
    Edit2 = named(new QLineEdit, "Edit2");
    Edit2->setReadOnly(true);
    controls->addWidget(new QLabel(QStringLiteral("Width:")));
    controls->addWidget(SpinEdit1);
    controls->addWidget(new QLabel(QStringLiteral("Height:")));
    controls->addWidget(SpinEdit2);
    controls->addWidget(cbsize);
    controls->addWidget(CheckBox5);
    controls->addWidget(CheckBox6);
    controls->addWidget(Button4);
    controls->addWidget(Button5);
    auto* saveRow = new QHBoxLayout;
    saveRow->addWidget(new QLabel(QStringLiteral("Save directory:")));
    saveRow->addWidget(Edit2);
    saveRow->addWidget(SpeedButton1);
    PageControl2 = named(new QTabWidget, "PageControl2");
    wb1 = named(new QWebEngineView, "wb1");
    Memo1 = named(new QPlainTextEdit, "Memo1");
    Memo1->setReadOnly(true);
    PageControl2->addTab(wb1, QStringLiteral("View Picture"));
    PageControl2->addTab(Memo1, QStringLiteral("Picture Information"));
    auto* secondLayout = new QVBoxLayout(second);
    secondLayout->addLayout(controls);
    secondLayout->addLayout(saveRow);
    secondLayout->addWidget(PageControl2);
    PageControl1->addTab(second, QStringLiteral("Show All"));

    // "Upgrade"
    auto* third = named(new QWidget, "TabSheet3");
    autoUpgrade = named(new QCheckBox(QStringLiteral("auto upgrade")), "autoUpgrade");
    updatebtn = named(new QPushButton(QStringLiteral("Upgrade Now")), "updatebtn");
    auto* thirdLayout = new QVBoxLayout(third);
    thirdLayout->addWidget(autoUpgrade);
    thirdLayout->addWidget(updatebtn);
    thirdLayout->addStretch();
    PageControl1->addTab(third, QStringLiteral("Upgrade"));
}

}  // namespace vorlaken
