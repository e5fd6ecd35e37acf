#include "shell/ModePagesUi.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "shell/MainWindowUi.h"
#include "widgets/ComponentName.h"

namespace vorlaken {

namespace {

QSpinBox* secondsBox(const char* name, int value, int low, int high) {
    auto* box = named(new QSpinBox, name);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QLabel* counter(const char* name, const QString& text) {
    return named(new QLabel(text), name);
}

QPushButton* button(const char* name, const QString& caption, bool enabled) {
    auto* b = named(new QPushButton(caption), name);
    b->setEnabled(enabled);
    b->setMinimumHeight(28);
    b->setMaximumWidth(72);
    return b;
}

// The grid the main window's layout made in a mode page.
QGridLayout* gridOf(QWidget* sheet) {
    return sheet->findChild<QGridLayout*>();
}

// A Get/Save pair with the Save button's counter under it, in a column of its own.
QVBoxLayout* pairColumn(QPushButton* get, QPushButton* save, QLabel* saved) {
    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(get);
    column->addWidget(save);
    column->addWidget(saved);
    column->addStretch(1);
    return column;
}

}  // namespace

void ModePagesUi::build(MainWindowUi& ui) {
    buildMultipage(ui.modeTabs->widget(0));
    buildInterval(ui.modeTabs->widget(1));
    buildAutoClick(ui.modeTabs->widget(2));
    buildBrowserCache(ui.modeTabs->widget(3));
    buildUrlPage(ui.modeTabs->widget(4), ui);
}

void ModePagesUi::buildMultipage(QWidget* sheet) {
    QGridLayout* grid = gridOf(sheet);
    urlListStepLabel = named(new ClickableLabel(QStringLiteral("1.Get URL")), "Label64");
    runStepLabel = named(new ClickableLabel(QStringLiteral("2.Get Pics")), "Label65");
    grid->setVerticalSpacing(2);
    auto* steps = new QHBoxLayout;
    steps->setSpacing(16);
    steps->addWidget(urlListStepLabel);
    steps->addWidget(runStepLabel);
    steps->addStretch(1);
    grid->addLayout(steps, 0, 0, 1, 2);

    stepsNotebook = named(new QStackedWidget, "Notebook2");
    auto* listPage = new QWidget;
    auto* listGrid = new QGridLayout(listPage);
    listGrid->setContentsMargins(0, 0, 0, 0);
    urlList = named(new QPlainTextEdit, "urlMemo", QStringLiteral("Please input all webpage URLs here"));
    urlList->setLineWrapMode(QPlainTextEdit::NoWrap);
    dropZone = named(new DropPanel(QStringLiteral("Drag webpage hyperlink and drop here")), "dropPanel",
                     QStringLiteral("Please drag webpage hyperlink and drop here to get link URLs"));
    dropZone->setFixedHeight(36);
    includeItselfCheck = named(new QCheckBox(QStringLiteral("include itself")), "chkInclude",
                               QStringLiteral("Whether include current webpage URL or not"));
    scriptLinksCheck = named(new QCheckBox(QStringLiteral("jscript link")), "chkjs",
                             QStringLiteral("Include Javascript Link"));
    linkToPictureLabel = named(new ClickableLabel(QStringLiteral("link to a picture?")), "Label49",
                               QStringLiteral("Each URL is a true picture URL and not a  webpage."));
    pictureLinksLabel =
        named(new ClickableLabel(QStringLiteral("picture links are webpage URLs")), "Label63",
              QStringLiteral("If each picture link to a webpage which display the big picture"));
    linkFinderLabel = named(new ClickableLabel(QStringLiteral("webpage link finder")), "Label45",
                            QStringLiteral("run a program to find hyperlinks of a webpage"));
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(includeItselfCheck);
    boxes->addWidget(scriptLinksCheck);
    boxes->addStretch(1);
    urlList->setMinimumWidth(110);
    listGrid->addWidget(urlList, 0, 0, 5, 1);
    listGrid->addWidget(dropZone, 0, 1);
    listGrid->addLayout(boxes, 1, 1);
    listGrid->addWidget(linkToPictureLabel, 2, 1);
    listGrid->addWidget(pictureLinksLabel, 3, 1);
    listGrid->addWidget(linkFinderLabel, 4, 1);
    listGrid->setColumnStretch(0, 3);
    listGrid->setColumnStretch(1, 2);
    listGrid->setVerticalSpacing(2);
    listGrid->setHorizontalSpacing(6);

    auto* runPage = new QWidget;
    auto* runGrid = new QGridLayout(runPage);
    runGrid->setContentsMargins(0, 0, 0, 0);
    runGrid->setVerticalSpacing(2);
    displayTimeSpin = secondsBox("aaSpinEdit", 10, 5, 600);
    navigateBackCheck = named(new QCheckBox(QStringLiteral("time to navigate back")), "CheckBox5",
                              QStringLiteral("valid only checked"));
    backTimeSpin = secondsBox("aaSpinEdit2", 3, 1, 300);
    testModeCheck = named(new QCheckBox(QStringLiteral("test mode")), "aachk2",
                          QStringLiteral("Get pictures from one URL for test"));
    multipageStopCheck = named(new QCheckBox(QStringLiteral("stop")), "aachk");
    multipageCountLabel = counter("aaLabel", QStringLiteral("Get:0"));
    multipagePositionLabel = counter("aalabel2", QStringLiteral("Urls:/0"));
    runGrid->addWidget(new QLabel(QStringLiteral("display time of each page:")), 0, 0);
    runGrid->addWidget(displayTimeSpin, 0, 1);
    runGrid->addWidget(new QLabel(QStringLiteral("sec.")), 0, 2);
    runGrid->addWidget(navigateBackCheck, 1, 0);
    runGrid->addWidget(backTimeSpin, 1, 1);
    runGrid->addWidget(new QLabel(QStringLiteral("sec.")), 1, 2);
    runGrid->addWidget(testModeCheck, 2, 0);
    runGrid->addWidget(multipageStopCheck, 2, 1);
    runGrid->addWidget(multipageCountLabel, 3, 0);
    runGrid->addWidget(multipagePositionLabel, 3, 1);
    runGrid->setRowStretch(4, 1);
    runGrid->setColumnStretch(3, 1);

    stepsNotebook->addWidget(listPage);
    stepsNotebook->addWidget(runPage);
    grid->addWidget(stepsNotebook, 1, 0, 3, 4);

    multipageGetButton = button("aabtn", QStringLiteral("Get"), true);
    multipageSaveButton = button("saveaaBtn", QStringLiteral("Save"), false);
    multipageSavedLabel = counter("label119", QStringLiteral("Saved:0/0"));
    grid->addLayout(pairColumn(multipageGetButton, multipageSaveButton, multipageSavedLabel), 0, 4, 4, 1);

    // The scratch page of the drop handler is never shown.
    scratchView = named(new QWebEngineView, "wb222");
    scratchView->setParent(sheet);
    scratchView->hide();
}

void ModePagesUi::buildInterval(QWidget* sheet) {
    QGridLayout* grid = gridOf(sheet);
    intervalHelpLabel = named(
        new QLabel(QStringLiteral(
            "Some webpages show pictures automaticly in a fixed interval. Please specify a interval equal or "
            "below the interval. Cick Get and wait.  You can stop the work after you get all pictures.")),
        "Label29");
    intervalHelpLabel->setWordWrap(true);
    intervalEdit =
        named(new QLineEdit(QStringLiteral("5")), "Edit5", QStringLiteral("precision 0.1 seconds"));
    intervalEdit->setMaximumWidth(80);
    intervalStopCheck = named(new QCheckBox(QStringLiteral("stop")), "stopcc");
    intervalCountLabel = counter("ccLabel", QStringLiteral("Get pictures:0"));
    grid->addWidget(intervalHelpLabel, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Get Interval:")), 1, 0);
    grid->addWidget(intervalEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Sec.")), 1, 2);
    grid->addWidget(intervalStopCheck, 2, 0);
    grid->addWidget(intervalCountLabel, 2, 1, 1, 2);

    intervalGetButton = button("ccbtn", QStringLiteral("Get"), true);
    intervalSaveButton = button("saveccbtn", QStringLiteral("Save"), false);
    intervalSavedLabel = counter("Label117", QStringLiteral("Saved:0/0"));
    grid->addLayout(pairColumn(intervalGetButton, intervalSaveButton, intervalSavedLabel), 0, 4, 4, 1);
}

void ModePagesUi::buildAutoClick(QWidget* sheet) {
    QGridLayout* grid = gridOf(sheet);
    grid->setVerticalSpacing(2);
    auto* stepPanel = named(new QWidget, "Panel9");
    auto* steps = new QHBoxLayout(stepPanel);
    steps->setContentsMargins(0, 0, 0, 0);
    steps->setSpacing(16);
    waysStepLabel = named(new ClickableLabel(QStringLiteral("1.Way of click")), "Label71");
    clickRunStepLabel = named(new ClickableLabel(QStringLiteral("2.Get pictures")), "Label72");
    steps->addWidget(waysStepLabel);
    steps->addWidget(clickRunStepLabel);
    steps->addStretch(1);
    grid->addWidget(stepPanel, 0, 0, 1, 4);

    clickStepsNotebook = named(new QStackedWidget, "Notebook3");
    clickStepsNotebook->addWidget(buildWayPages());
    clickStepsNotebook->addWidget(buildClickRunPage());
    grid->addWidget(clickStepsNotebook, 1, 0, 3, 4);
    grid->setColumnStretch(0, 1);

    autoClickGetButton = button("clickbtn", QStringLiteral("Get"), true);
    autoClickSaveButton = button("saveclickbtn", QStringLiteral("Save"), false);
    autoClickSavedLabel = counter("Label118", QStringLiteral("Saved:0/0"));
    grid->addLayout(pairColumn(autoClickGetButton, autoClickSaveButton, autoClickSavedLabel), 0, 5, 4, 1);
}

QWidget* ModePagesUi::buildWayPages() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    auto* wayPanel = named(new QWidget, "Panel10");
    auto* column = new QVBoxLayout(wayPanel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    ways = new QButtonGroup(wayPanel);
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
    } kWays[] = {
        {"RadioButton1", "from big to  big", "click a big picture and then show next big picture"},
        {"RadioButton2", "from smalll to big",
         "click a small picture and then display the big picture of it"},
        {"RadioButton3", "click fixed links",
         "Each time you click a hyperlink to show a big picture. The text or image of hyper link is same."},
        {"RadioButton4", "popup a window",
         "You click a picture and then popup a window to show the big picture"},
        {"RadioButton5", "keyboard navigate", "press keys like right cursor key goto next page"},
    };
    for (int i = 0; i < 5; ++i) {
        auto* radio = named(new QRadioButton(QString::fromLatin1(kWays[i].caption)), kWays[i].name,
                            QString::fromLatin1(kWays[i].hint));
        radio->setChecked(i == 0);
        ways->addButton(radio, i + 1);
        column->addWidget(radio);
    }
    column->addStretch(1);
    row->addWidget(wayPanel);

    wayPages = named(new QStackedWidget, "Notebook4");
    auto* bigPage = new QWidget;
    auto* bigColumn = new QVBoxLayout(bigPage);
    bigColumn->setContentsMargins(0, 0, 0, 0);
    auto* bigText = named(
        new QLabel(QStringLiteral(
            "For example, you click a picture on webpage A, and then the web browser navigate to webpage B "
            "to "
            "show another picture. You clcik the picture on webpage B and then navigate to webpage C to show "
            "the third picture...")),
        "Label39");
    bigText->setWordWrap(true);
    bigColumn->addWidget(bigText);
    bigColumn->addStretch(1);
    wayPages->addWidget(bigPage);

    auto* smallPage = new QWidget;
    auto* smallGrid = new QGridLayout(smallPage);
    smallGrid->setContentsMargins(0, 0, 0, 0);
    smallGrid->setVerticalSpacing(2);
    smallGrid->addWidget(
        named(new QLabel(QStringLiteral("Please tell the URLs of small pictures.")), "Label73"), 0, 0);
    smallPictureList = named(new QPlainTextEdit, "spicMemo");
    smallPictureList->setLineWrapMode(QPlainTextEdit::NoWrap);
    smallPictureList->setAccessibleName(QStringLiteral("URLs of small pictures"));
    fillSmallPicturesLabel =
        named(new ClickableLabel(QStringLiteral("Fill with URLs of current got pictures")), "Label74");
    smallGrid->addWidget(smallPictureList, 1, 0);
    smallGrid->addWidget(fillSmallPicturesLabel, 2, 0);
    wayPages->addWidget(smallPage);

    wayPages->addWidget(buildFixedLinkPage());
    wayPages->addWidget(buildPopupPage());

    auto* keyPage = new QWidget;
    auto* keyGrid = new QGridLayout(keyPage);
    keyGrid->setContentsMargins(0, 0, 0, 0);
    keyGrid->setVerticalSpacing(2);
    auto* keyText = named(new QLabel(QStringLiteral(
                              "press a certain key to navigate to next page, such as right cursor key, c")),
                          "Label60");
    keyText->setWordWrap(true);
    navigateKeyEdit = named(new QLineEdit, "charedit");
    navigateKeyEdit->setMaximumWidth(60);
    keyCodeEdit = named(new QLineEdit(QStringLiteral("39")), "charedit2");
    keyCodeEdit->setMaximumWidth(60);
    keyGrid->addWidget(keyText, 0, 0, 1, 2);
    keyGrid->addWidget(new QLabel(QStringLiteral("press the navigate key:")), 1, 0);
    keyGrid->addWidget(navigateKeyEdit, 1, 1);
    keyGrid->addWidget(new QLabel(QStringLiteral("or input the ascii code:")), 2, 0);
    keyGrid->addWidget(keyCodeEdit, 2, 1);
    keyGrid->setRowStretch(3, 1);
    keyGrid->setColumnStretch(2, 1);
    wayPages->addWidget(keyPage);

    row->addWidget(wayPages, 1);
    return page;
}

QWidget* ModePagesUi::buildFixedLinkPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    fixedLinkEdit = named(new QComboBox, "linkEdit", QStringLiteral("reference values"));
    fixedLinkEdit->setEditable(true);
    fixedLinkEdit->setInsertPolicy(QComboBox::NoInsert);
    fixedLinkEdit->setMinimumWidth(140);
    grid->addWidget(fixedLinkEdit, 0, 0, 1, 2);
    fixedLinkKinds = new QButtonGroup(page);
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
    } kKinds[] = {
        {"r21", "text hyperlink", "such as \"next page\", \"previous page\""},
        {"r22", "image hyperlink", "Such an images which draw a label \"next page\""},
        {"r23", "jscript hyperlink", "Such as: javascript:doNextPage()"},
        {"r24", "image input element", "An image hyperlink act as a  form input element. It's rare."},
    };
    for (int i = 0; i < 4; ++i) {
        auto* radio = named(new QRadioButton(QString::fromLatin1(kKinds[i].caption)), kKinds[i].name,
                            QString::fromLatin1(kKinds[i].hint));
        radio->setChecked(i == 0);
        fixedLinkKinds->addButton(radio, i);
        grid->addWidget(radio, 1 + i / 2, i % 2);
    }
    viewCodeCheck =
        named(new QCheckBox(QStringLiteral("view code")), "chkcode", QStringLiteral("view HTML code"));
    codeIncludeEdit = named(new QLineEdit, "Edit8", QStringLiteral("html code include"));
    codeExcludeEdit = named(new QLineEdit, "Edit9", QStringLiteral("html code exclude"));
    auto* code = new QHBoxLayout;
    code->addWidget(viewCodeCheck);
    code->addWidget(new QLabel(QStringLiteral("include:")));
    code->addWidget(codeIncludeEdit);
    code->addWidget(new QLabel(QStringLiteral("exclude:")));
    code->addWidget(codeExcludeEdit);
    grid->addLayout(code, 3, 0, 1, 3);
    referenceValuesLabel = named(new ClickableLabel(QStringLiteral("reference values")), "Label50",
                                 QStringLiteral("show reference values"));
    hideReferenceLabel = named(new ClickableLabel(QStringLiteral("hide")), "Label79",
                               QStringLiteral("hide  the window of reference values"));
    invisibleLabel =
        named(new ClickableLabel(QStringLiteral("invisible?")), "Label75",
              QStringLiteral("if you can not see images, click me and then show reference values again"));
    auto* tools = new QHBoxLayout;
    tools->addWidget(referenceValuesLabel);
    tools->addWidget(hideReferenceLabel);
    tools->addWidget(invisibleLabel);
    tools->addStretch(1);
    grid->addLayout(tools, 0, 2);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(2, 1);
    return page;
}

QWidget* ModePagesUi::buildPopupPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    grid->addWidget(named(new QLabel(QStringLiteral(
                              "Click a small picture and then popup a new window to display big one.")),
                          "Label89"),
                    0, 0, 1, 4);
    smallPicturesStepLabel = named(new ClickableLabel(QStringLiteral("1.Get small pictures")), "Label91");
    bigUrlsStepLabel = named(new ClickableLabel(QStringLiteral("2.Get URLs of big pictures")), "Label92");
    displayStepLabel =
        named(new ClickableLabel(QStringLiteral("3.Display big pictures on origin webpage")), "Label93");
    displayStepLabel->setEnabled(false);
    popupGetButton = button("btn11", QStringLiteral("4.Get"), false);
    popupSaveButton = button("btn12", QStringLiteral("5.Save"), false);
    popupFoundLabel = counter("Label88", QStringLiteral("find:0"));
    popupGetLabel = counter("Label102", QStringLiteral("Get:0"));
    showBigUrlsLabel = named(new ClickableLabel(QStringLiteral("show")), "Label103",
                             QStringLiteral("show URLs of big pictures"));
    hideBigUrlsLabel = named(new ClickableLabel(QStringLiteral("hide")), "Label104", QStringLiteral("hide"));
    copyBigUrlsLabel = named(new ClickableLabel(QStringLiteral("copy")), "Label105",
                             QStringLiteral("copy URLs of big pictures to clipboard"));
    for (QWidget* tool : {static_cast<QWidget*>(showBigUrlsLabel), static_cast<QWidget*>(hideBigUrlsLabel),
                          static_cast<QWidget*>(copyBigUrlsLabel)})
        tool->setEnabled(false);
    popupSavedLabel = counter("Label120", QStringLiteral("Saved:0/0"));
    bigUrlList = named(new QPlainTextEdit, "Memo3");
    bigUrlList->setParent(page);
    bigUrlList->hide();
    grid->addWidget(smallPicturesStepLabel, 1, 0, 1, 2);
    grid->addWidget(bigUrlsStepLabel, 2, 0, 1, 2);
    grid->addWidget(popupFoundLabel, 2, 2);
    auto* tools = new QHBoxLayout;
    tools->addWidget(showBigUrlsLabel);
    tools->addWidget(hideBigUrlsLabel);
    tools->addWidget(copyBigUrlsLabel);
    grid->addLayout(tools, 2, 3);
    grid->addWidget(displayStepLabel, 3, 0, 1, 4);
    grid->addWidget(popupGetButton, 4, 0);
    grid->addWidget(popupGetLabel, 4, 1);
    grid->addWidget(popupSaveButton, 5, 0);
    grid->addWidget(popupSavedLabel, 5, 1);
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(4, 1);
    return page;
}

