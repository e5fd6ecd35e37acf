#include "shell/StartCompanion.h"

#include <QFileInfo>

#include "common/Desktop.h"
#include "common/ProgramDir.h"
#include "common/WelcomePage.h"

namespace vorlaken {

QString CompanionMissingMessage(const QString& program, const QString& downloadPage) {
    return QStringLiteral(
               "The file %1 is not found under current directory. Please reinstall Vorlaken. You can "
               "download "
               "it from")
               .arg(program) +
           QStringLiteral(" ") + downloadPage + QStringLiteral(".");
}

void StartCompanion(const ProgramDir& dir, const QString& program, Desktop& desktop) {
    const QString path = dir.deliveredFile(program);
    if (!QFileInfo(path).isFile()) {
        desktop.showMessage(CompanionMissingMessage(program, MakerSite(dir.path()).downloadPage()));
        return;
    }
    desktop.startProgram(path, {});
}

}  // namespace vorlaken
