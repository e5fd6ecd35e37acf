#include "shell/ModesBinding.h"

#include <QSignalBlocker>

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

    setText(pages.autoClickSavedLabel, modes.autoClickSavedLabel);
    setText(pages.popupSavedLabel, modes.popupSavedLabel);
    setText(pages.urlPageSavedLabel, modes.urlPageSavedLabel);
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
}

void ModesBinding::toWidgets(const ModesState& modes, ModePagesUi& pages, MainWindowUi& ui) {
    writeInputs(modes, pages);
    writeShown(modes, pages, ui);
    if (modes.multipage.focusUrlList)
        pages.urlList->setFocus();
}

void ModesBinding::changesToWidgets(const ModesState& modes, ModesState& shown, ModePagesUi& pages,
                                    MainWindowUi& ui) {
    // The inputs only where the command changed them (the list filled by a command, say).
    if (modes.multipage.urlList != shown.multipage.urlList &&
        pages.urlList->toPlainText() != modes.multipage.urlList)
        pages.urlList->setPlainText(modes.multipage.urlList);
    writeShown(modes, pages, ui);
    shown = modes;
}

}  // namespace vorlaken
