#include "common/UpgradeCommands.h"

#include <utility>

#include <QFileInfo>

#include "common/Desktop.h"
#include "common/IniFile.h"
#include "common/ProgramDir.h"

namespace vorlaken {

UpgradeCommands::Rules UpgradeCommands::grabnest() {
    return {QStringLiteral("upgrade.ini"),
            QStringLiteral("2008.09.18"),
            7,
            QStringLiteral("The file upgrade is not found. Please check or reinstall Vorlaken."),
            {}};
}

UpgradeCommands::Rules UpgradeCommands::tidecove() {
    return {QStringLiteral("upgrade_tidecove.ini"),
            QStringLiteral("2008.09.07"),
            15,
            QStringLiteral("Upgrade is not found."),
            {QStringLiteral("upgrade_tidecove.ini")}};
}

UpgradeCommands::UpgradeCommands(Rules rules, const ProgramDir& dir, Desktop& desktop, quint64 windowHandle)
    : rules_(std::move(rules)), dir_(dir), desktop_(desktop), windowHandle_(windowHandle) {}

QString UpgradeCommands::updater() const {
    return dir_.deliveredFile(QStringLiteral("upgrade"));
}

void UpgradeCommands::UpgradeCheck(const QDate& today) {
    if (!QFileInfo(updater()).isFile())
        return;
    IniFile state(dir_.deliveredFile(rules_.stateFile));
    state.load();
    QString last = state.readString(QStringLiteral("config"), QStringLiteral("lastupdate"), QString());
    if (last.isEmpty())
        last = QString(rules_.releaseDate).remove(QLatin1Char('.'));
    const QString due = today.addDays(-rules_.days).toString(QStringLiteral("yyyyMMdd"));
    if (last < due)
        UpgradeNow();
}

void UpgradeCommands::UpgradeNow() {
    if (!QFileInfo(updater()).isFile()) {
        desktop_.showMessage(rules_.missingMessage, QStringLiteral("Hint"));
        return;
    }
    // A program left minimised behind an updater that never came up would only look gone.
    if (desktop_.startProgram(updater(), QStringList{QString::number(windowHandle_)} + rules_.extraArguments))
        desktop_.minimizeApplication();
}

}  // namespace vorlaken
