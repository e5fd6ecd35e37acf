#include "shell/ToolbarButton.h"

#include <QFileInfo>

#include "common/Desktop.h"
#include "common/Errors.h"
#include "common/ProgramDir.h"
#include "common/ToolbarButtonRegistry.h"

namespace vorlaken {

namespace {

const QString kButtonId = QStringLiteral("{3F7C5588-6763-4791-8B8B-D73B08396DE9}");
const QString kRestart = QStringLiteral("Please close all IE web page and launch IE again. ");

}  // namespace

void ShowToolbarButton(const ProgramDir& dir, const QString& executable, ToolbarButtonRegistry& registry,
                       Desktop& desktop) {
    if (!QFileInfo(dir.deliveredFile(QStringLiteral("grabnest.ico"))).isFile()) {
        desktop.showMessage(
            QStringLiteral("The file grabnest.ico is not found. You should reinstall this software"));
        return;
    }
    ToolbarButtonRegistry::Button button;
    button.identifier = kButtonId;
    button.visible = true;
    button.kind = 3;
    button.target = executable;
    // Both icons are the hot one; grabnest.ico only has to be there.
    button.hotIcon = dir.deliveredFile(QStringLiteral("grabhot.ico"));
    button.icon = dir.deliveredFile(QStringLiteral("grabhot.ico"));
    button.buttonText = QStringLiteral("Vorlaken");
    QStringList notes;
    try {
        notes = registry.registerButton(button);
    } catch (const PlatformError& error) {
        desktop.showMessage(QStringLiteral("The toolbar button could not be registered. ") + error.text());
        return;
    }
    desktop.showMessage(kRestart);
    if (!notes.isEmpty())
        desktop.showMessage(notes.join(QStringLiteral("\n\n")));
}

void HideToolbarButton(ToolbarButtonRegistry& registry, Desktop& desktop) {
    const Desktop::Answer answer = desktop.ask(
        QStringLiteral(
            "Are you sure to remove icon from IE toolbar band? It will be quite inconvenient because "
            "you can only lauch Vorlaken from windows start menu. "),
        QStringLiteral("Waring"), Desktop::Buttons::OkCancel);
    if (answer == Desktop::Answer::Cancel)
        return;
    try {
        registry.unregisterButton(kButtonId);
    } catch (const PlatformError& error) {
        desktop.showMessage(QStringLiteral("The toolbar button could not be removed. ") + error.text());
        return;
    }
    desktop.showMessage(kRestart);
}

}  // namespace vorlaken
