#include "shell/ModesBinding.h"

#include <QSignalBlocker>

#include "modes/AutoClickSteps.h"
#include "modes/ModesState.h"
#include "shell/MainWindowUi.h"
#include "shell/ModePagesUi.h"

namespace vorlaken {

namespace {

void underline(QLabel* label, bool on) {
    QFont font = label->font();
    if (font.underline() != on) {
        font.setUnderline(on);
        label->setFont(font);
    }
}

// The caption of a run's "stop" box is red while the run goes on.
void runningLook(QCheckBox* stop, bool running) {
    stop->setStyleSheet(running ? QStringLiteral("QCheckBox { color: red; }") : QString());
}

void setText(QLabel* label, const QString& text) {
    if (label->text() != text)
        label->setText(text);
}

void setList(QPlainTextEdit* memo, const QString& text) {
    if (memo->toPlainText() != text)
        memo->setPlainText(text);
}

void writeAutoClickShown(const AutoClickState& page, ModePagesUi& pages) {
    pages.clickStepsNotebook->setCurrentIndex(page.step);
    underline(pages.waysStepLabel, page.step == 0);
    underline(pages.clickRunStepLabel, page.step == 1);
    pages.wayPages->setCurrentIndex(int(page.way) - 1);
    pages.waysStepLabel->setEnabled(!page.running);
    pages.clickRunStepLabel->setEnabled(!page.running && AutoClickSteps::runStepEnabled(page));
    for (QWidget* control : std::initializer_list<QWidget*>{pages.autoClickGetButton, pages.clickIntervalSpin,
                                                            pages.clickTestModeCheck})
        control->setEnabled(!page.running);
    pages.clickTimesSpin->setEnabled(!page.running && page.clickTimesEnabled);
    runningLook(pages.clickStopCheck, page.running);
    pages.autoClickSaveButton->setEnabled(page.saveEnabled);
    setText(pages.clickCountLabel, page.countLabel);
    setText(pages.clickPositionLabel, page.clickLabel);
    setText(pages.autoClickSavedLabel, page.savedLabel);
}

void writePopupShown(const PopupState& popup, ModePagesUi& pages) {
    pages.bigUrlsStepLabel->setEnabled(popup.findEnabled);
    pages.displayStepLabel->setEnabled(popup.displayEnabled);
    pages.popupGetButton->setEnabled(popup.getEnabled);
    pages.popupSaveButton->setEnabled(popup.saveEnabled);
    for (QWidget* tool : std::initializer_list<QWidget*>{pages.showBigUrlsLabel, pages.hideBigUrlsLabel,
                                                         pages.copyBigUrlsLabel})
        tool->setEnabled(popup.listToolsEnabled);
    setText(pages.popupFoundLabel, popup.foundLabel);
    setText(pages.popupGetLabel, popup.getLabel);
    setText(pages.popupSavedLabel, popup.savedLabel);
}

void writeLinkItems(const QStringList& items, QComboBox* combo) {
    QStringList shown;
    for (int i = 0; i < combo->count(); ++i)
        shown << combo->itemText(i);
    if (shown == items)
        return;
    // The list changes under the text the user typed, which stays.
    const QString text = combo->currentText();
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
    combo->setEditText(text);
}

// Everything of the state the commands set, written whole.
void writeShown(const ModesState& modes, ModePagesUi& pages, MainWindowUi& ui) {
    const MultipageState& multipage = modes.multipage;
    ui.buttonBar->setVisible(modes.buttonBarVisible);

    pages.stepsNotebook->setCurrentIndex(multipage.step);
    underline(pages.urlListStepLabel, multipage.step == 0);
    underline(pages.runStepLabel, multipage.step == 1);
    for (QWidget* control : std::initializer_list<QWidget*>{
             pages.multipageGetButton, pages.urlListStepLabel, pages.runStepLabel, pages.displayTimeSpin,
             pages.backTimeSpin, pages.testModeCheck, pages.navigateBackCheck})
        control->setEnabled(!multipage.running);
    runningLook(pages.multipageStopCheck, multipage.running);
    pages.multipageSaveButton->setEnabled(multipage.saveEnabled);
    setText(pages.multipageCountLabel, multipage.countLabel);
    setText(pages.multipagePositionLabel, multipage.positionLabel);
    setText(pages.multipageSavedLabel, multipage.savedLabel);

    const IntervalState& interval = modes.interval;
    pages.intervalGetButton->setEnabled(!interval.running);
    runningLook(pages.intervalStopCheck, interval.running);
    pages.intervalSaveButton->setEnabled(interval.saveEnabled);
    setText(pages.intervalCountLabel, interval.countLabel);
    setText(pages.intervalSavedLabel, interval.savedLabel);

    writeAutoClickShown(modes.autoClick, pages);
    writePopupShown(modes.popup, pages);

    const UrlPageState& urlPage = modes.urlPage;
    pages.urlPageSaveButton->setEnabled(urlPage.saveEnabled);
    setText(pages.urlPageCountLabel, urlPage.countLabel);
    setText(pages.urlPageSavedLabel, urlPage.savedLabel);
}

void writeInputs(const ModesState& modes, ModePagesUi& pages) {
    const MultipageState& multipage = modes.multipage;
    if (pages.urlList->toPlainText() != multipage.urlList)
        pages.urlList->setPlainText(multipage.urlList);
    const QSignalBlocker quietDisplay(pages.displayTimeSpin);
    const QSignalBlocker quietBack(pages.backTimeSpin);
    pages.displayTimeSpin->setValue(multipage.displaySeconds);
    pages.backTimeSpin->setValue(multipage.backSeconds);
    pages.navigateBackCheck->setChecked(multipage.navigateBack);
    pages.testModeCheck->setChecked(multipage.testMode);
    pages.includeItselfCheck->setChecked(multipage.includeItself);
    pages.scriptLinksCheck->setChecked(multipage.scriptLinks);
    if (pages.intervalEdit->text() != modes.interval.interval)
        pages.intervalEdit->setText(modes.interval.interval);

    const AutoClickState& click = modes.autoClick;
    if (QAbstractButton* way = pages.ways->button(int(click.way)))
        way->setChecked(true);
    if (QAbstractButton* kind = pages.fixedLinkKinds->button(int(click.linkKind)))
        kind->setChecked(true);
    setList(pages.smallPictureList, click.smallPictures);
    writeLinkItems(click.linkItems, pages.fixedLinkEdit);
    if (pages.fixedLinkEdit->currentText() != click.linkText)
        pages.fixedLinkEdit->setEditText(click.linkText);
    if (pages.keyCodeEdit->text() != click.keyCode)
        pages.keyCodeEdit->setText(click.keyCode);
    const QSignalBlocker quietTimes(pages.clickTimesSpin);
    const QSignalBlocker quietInterval(pages.clickIntervalSpin);
    pages.clickTimesSpin->setValue(click.clickTimes);
    pages.clickIntervalSpin->setValue(click.clickInterval);
    pages.clickTestModeCheck->setChecked(click.testMode);
    pages.clickNavigateBackCheck->setChecked(click.navigateBack);
    pages.viewCodeCheck->setChecked(modes.linkCode.viewCode);
    if (pages.codeIncludeEdit->text() != modes.linkCode.include)
        pages.codeIncludeEdit->setText(modes.linkCode.include);
    if (pages.codeExcludeEdit->text() != modes.linkCode.exclude)
        pages.codeExcludeEdit->setText(modes.linkCode.exclude);
    setList(pages.bigUrlList, modes.popup.bigUrls);
    setList(pages.replaceList, modes.urlPage.urls);
    if (pages.replaceFromEdit->text() != modes.urlPage.find)
        pages.replaceFromEdit->setText(modes.urlPage.find);
    if (pages.replaceWithEdit->text() != modes.urlPage.replacement)
        pages.replaceWithEdit->setText(modes.urlPage.replacement);
}

QWidget* focusTarget(const QString& name, ModePagesUi& pages) {
    if (name == QLatin1String("spicMemo"))
        return pages.smallPictureList;
    if (name == QLatin1String("linkEdit"))
        return pages.fixedLinkEdit;
    if (name == QLatin1String("charedit2"))
        return pages.keyCodeEdit;
    if (name == QLatin1String("Notebook4")) {
        // The detail page's first control that takes the focus; a page of text only has none.
        for (QWidget* control : pages.wayPages->currentWidget()->findChildren<QWidget*>()) {
            if ((control->focusPolicy() & Qt::TabFocus) && !control->isHidden())
                return control;
        }
    }
    return nullptr;
}

}  // namespace

void ModesBinding::toState(const ModePagesUi& pages, ModesState& modes) {
    MultipageState& multipage = modes.multipage;
    multipage.urlList = pages.urlList->toPlainText();
    multipage.displaySeconds = pages.displayTimeSpin->value();
    multipage.navigateBack = pages.navigateBackCheck->isChecked();
    multipage.backSeconds = pages.backTimeSpin->value();
    multipage.testMode = pages.testModeCheck->isChecked();
    multipage.includeItself = pages.includeItselfCheck->isChecked();
    multipage.scriptLinks = pages.scriptLinksCheck->isChecked();
    modes.interval.interval = pages.intervalEdit->text();

    AutoClickState& click = modes.autoClick;
    if (pages.ways->checkedId() >= 1)
        click.way = ClickWay(pages.ways->checkedId());
    if (pages.fixedLinkKinds->checkedId() >= 0)
        click.linkKind = FixedLinkKind(pages.fixedLinkKinds->checkedId());
    click.smallPictures = pages.smallPictureList->toPlainText();
    click.linkText = pages.fixedLinkEdit->currentText();
    click.linkItems.clear();
    for (int i = 0; i < pages.fixedLinkEdit->count(); ++i)
        click.linkItems << pages.fixedLinkEdit->itemText(i);
    click.keyCode = pages.keyCodeEdit->text();
    click.clickTimes = pages.clickTimesSpin->value();
    click.clickInterval = pages.clickIntervalSpin->value();
    click.testMode = pages.clickTestModeCheck->isChecked();
    click.navigateBack = pages.clickNavigateBackCheck->isChecked();
    modes.linkCode.viewCode = pages.viewCodeCheck->isChecked();
    modes.linkCode.include = pages.codeIncludeEdit->text();
    modes.linkCode.exclude = pages.codeExcludeEdit->text();
    modes.popup.bigUrls = pages.bigUrlList->toPlainText();
    modes.urlPage.urls = pages.replaceList->toPlainText();
    modes.urlPage.find = pages.replaceFromEdit->text();
    modes.urlPage.replacement = pages.replaceWithEdit->text();
}

void ModesBinding::toWidgets(const ModesState& modes, ModePagesUi& pages, MainWindowUi& ui) {
    writeInputs(modes, pages);
    writeShown(modes, pages, ui);
    if (modes.multipage.focusUrlList)
        pages.urlList->setFocus();
    if (QWidget* target = focusTarget(modes.autoClick.focus, pages))
        target->setFocus();
}

void ModesBinding::changesToWidgets(const ModesState& modes, ModesState& shown, ModePagesUi& pages,
                                    MainWindowUi& ui) {
    // The inputs only where the command changed them (the list filled by a command, say).
    if (modes.multipage.urlList != shown.multipage.urlList &&
        pages.urlList->toPlainText() != modes.multipage.urlList)
        pages.urlList->setPlainText(modes.multipage.urlList);
    if (modes.autoClick.smallPictures != shown.autoClick.smallPictures)
        setList(pages.smallPictureList, modes.autoClick.smallPictures);
    if (modes.autoClick.linkItems != shown.autoClick.linkItems)
        writeLinkItems(modes.autoClick.linkItems, pages.fixedLinkEdit);
    if (modes.autoClick.clickTimes != shown.autoClick.clickTimes) {
        const QSignalBlocker quiet(pages.clickTimesSpin);
        pages.clickTimesSpin->setValue(modes.autoClick.clickTimes);
    }
    if (modes.popup.bigUrls != shown.popup.bigUrls)
        setList(pages.bigUrlList, modes.popup.bigUrls);
    if (modes.urlPage.urls != shown.urlPage.urls)
        setList(pages.replaceList, modes.urlPage.urls);
    writeShown(modes, pages, ui);
    shown = modes;
}

}  // namespace vorlaken
