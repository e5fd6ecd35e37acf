#include "shell/SaveBinding.h"

#include <QSignalBlocker>

#include "save/SaveState.h"
#include "shell/MainWindowUi.h"

namespace vorlaken {

void SaveBinding::toState(const MainWindowUi& ui, SaveState& save) {
    save.namingRule = ui.namedRuleCombo->currentIndex();
    save.subFolderRule = ui.subFolderCombo->currentIndex();
    save.prefix = ui.fileNamePrefixEdit->text();
    save.defaultExtension = ui.defaultExtCombo->currentText();
    save.forceExtension = ui.forceExtensionCheck->isChecked();
    save.autoRecognise = ui.autoRecogniseCheck->isChecked();
    save.localWebpage = ui.localWebpageCheck->isChecked();
    save.zipPackage = ui.zipPackageCheck->isChecked();
    save.keepFolder = ui.saveMenuRememberFolder->isChecked();
}

void SaveBinding::toWidgets(const SaveState& save, MainWindowUi& ui) {
    const QSignalBlocker quietForce(ui.forceExtensionCheck);
    const QSignalBlocker quietAuto(ui.autoRecogniseCheck);
    const QSignalBlocker quietKeep(ui.saveMenuRememberFolder);
    ui.forceExtensionCheck->setChecked(save.forceExtension);
    ui.autoRecogniseCheck->setChecked(save.autoRecognise);
    ui.saveMenuRememberFolder->setChecked(save.keepFolder);
    ui.categoryEditorLabel->setToolTip(save.categoryHint);
}

}  // namespace vorlaken
