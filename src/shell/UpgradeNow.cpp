#include "shell/UpgradeNow.h"

#include <QFileInfo>

#include "common/Desktop.h"
#include "common/ProgramDir.h"

namespace vorlaken {

void UpgradeNow(const ProgramDir& dir, Desktop& desktop, quint64 windowHandle) {
    const QString program = dir.deliveredFile(QStringLiteral("upgrade"));
    if (QFileInfo(program).isFile()) {
        desktop.startProgram(program, {QString::number(windowHandle)});
        desktop.minimizeApplication();
        return;
    }
    desktop.showMessage(QStringLiteral("The file upgrade is not found. Please check or reinstall Vorlaken."));
}

}  // namespace vorlaken
