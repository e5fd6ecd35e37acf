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
    return {ui.SpinEdit1, ui.SpinEdit2, ui.cbsize, ui.Edit3, ui.Edit4, ui.linkEdit1, ui.linkEdit2};
}

FilterControls enhancedControls(const MainWindowUi& ui) {
    return {ui.SpinEdit12, ui.spinedit22, ui.cbsize2, ui.Edit32, ui.edit42, ui.linkEdit12, ui.linkEdit22};
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
    QSignalBlocker quiet(ui.cbtitle);
    ui.cbtitle->clear();
    ui.cbtitle->addItems(state.titleItems);
    ui.cbtitle->setEditText(state.titleText);
}

}  // namespace

void StateBinding::toState(const MainWindowUi& ui, CaptureState& state) {
    readFilters(mainControls(ui), state.mainFilters);
    readFilters(enhancedControls(ui), state.enhancedFilters);
    state.specialProcess = ui.inputchk->isChecked();
    state.picturesWithLinks = ui.chkLink->isChecked();
    state.linkNearBy = ui.nearbychk->isChecked();
    state.merge = ui.CheckBox4->isChecked();
    state.lock = ui.lockchk->isChecked();
    state.titleText = ui.cbtitle->currentText();
    state.titleItems.clear();
    for (int i = 0; i < ui.cbtitle->count(); ++i)
        state.titleItems.append(ui.cbtitle->itemText(i));
    state.locationText = ui.Edit2->text();
    state.countLabel = ui.cLabel->text();
    state.savedLabel = ui.Label3->text();
    state.getEnabled = ui.getbtn->isEnabled();
    state.saveEnabled = ui.savebtn->isEnabled();
}

void StateBinding::toWidgets(const CaptureState& state, MainWindowUi& ui) {
    writeFilterTexts(state.mainFilters, mainControls(ui));
    writeFilterTexts(state.enhancedFilters, enhancedControls(ui));
    writeTitle(state, ui);
    ui.Edit2->setText(state.locationText);
    ui.cLabel->setText(state.countLabel);
    ui.Label3->setText(state.savedLabel);
    ui.getbtn->setEnabled(state.getEnabled);
    ui.savebtn->setEnabled(state.saveEnabled);
}

void StateBinding::changesToWidgets(const CaptureState& state, CaptureState& shown, MainWindowUi& ui) {
    writeChangedFilterTexts(state.mainFilters, shown.mainFilters, mainControls(ui));
    writeChangedFilterTexts(state.enhancedFilters, shown.enhancedFilters, enhancedControls(ui));
    if (state.titleItems != shown.titleItems || state.titleText != shown.titleText)
        writeTitle(state, ui);
    if (state.locationText != shown.locationText)
        ui.Edit2->setText(state.locationText);
    if (state.countLabel != shown.countLabel)
        ui.cLabel->setText(state.countLabel);
    if (state.savedLabel != shown.savedLabel)
        ui.Label3->setText(state.savedLabel);
    if (state.getEnabled != shown.getEnabled)
        ui.getbtn->setEnabled(state.getEnabled);
    if (state.saveEnabled != shown.saveEnabled)
        ui.savebtn->setEnabled(state.saveEnabled);
    shown = state;
}

}  // namespace vorlaken