QWidget* ModePagesUi::buildClickRunPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(2);
    clickTimesSpin = secondsBox("SpinEdit3", 1, 1, 999);
    clickIntervalSpin = secondsBox("SpinEdit4", 8, 1, 60);
    clickTestModeCheck = named(new QCheckBox(QStringLiteral("test mode")), "CheckBox2",
                               QStringLiteral("click once to see what happend"));
    clickNavigateBackCheck =
        named(new QCheckBox(QStringLiteral("navigate back when work done")), "chkclickgoback",
              QStringLiteral("whether navigate back to the start URL when work done"));
    clickStopCheck = named(new QCheckBox(QStringLiteral("stop")), "CheckBox3");
    clickCountLabel = counter("clickLabel", QStringLiteral("Get Pictures:0"));
    clickPositionLabel = counter("clickLabel2", QStringLiteral("Click:0/0"));
    grid->addWidget(new QLabel(QStringLiteral("click times")), 0, 0);
    grid->addWidget(clickTimesSpin, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("click interval:")), 1, 0);
    grid->addWidget(clickIntervalSpin, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Sec.")), 1, 2);
    grid->addWidget(clickTestModeCheck, 2, 0);
    grid->addWidget(clickNavigateBackCheck, 2, 1, 1, 2);
    grid->addWidget(clickStopCheck, 3, 0);
    grid->addWidget(clickCountLabel, 4, 0);
    grid->addWidget(clickPositionLabel, 4, 1);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(3, 1);
    return page;
}

