#include "shell/StateBinding.h"

#include <QSignalBlocker>

#include "capture/CaptureState.h"
#include "shell/MainWindowUi.h"

namespace vorlaken {

namespace {

struct FilterControls {
    QSpinBox* width;
    QSpinBox* height;
    QComboBox* mode;
    QLineEdit* urlInclude;
    QLineEdit* urlExclude;
    QLineEdit* linkInclude;
    QLineEdit* linkExclude;
};

FilterControls mainControls(const MainWindowUi& ui) {
    return {ui.widthSpin,      ui.heightSpin,      ui.sizeModeCombo,  ui.urlIncludeEdit,
            ui.urlExcludeEdit, ui.linkIncludeEdit, ui.linkExcludeEdit};
}

FilterControls enhancedControls(const MainWindowUi& ui) {
    return {ui.enhancedWidthSpin,      ui.enhancedHeightSpin,     ui.enhancedSizeModeCombo,
            ui.enhancedUrlIncludeEdit, ui.enhancedUrlExcludeEdit, ui.enhancedLinkIncludeEdit,
            ui.enhancedLinkExcludeEdit};
}

void readFilters(const FilterControls& c, FilterSet& set) {
    set.widthLimit = c.width->value();
    set.heightLimit = c.height->value();
    set.sizeMode = c.mode->currentIndex();
    set.urlInclude = c.urlInclude->text();
    set.urlExclude = c.urlExclude->text();
    set.linkInclude = c.linkInclude->text();
    set.linkExclude = c.linkExclude->text();
}

// The capture trims the text filters and writes them back into their boxes.
void writeFilterTexts(const FilterSet& set, const FilterControls& c) {
    c.urlInclude->setText(set.urlInclude);
    c.urlExclude->setText(set.urlExclude);
    c.linkInclude->setText(set.linkInclude);
    c.linkExclude->setText(set.linkExclude);
}

void setIfChanged(QLineEdit* box, const QString& text, const QString& shown) {
    if (text != shown)
        box->setText(text);
}

void writeChangedFilterTexts(const FilterSet& set, const FilterSet& shown, const FilterControls& c) {
    setIfChanged(c.urlInclude, set.urlInclude, shown.urlInclude);
    setIfChanged(c.urlExclude, set.urlExclude, shown.urlExclude);
    setIfChanged(c.linkInclude, set.linkInclude, shown.linkInclude);
    setIfChanged(c.linkExclude, set.linkExclude, shown.linkExclude);
}

void writeTitle(const CaptureState& state, MainWindowUi& ui) {
    QSignalBlocker quiet(ui.titleCombo);
    ui.titleCombo->clear();
    ui.titleCombo->addItems(state.titleItems);
    ui.titleCombo->setEditText(state.titleText);
}

}  // namespace

void StateBinding::toState(const MainWindowUi& ui, CaptureState& state) {
    readFilters(mainControls(ui), state.mainFilters);
    readFilters(enhancedControls(ui), state.enhancedFilters);
    state.specialProcess = ui.specialProcessCheck->isChecked();
    state.largestVersions = ui.largestVersionCheck->isChecked();
    state.ownSize = ui.ownSizeCheck->isChecked();
    state.picturesWithLinks = ui.selectMenuWithLinks->isChecked();
    state.linkNearBy = ui.selectMenuLinkNearBy->isChecked();
    state.merge = ui.mergeCheck->isChecked();
    state.lock = ui.lockTitleCheck->isChecked();
    state.titleText = ui.titleCombo->currentText();
    state.titleItems.clear();
    for (int i = 0; i < ui.titleCombo->count(); ++i)
        state.titleItems.append(ui.titleCombo->itemText(i));
    state.locationText = ui.locationEdit->text();
    state.countLabel = ui.totalLabel->text();
    state.savedLabel = ui.savedLabel->text();
    state.getEnabled = ui.getButton->isEnabled();
    state.saveEnabled = ui.saveButton->isEnabled();
}

void StateBinding::toWidgets(const CaptureState& state, MainWindowUi& ui) {
    writeFilterTexts(state.mainFilters, mainControls(ui));
    writeFilterTexts(state.enhancedFilters, enhancedControls(ui));
    writeTitle(state, ui);
    ui.locationEdit->setText(state.locationText);
    ui.mergeCheck->setChecked(state.merge);
    ui.totalLabel->setText(state.countLabel);
    ui.savedLabel->setText(state.savedLabel);
    ui.getButton->setEnabled(state.getEnabled);
    ui.saveButton->setEnabled(state.saveEnabled);
}

void StateBinding::changesToWidgets(const CaptureState& state, CaptureState& shown, MainWindowUi& ui) {
    writeChangedFilterTexts(state.mainFilters, shown.mainFilters, mainControls(ui));
    writeChangedFilterTexts(state.enhancedFilters, shown.enhancedFilters, enhancedControls(ui));
    if (state.titleItems != shown.titleItems || state.titleText != shown.titleText)
        writeTitle(state, ui);
    if (state.locationText != shown.locationText)
        ui.locationEdit->setText(state.locationText);
    if (state.merge != shown.merge)
        ui.mergeCheck->setChecked(state.merge);
    if (state.countLabel != shown.countLabel)
        ui.totalLabel->setText(state.countLabel);
    if (state.savedLabel != shown.savedLabel)
        ui.savedLabel->setText(state.savedLabel);
    if (state.getEnabled != shown.getEnabled)
        ui.getButton->setEnabled(state.getEnabled);
    if (state.saveEnabled != shown.saveEnabled)
        ui.saveButton->setEnabled(state.saveEnabled);
    shown = state;
}

}  // namespace vorlaken
