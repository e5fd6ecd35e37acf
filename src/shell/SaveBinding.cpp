#include "shell/SaveBinding.h"

#include <QSignalBlocker>

#include "save/SaveState.h"
#include "shell/MainWindowUi.h"

namespace vorlaken {

void SaveBinding::toState(const MainWindowUi& ui, SaveState& save) {
    save.namingRule = ui.cb2->currentIndex();
    save.subFolderRule = ui.cb3->currentIndex();
    save.prefix = ui.Edit1->text();
    save.defaultExtension = ui.cbext->currentText();
    save.forceExtension = ui.extchk->isChecked();
    save.autoRecognise = ui.autoextchk->isChecked();
    save.localWebpage = ui.savechk->isChecked();
    save.zipPackage = ui.zipChk->isChecked();
    save.keepFolder = ui.N32->isChecked();
}

void SaveBinding::toWidgets(const SaveState& save, MainWindowUi& ui) {
    const QSignalBlocker quietForce(ui.extchk);
    const QSignalBlocker quietAuto(ui.autoextchk);
    const QSignalBlocker quietKeep(ui.N32);
    ui.extchk->setChecked(save.forceExtension);
    ui.autoextchk->setChecked(save.autoRecognise);
    ui.N32->setChecked(save.keepFolder);
    ui.Label106->setToolTip(save.categoryHint);
}

}  // namespace vorlaken