void ModePagesUi::buildBrowserCache(QWidget* sheet) {
    QGridLayout* grid = gridOf(sheet);
    cacheHeadingLabel = named(new QLabel(QStringLiteral("Extract pictures from IE Cache.")), "Label33");
    cacheFlashLabel = named(
        new QLabel(QStringLiteral("You can get pictures from webpages of  flash or  flash slideshow..")),
        "Label68");
    cacheFlashLabel->setWordWrap(true);
    cacheViewerLabel = named(new ClickableLabel(QStringLiteral("Tidewell")), "Label34");
    grid->addWidget(cacheHeadingLabel, 0, 0, 1, 3);
    grid->addWidget(cacheViewerLabel, 1, 0);
    grid->addWidget(cacheFlashLabel, 2, 0, 1, 3);
}

void ModePagesUi::buildUrlPage(QWidget* sheet, MainWindowUi& ui) {
    QGridLayout* grid = gridOf(sheet);
    grid->setVerticalSpacing(2);
    grid->addWidget(
        named(new QLabel(QStringLiteral("Turn URLs of small picture into URLs of big ones:")), "Label78"), 0,
        0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Replace")), 1, 0);
    replaceFromEdit = ui.replaceFromEdit;
    replaceWithEdit = ui.replaceWithEdit;
    grid->addWidget(replaceFromEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("with")), 1, 2);
    grid->addWidget(replaceWithEdit, 1, 3);
    replaceList = named(new QPlainTextEdit, "replaceMemo");
    replaceList->setLineWrapMode(QPlainTextEdit::NoWrap);
    replaceList->setAccessibleName(QStringLiteral("Picture URLs"));
    replaceLabel = named(new ClickableLabel(QStringLiteral("replace")), "Label84");
    currentUrlsLabel = named(new ClickableLabel(QStringLiteral("current URLs")), "Label85",
                             QStringLiteral("fill in current picture URLs"));
    onclickUrlsLabel = named(new ClickableLabel(QStringLiteral("onclick URLs")), "Label87",
                             QStringLiteral("get URLs from onclick javascript code"));
    builderLabel = named(new ClickableLabel(QStringLiteral("URLs builder")), "Label61");
    displayUrlsLabel = named(
        new ClickableLabel(QStringLiteral("Display pictures by URLs")), "Label86",
        QStringLiteral(
            "After you get the URLs of big pictures, you can display the big pictures on origin webpage"));
    urlPageCountLabel = counter("Label94", QStringLiteral("Get pictures:0"));
    auto* tools = new QVBoxLayout;
    tools->setSpacing(2);
    tools->addWidget(replaceLabel);
    tools->addWidget(currentUrlsLabel);
    tools->addWidget(onclickUrlsLabel);
    tools->addWidget(builderLabel);
    tools->addWidget(displayUrlsLabel);
    tools->addWidget(named(new QLabel(QStringLiteral("Picture URLs >>>")), "Label67"));
    tools->addWidget(urlPageCountLabel);
    tools->addStretch(1);
    grid->addWidget(replaceList, 2, 0, 2, 2);
    grid->addLayout(tools, 2, 2, 2, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);

    urlPageGetButton = button("rrbtn", QStringLiteral("Get"), true);
    urlPageSaveButton = button("saverrbtn", QStringLiteral("Save"), false);
    urlPageSavedLabel = counter("Label116", QStringLiteral("Saved:0/0"));
    grid->addLayout(pairColumn(urlPageGetButton, urlPageSaveButton, urlPageSavedLabel), 0, 4, 4, 1);
}

}  // namespace vorlaken
