#include "shell/MainWindowUi.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QScrollArea>
#include <QVBoxLayout>

#include "shell/Skins.h"
#include "widgets/ComponentName.h"

namespace vorlaken {

namespace {

const QString kZeroHint = QStringLiteral("Condiction ignored if Zero");

QAction* action(QMenu* menu, const char* name, const QString& text, bool checkable = false) {
    QAction* item = menu->addAction(text);
    item->setObjectName(QLatin1String(name));
    item->setCheckable(checkable);
    return item;
}

QSpinBox* limitBox(const char* name) {
    auto* box = named(new QSpinBox, name, kZeroHint);
    box->setRange(0, 99999);
    box->setValue(80);
    return box;
}

QComboBox* list(const char* name, const QStringList& items, int index) {
    auto* box = named(new QComboBox, name);
    box->addItems(items);
    box->setCurrentIndex(index);
    return box;
}

// Text filters hold lower case only: every typed letter is lowered at once.
QLineEdit* filterBox(const char* name) {
    auto* edit = named(new QLineEdit, name);
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const QString lower = text.toLower();
        if (lower != text) {
            const int cursor = edit->cursorPosition();
            edit->setText(lower);
            edit->setCursorPosition(cursor);
        }
    });
    return edit;
}

QStringList sizeModes() {
    return {QStringLiteral("lower limit"), QStringLiteral("upper limit"), QStringLiteral("exactly")};
}

QWebEngineView* zone(const char* name) {
    auto* view = named(new QWebEngineView, name);
    view->setMinimumSize(40, 20);
    return view;
}

}  // namespace

void MainWindowUi::build(QMainWindow* window) {
    auto* central = named(new QWidget(window), "Panel1");
    window->setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(2, 2, 2, 2);
    outer->setSpacing(2);

    panelTabs = named(new QTabWidget, "PageControl1");
    panelTabs->tabBar()->hide();
    panelTabs->setDocumentMode(true);
    buildMainPage();
    buildOptionsPage();
    buildEnhancedPages();
    buildHelpPage();
    panelTabs->addTab(mainPage, QStringLiteral("Get"));
    panelTabs->addTab(optionsPage, QStringLiteral("Options"));
    panelTabs->addTab(enhancedPage, QStringLiteral("Enhanced"));
    panelTabs->addTab(helpPage, QStringLiteral("Help"));
    panelTabs->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    panelTabs->setFixedHeight(190);
    outer->addWidget(panelTabs);

    buildButtonBar(central);
    outer->addWidget(buttonBar);

    zoneSplitter = named(new QSplitter(Qt::Horizontal), "Splitter1");
    previewView = zone("wb1");
    commentPanel = named(new QWidget, "Panel2");
    auto* commentLayout = new QVBoxLayout(commentPanel);
    commentLayout->setContentsMargins(0, 0, 0, 0);
    commentView = zone("wb2");
    commentLayout->addWidget(commentView);
    zoneSplitter->addWidget(previewView);
    zoneSplitter->addWidget(commentPanel);
    zoneSplitter->setStretchFactor(0, 3);
    zoneSplitter->setStretchFactor(1, 1);
    outer->addWidget(zoneSplitter, 1);

    auto* bottom = named(new QWidget, "Panel3");
    auto* bottomLayout = new QHBoxLayout(bottom);
    bottomLayout->setContentsMargins(0, 0, 0, 0);
    welcomeView = zone("wbad");
    welcomeView->setFixedHeight(44);
    welcomeView->setContextMenuPolicy(Qt::PreventContextMenu);
    auto* labelPanel = named(new QWidget, "Panel4");
    auto* labelLayout = new QHBoxLayout(labelPanel);
    recommendLabel =
        named(new QLabel(QStringLiteral("Introduce this software to friends if it is useful")), "Label53");
    recommendLabel->setEnabled(false);
    labelLayout->addWidget(recommendLabel);
    bottomLayout->addWidget(welcomeView, 1);
    bottomLayout->addWidget(labelPanel);
    outer->addWidget(bottom);

    dragPanels = {mainPage, optionsPage, helpPage, labelPanel, buttonBar};
}

void MainWindowUi::showSkin(int skin) {
    // The main panel's own warm background would leave a desktop's (dark) colours unreadable on it.
    mainPage->setAutoFillBackground(skin != Skins::Desktop);
}

