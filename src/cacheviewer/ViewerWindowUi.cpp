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
    pageTabs = named(new QTabWidget(window), "PageControl1");
    auto* outer = new QVBoxLayout(window);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->addWidget(pageTabs);

    // "Initial selected"
    auto* initialSelectedTab = named(new QWidget, "TabSheet1");
    auto* filters = new QGridLayout;
    urlIncludeEdit = lowerCaseEdit("Edit3");
    urlExcludeEdit = lowerCaseEdit("Edit4");
    filters->addWidget(new QLabel(QStringLiteral("URL include:")), 0, 0);
    filters->addWidget(urlIncludeEdit, 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("Exclude:")), 0, 2);
    filters->addWidget(urlExcludeEdit, 0, 3);
    auto* formats = new QHBoxLayout;
    jpgCheck = named(new QCheckBox(QStringLiteral("jpg")), "c1");
    gifCheck = named(new QCheckBox(QStringLiteral("gif")), "c2");
    pngCheck = named(new QCheckBox(QStringLiteral("png")), "c3");
    bmpCheck = named(new QCheckBox(QStringLiteral("bmp")), "c7");
    for (QCheckBox* box : {jpgCheck, gifCheck, pngCheck, bmpCheck}) {
        formats->addWidget(box);
    }
    filters->addWidget(new QLabel(QStringLiteral("Picture format:")), 1, 0);
    filters->addLayout(formats, 1, 1);
    otherFormatEdit = named(new QLineEdit, "extEdit");
    filters->addWidget(new QLabel(QStringLiteral("Other format:")), 1, 2);
    filters->addWidget(otherFormatEdit, 1, 3);
    timePassedSpin = named(new QSpinBox, "SpinEdit3");
    timePassedSpin->setRange(0, 99999);
    timePassedSpin->setToolTip(QStringLiteral("It is no use if Zero"));
    timeUnitCombo = named(new QComboBox, "cb1");
    timeUnitCombo->addItems({QStringLiteral("Min"), QStringLiteral("Hour"), QStringLiteral("Day")});
    auto* time = new QHBoxLayout;
    time->addWidget(timePassedSpin);
    time->addWidget(timeUnitCombo);
    filters->addWidget(new QLabel(QStringLiteral("Time passed:")), 2, 0);
    filters->addLayout(time, 2, 1);
    localCachedRadio = named(new QRadioButton(QStringLiteral("local cached")), "RadioButton1");
    websitePictureRadio = named(new QRadioButton(QStringLiteral("website picture")), "RadioButton2");
    auto* shown = new QHBoxLayout;
    shown->addWidget(localCachedRadio);
    shown->addWidget(websitePictureRadio);
    filters->addWidget(new QLabel(QStringLiteral("Show cached pictures:")), 2, 2);
    filters->addLayout(shown, 2, 3);

    auto* buttons = new QHBoxLayout;
    listPictureButton = named(new QPushButton(QStringLiteral("List Picture")), "Button1");
    listPictureButton->setToolTip(QStringLiteral("List cached picture "));
    showAllButton = named(new QPushButton(QStringLiteral("Show All")), "Button3");
    showAllButton->setToolTip(QStringLiteral("Show pictures with check box"));
    clearCacheButton = named(new QPushButton(QStringLiteral("Clear cache")), "Button2");
    helpButton = named(new QPushButton(QStringLiteral("Help")), "Button6");
    picturesFoundLabel = named(new QLabel, "Label1");
    homeLabel = named(new ClickableLabel(QStringLiteral("Tidewell")), "Image2");
    homeLabel->setCursor(Qt::PointingHandCursor);
    for (QWidget* widget : std::initializer_list<QWidget*>{listPictureButton, showAllButton, clearCacheButton,
                                                           helpButton, picturesFoundLabel}) {
        buttons->addWidget(widget);
    }
    buttons->addStretch();
    buttons->addWidget(homeLabel);

    cacheNoteLabel = named(new QLabel, "cacheNote");
    cacheNoteLabel->setWordWrap(true);
    cacheNoteLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cacheNoteLabel->setTextFormat(Qt::PlainText);
    cacheNoteLabel->hide();
    foundList = named(new QListWidget, "ListBox1");
    // It has neither caption nor hint; screen readers still need to say what it lists.
    foundList->setAccessibleName(QStringLiteral("Pictures found"));
    currentUrlEdit = named(new QLineEdit, "Edit1");
    currentUrlEdit->setReadOnly(true);
    auto* current = new QHBoxLayout;
    current->addWidget(new QLabel(QStringLiteral("Current Picture URL:")));
    current->addWidget(currentUrlEdit);
    auto* upper = new QWidget;
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->addLayout(filters);
    upperLayout->addLayout(buttons);
    upperLayout->addWidget(cacheNoteLabel);
    upperLayout->addWidget(foundList);
    upperLayout->addLayout(current);
    previewView = named(new QWebEngineView, "wb2");
    auto* splitter = named(new QSplitter(Qt::Vertical), "Splitter1");
    splitter->addWidget(upper);
    splitter->addWidget(previewView);
    auto* initialSelectedLayout = new QVBoxLayout(initialSelectedTab);
    initialSelectedLayout->addWidget(splitter);
    pageTabs->addTab(initialSelectedTab, QStringLiteral("Initial selected"));

    // "Show All"
    auto* showAllTab = named(new QWidget, "TabSheet2");
    auto* controls = new QHBoxLayout;
    widthSpin = limitSpin("SpinEdit1");
    heightSpin = limitSpin("SpinEdit2");
    sizeModeCombo = named(new QComboBox, "cbsize");
    sizeModeCombo->addItems(
        {QStringLiteral("lower limit"), QStringLiteral("upper limit"), QStringLiteral("exactly")});
    thumbnailCheck = named(new QCheckBox(QStringLiteral("Thumbnail")), "CheckBox5");
    thumbnailCheck->setToolTip(QStringLiteral("thumbnail view"));
    originSizeCheck = named(new QCheckBox(QStringLiteral("Origin Size")), "CheckBox6");
    filterButton = named(new QPushButton(QStringLiteral("Filter")), "Button4");
    saveButton = named(new QPushButton(QStringLiteral("Save")), "Button5");
    chooseFolderButton = named(new QToolButton, "SpeedButton1");
    chooseFolderButton->setText(QStringLiteral("..."));
    saveFolderEdit = named(new QLineEdit, "Edit2");
    saveFolderEdit->setReadOnly(true);
    controls->addWidget(new QLabel(QStringLiteral("Width:")));
    controls->addWidget(widthSpin);
    controls->addWidget(new QLabel(QStringLiteral("Height:")));
    controls->addWidget(heightSpin);
    controls->addWidget(sizeModeCombo);
    controls->addWidget(thumbnailCheck);
    controls->addWidget(originSizeCheck);
    controls->addWidget(filterButton);
    controls->addWidget(saveButton);
    auto* saveRow = new QHBoxLayout;
    saveRow->addWidget(new QLabel(QStringLiteral("Save directory:")));
    saveRow->addWidget(saveFolderEdit);
    saveRow->addWidget(chooseFolderButton);
    shownTabs = named(new QTabWidget, "PageControl2");
    shownView = named(new QWebEngineView, "wb1");
    pictureInformationMemo = named(new QPlainTextEdit, "Memo1");
    pictureInformationMemo->setReadOnly(true);
    shownTabs->addTab(shownView, QStringLiteral("View Picture"));
    shownTabs->addTab(pictureInformationMemo, QStringLiteral("Picture Information"));
    auto* showAllLayout = new QVBoxLayout(showAllTab);
    showAllLayout->addLayout(controls);
    showAllLayout->addLayout(saveRow);
    showAllLayout->addWidget(shownTabs);
    pageTabs->addTab(showAllTab, QStringLiteral("Show All"));

    // "Upgrade"
    auto* upgradeTab = named(new QWidget, "TabSheet3");
    autoUpgradeCheck = named(new QCheckBox(QStringLiteral("auto upgrade")), "autoUpgrade");
    upgradeNowButton = named(new QPushButton(QStringLiteral("Upgrade Now")), "updatebtn");
    auto* upgradeLayout = new QVBoxLayout(upgradeTab);
    upgradeLayout->addWidget(autoUpgradeCheck);
    upgradeLayout->addWidget(upgradeNowButton);
    upgradeLayout->addStretch();
    pageTabs->addTab(upgradeTab, QStringLiteral("Upgrade"));
}

}  // namespace vorlaken
