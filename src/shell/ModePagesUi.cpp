#include "shell/ModePagesUi.h"

#include <QGridLayout>
#include <QHBoxLayout>
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
    buildUrlPage(ui.modeTabs->widget(4));
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
    // The auto-click ways and the popup-window flow come with their own commands; until then their
    // buttons stay out of use.
    popupGetButton = button("btn11", QStringLiteral("4.Get"), false);
    popupSaveButton = button("btn12", QStringLiteral("5.Save"), false);
    popupSavedLabel = counter("Label120", QStringLiteral("Saved:0/0"));
    autoClickGetButton = button("clickbtn", QStringLiteral("Get"), false);
    autoClickSaveButton = button("saveclickbtn", QStringLiteral("Save"), false);
    autoClickSavedLabel = counter("Label118", QStringLiteral("Saved:0/0"));
    grid->addLayout(pairColumn(popupGetButton, popupSaveButton, popupSavedLabel), 0, 4, 4, 1);
    grid->addLayout(pairColumn(autoClickGetButton, autoClickSaveButton, autoClickSavedLabel), 0, 5, 4, 1);
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

void ModePagesUi::buildUrlPage(QWidget* sheet) {
    QGridLayout* grid = gridOf(sheet);
    urlPageGetButton = button("rrbtn", QStringLiteral("Get"), false);
    urlPageSaveButton = button("saverrbtn", QStringLiteral("Save"), false);
    urlPageSavedLabel = counter("Label116", QStringLiteral("Saved:0/0"));
    grid->addLayout(pairColumn(urlPageGetButton, urlPageSaveButton, urlPageSavedLabel), 0, 4, 4, 1);
}

}  // namespace vorlaken