void MainWindowUi::buildMainPage() {
    mainPage = named(new QWidget, "TabSheet_get");
    // The main panel's background gradient; its start colour is the preview's background.
    mainPage->setAutoFillBackground(true);
    QPalette palette = mainPage->palette();
    QLinearGradient gradient(0, 0, 0, 190);
    gradient.setColorAt(0, QColor(0xFE, 0xF9, 0xED));
    gradient.setColorAt(1, QColor(0xF3, 0xE3, 0xBD));
    palette.setBrush(QPalette::Window, QBrush(gradient));
    mainPage->setPalette(palette);

    auto* grid = new QGridLayout(mainPage);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    titleCombo = named(new QComboBox, "cbtitle");
    titleCombo->setEditable(true);
    titleCombo->setInsertPolicy(QComboBox::NoInsert);
    locationEdit = named(new QLineEdit, "Edit2");
    locationEdit->setReadOnly(true);
    locationEdit->hide();
    lockTitleCheck = named(new QCheckBox(QStringLiteral("Lock")), "lockchk",
                           QStringLiteral("Do not change web page title even the webpage URL is changed"));
    grid->addWidget(new QLabel(QStringLiteral("Title:")), 0, 0);
    grid->addWidget(titleCombo, 0, 1, 1, 5);
    grid->addWidget(lockTitleCheck, 0, 6);
    grid->addWidget(locationEdit, 0, 7);

    widthSpin = limitBox("SpinEdit1");
    heightSpin = limitBox("SpinEdit2");
    sizeModeCombo = list("cbsize", sizeModes(), 0);
    grid->addWidget(new QLabel(QStringLiteral("Width:")), 1, 0);
    grid->addWidget(widthSpin, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Height:")), 1, 2);
    grid->addWidget(heightSpin, 1, 3);
    grid->addWidget(sizeModeCombo, 1, 4);

    urlIncludeEdit = filterBox("Edit3");
    urlExcludeEdit = filterBox("Edit4");
    grid->addWidget(new QLabel(QStringLiteral("URL include:")), 2, 0);
    grid->addWidget(urlIncludeEdit, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Exclude:")), 2, 2);
    grid->addWidget(urlExcludeEdit, 2, 3, 1, 2);
    linkIncludeEdit = filterBox("linkEdit1");
    linkExcludeEdit = filterBox("linkEdit2");
    grid->addWidget(new QLabel(QStringLiteral("Link include:")), 3, 0);
    grid->addWidget(linkIncludeEdit, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Exclude:")), 3, 2);
    grid->addWidget(linkExcludeEdit, 3, 3, 1, 2);

    mergeCheck = named(new QCheckBox(QStringLiteral("merge")), "CheckBox4",
                       QStringLiteral("Merge pictures from several webpages"));
    selectButton = named(new QPushButton(QStringLiteral("Select")), "selectbtn");
    selectMenu = named(new QMenu(selectButton), "selectPopupMenu");
    selectMenuWithLinks = action(selectMenu, "chkLink", QStringLiteral("Pictures with links"), true);
    selectMenuLinkNearBy = action(selectMenu, "nearbychk", QStringLiteral("Link near by"), true);
    selectButton->setMenu(selectMenu);
    selectButton->setMaximumWidth(110);
    grid->addWidget(mergeCheck, 4, 1);
    grid->addWidget(selectButton, 4, 3);

    getButton = named(new QPushButton(QStringLiteral("Get")), "getbtn");
    getButton->setEnabled(false);
    saveButton = named(new QPushButton(QStringLiteral("Save")), "savebtn");
    saveButton->setEnabled(false);
    saveMoreButton = named(new QPushButton, "savemorebtn");
    saveMoreButton->setFixedWidth(30);
    saveMenu = named(new QMenu(saveMoreButton), "savePopupMenu");
    saveMenuChooseFolder = action(saveMenu, "N28", QStringLiteral("Specify file folder to save pictures..."));
    saveMenuOpenFolder = action(saveMenu, "N29", QStringLiteral("Open local folder"));
    saveMenuRememberFolder = action(saveMenu, "N32", QStringLiteral("rember last folder"), true);
    saveMenuRememberFolder->setChecked(true);
    saveMoreButton->setMenu(saveMenu);
    getButton->setMinimumHeight(34);
    saveButton->setMinimumHeight(34);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(getButton);
    buttons->addWidget(saveButton);
    buttons->addWidget(saveMoreButton);
    grid->addLayout(buttons, 1, 6, 2, 2);

    totalLabel = named(new QLabel(QStringLiteral("Total:0")), "cLabel");
    savedLabel = named(new QLabel(QStringLiteral("Saved:0/0")), "Label3");
    QFont counter = totalLabel->font();
    counter.setBold(true);
    totalLabel->setFont(counter);
    grid->addWidget(totalLabel, 3, 6);
    grid->addWidget(savedLabel, 3, 7);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(3, 2);
    grid->setRowStretch(5, 1);
}

void MainWindowUi::buildOptionsPage() {
    optionsPage = named(new QWidget, "TabSheet_options");
    auto* grid = new QGridLayout(optionsPage);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setVerticalSpacing(3);

    skinCombo = list("cb1", Skins::names(), Skins::Vista);
    skinCombo->setToolTip(QStringLiteral("Please choose one skin"));
    grid->addWidget(new QLabel(QStringLiteral("Program skin:")), 0, 0);
    grid->addWidget(skinCombo, 0, 1);

    thumbnailCheck = named(new QCheckBox(QStringLiteral("thumbnail")), "chkhorizontal",
                           QStringLiteral("thumbnail preview"));
    thumbnailCheck->setChecked(true);
    originSizeCheck = named(new QCheckBox(QStringLiteral("origin size")), "CheckBox1",
                            QStringLiteral("Display pictures with origin size"));
    showSizeCheck = named(new QCheckBox(QStringLiteral("show size")), "whCheck",
                          QStringLiteral("Show or hide width and height"));
    showSizeCheck->setChecked(true);
    grid->addWidget(thumbnailCheck, 1, 0);
    grid->addWidget(originSizeCheck, 1, 1);
    grid->addWidget(showSizeCheck, 1, 2);

    specialProcessCheck =
        named(new QCheckBox(QStringLiteral("special process")), "inputchk",
              QStringLiteral("If you find the program can not fetch pictures from some webpages, you may "
                             "check this option and then click Get.  Note the option reduce program "
                             "efficiency."));
    localWebpageCheck =
        named(new QCheckBox(QStringLiteral("local webpage")), "savechk",
              QStringLiteral("Generate a local html file to show the  information of pictures"));
    localWebpageCheck->setChecked(true);
    zipPackageCheck = named(new QCheckBox(QStringLiteral("zip package")), "zipChk",
                            QStringLiteral("generate a zip file which  combine all  files of picture."));
    grid->addWidget(specialProcessCheck, 2, 0);
    grid->addWidget(localWebpageCheck, 2, 1);
    grid->addWidget(zipPackageCheck, 2, 2);

    forceExtensionCheck = named(new QCheckBox(QStringLiteral("force extension")), "extchk",
                                QStringLiteral("force using the default picture file name extension "));
    forceExtensionCheck->setChecked(true);
    autoRecogniseCheck =
        named(new QCheckBox(QStringLiteral("auto recognise")), "autoextchk",
              QStringLiteral("auto recognise picture type and add correct extension to the file name"));
    autoRecogniseCheck->setChecked(true);
    defaultExtCombo = list(
        "cbext",
        {QStringLiteral(".jpg"), QStringLiteral(".gif"), QStringLiteral(".png"), QStringLiteral(".bmp")}, 0);
    grid->addWidget(forceExtensionCheck, 3, 0);
    grid->addWidget(autoRecogniseCheck, 3, 1);
    grid->addWidget(new QLabel(QStringLiteral("Default Ext:")), 3, 2);
    grid->addWidget(defaultExtCombo, 3, 3);

    namedRuleCombo = list("cb2",
                          {QStringLiteral("Picture name"), QStringLiteral("Number+Name"),
                           QStringLiteral("Number"), QStringLiteral("DateTime+Number")},
                          2);
    subFolderCombo = list("cb3",
                          {QStringLiteral("Do not create"), QStringLiteral("Web page title"),
                           QStringLiteral("Web site domain"), QStringLiteral("Domain+Title")},
                          3);
    grid->addWidget(new QLabel(QStringLiteral("Named rule:")), 4, 0);
    grid->addWidget(namedRuleCombo, 4, 1);
    grid->addWidget(new QLabel(QStringLiteral("Create sub folder:")), 4, 2);
    grid->addWidget(subFolderCombo, 4, 3);

    fileNamePrefixEdit = named(new QLineEdit, "Edit1", QStringLiteral("file name prefix"));
    grid->addWidget(new QLabel(QStringLiteral("File name prefix:")), 5, 0);
    grid->addWidget(fileNamePrefixEdit, 5, 1);
    categoryEditorLabel = named(new ClickableLabel(QStringLiteral("Picture Category Set")), "Label106");
    grid->addWidget(categoryEditorLabel, 5, 2);

    hideOriginContentCheck =
        named(new QCheckBox(
                  QStringLiteral("do not show origin content while displaying pictures on orgin webpage")),
              "noorgChk",
              QStringLiteral(
                  "Wheather show origin content  when you click  \"display pictures on orgin webpage\""));
    grid->addWidget(hideOriginContentCheck, 6, 0, 1, 4);
    largestVersionCheck = named(
        new QCheckBox(QStringLiteral("largest version")), "largestChk",
        QStringLiteral(
            "Take the largest version a picture offers (srcset) instead of the one shown on the screen"));

    showToolbarIconLabel = named(
        new ClickableLabel(QStringLiteral("Display an icon on IE toolbar band(Recommend)")), "ieLabel1");
    hideToolbarIconLabel =
        named(new ClickableLabel(QStringLiteral("Don't display an icon on IE toolbar band")), "ielabel2");
    grid->addWidget(showToolbarIconLabel, 7, 0, 1, 2);
    grid->addWidget(hideToolbarIconLabel, 7, 2, 1, 2);
    ownSizeCheck =
        named(new QCheckBox(QStringLiteral("own size")), "ownSizeChk",
              QStringLiteral("Measure pictures by their own pixel size instead of the size they are "
                             "shown at on the page"));
    grid->addWidget(largestVersionCheck, 8, 0, 1, 2);
    grid->addWidget(ownSizeCheck, 8, 2, 1, 2);
    grid->setRowStretch(9, 1);
}

void MainWindowUi::buildEnhancedPages() {
    enhancedPage = named(new QWidget, "TabSheet_add");
    auto* layout = new QHBoxLayout(enhancedPage);
    layout->setContentsMargins(4, 4, 4, 4);

    modeTabs = named(new QTabWidget, "PageControl11");
    modeTabs->tabBar()->hide();
    const char* sheets[] = {"TabSheet0", "TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
    // The pages' own controls are laid into these grids by ModePagesUi. A page wider than the room
    // beside the filter panel scrolls instead of widening the window.
    for (int i = 0; i < 5; ++i) {
        auto* sheet = named(new QWidget, sheets[i]);
        auto* sheetOuter = new QVBoxLayout(sheet);
        sheetOuter->setContentsMargins(0, 0, 0, 0);
        auto* scroll = new QScrollArea;
        scroll->setFrameShape(QFrame::NoFrame);
        // The page's controls take the focus, and the area scrolls to the one that has it.
        scroll->setFocusPolicy(Qt::NoFocus);
        scroll->setWidgetResizable(true);
        auto* content = new QWidget;
        auto* sheetLayout = new QGridLayout(content);
        sheetLayout->setContentsMargins(4, 2, 4, 2);
        scroll->setWidget(content);
        sheetOuter->addWidget(scroll);
        if (i == 4) {
            // Made here because the settings bind them; the URL page lays them out.
            replaceFromEdit = named(new QLineEdit(QStringLiteral("/thumb/")), "Edit6");
            replaceWithEdit = named(new QLineEdit(QStringLiteral("/")), "Edit7");
        }
        modeTabs->addTab(sheet, QString::number(i));
    }
    layout->addWidget(modeTabs, 1);

    enhancedFilterPanel =
        named(new QGroupBox(QStringLiteral("Filter condiction in enhanced mode:")), "Panel15");
    auto* grid = new QGridLayout(enhancedFilterPanel);
    enhancedWidthSpin = limitBox("SpinEdit12");
    enhancedHeightSpin = limitBox("spinedit22");
    enhancedSizeModeCombo = list("cbsize2", sizeModes(), 0);
    grid->addWidget(new QLabel(QStringLiteral("W")), 0, 0);
    grid->addWidget(enhancedWidthSpin, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("H")), 0, 2);
    grid->addWidget(enhancedHeightSpin, 0, 3);
    grid->addWidget(enhancedSizeModeCombo, 0, 4);
    enhancedUrlIncludeEdit = filterBox("Edit32");
    enhancedUrlExcludeEdit = filterBox("edit42");
    enhancedLinkIncludeEdit = filterBox("linkEdit12");
    enhancedLinkExcludeEdit = filterBox("linkEdit22");
    grid->addWidget(new QLabel(QStringLiteral("URL include:")), 1, 0);
    grid->addWidget(enhancedUrlIncludeEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Exclude:")), 1, 2);
    grid->addWidget(enhancedUrlExcludeEdit, 1, 3, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Link include:")), 2, 0);
    grid->addWidget(enhancedLinkIncludeEdit, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Exclude:")), 2, 2);
    grid->addWidget(enhancedLinkExcludeEdit, 2, 3, 1, 2);
    // The filter panel keeps to its smallest size; the room beside it is the mode pages'.
    enhancedFilterPanel->setMaximumWidth(enhancedFilterPanel->minimumSizeHint().width());
    layout->addWidget(enhancedFilterPanel, 0);
}

void MainWindowUi::buildHelpPage() {
    helpPage = named(new QWidget, "TabSheet_help");
    auto* layout = new QVBoxLayout(helpPage);
    auto* panel = named(new QWidget, "PanelHelp");
    auto* row = new QHBoxLayout(panel);
    autoUpgradeCheck = named(new QCheckBox(QStringLiteral("auto upgrade")), "chkupgrade",
                             QStringLiteral("auto upgrade or not"));
    autoUpgradeCheck->setChecked(true);
    upgradeNowLabel = named(new ClickableLabel(QStringLiteral("Upgrade Now")), "Label59");
    helpDemoLabel = named(new ClickableLabel(QStringLiteral("Help & Demo")), "Label11");
    row->addWidget(helpDemoLabel);
    row->addStretch(1);
    row->addWidget(autoUpgradeCheck);
    row->addWidget(upgradeNowLabel);
    layout->addWidget(new QLabel(QStringLiteral("Vorlaken 8.1")));
    layout->addWidget(panel);
    layout->addStretch(1);
    dragPanels.append(panel);
}

void MainWindowUi::buildButtonBar(QWidget* parent) {
    buttonBar = named(new QWidget(parent), "Panel6");
    auto* row = new QHBoxLayout(buttonBar);
    row->setContentsMargins(2, 0, 2, 0);
    mainPanelButton =
        named(new QPushButton(QStringLiteral("Main")), "button1", QStringLiteral("show main panel"));
    optionsPanelButton =
        named(new QPushButton(QStringLiteral("Options")), "button3", QStringLiteral("show options panel"));
    helpPanelButton =
        named(new QPushButton(QStringLiteral("?")), "button4", QStringLiteral("show help panel"));
    enhancedButton = named(new QPushButton(QStringLiteral("Enhanced")), "button2");
    enhancedMenu = named(new QMenu(enhancedButton), "PopupMenu3");
    const char* names[] = {"N3", "N4", "N5", "N6", "N7"};
    const QString captions[] = {
        QStringLiteral("Get Pictures from Multipage"), QStringLiteral("Get Pictures at Intervals"),
        QStringLiteral("Get Pictures by Auto Click"), QStringLiteral("Get Pictures from IE Cahce"),
        QStringLiteral("Get Pictures from URL")};
    for (int i = 0; i < 5; ++i) {
        enhancedMenuModes[i] = action(enhancedMenu, names[i], captions[i], true);
        enhancedMenuModes[i]->setData(i);
    }
    enhancedMenu->addSeparator()->setObjectName(QStringLiteral("N8"));
    enhancedMenuClearResult = action(enhancedMenu, "N9", QStringLiteral("Clear Result"));
    enhancedMenu->addSeparator()->setObjectName(QStringLiteral("N26"));
    enhancedMenuFilterPanel =
        action(enhancedMenu, "n51", QStringLiteral("Show/Hide Enhanced Filter Panel"), true);
    enhancedMenuFilterPanel->setChecked(true);
    enhancedButton->setMenu(enhancedMenu);
    row->addWidget(mainPanelButton);
    row->addWidget(optionsPanelButton);
    row->addWidget(enhancedButton);
    row->addWidget(helpPanelButton);
    row->addStretch(1);
}

}  // namespace vorlaken
