#include "ViewerUpgrade.h"

#include <QFileInfo>

#include "common/IniFile.h"

namespace vorlaken {

namespace {

const QString kStateFile = QStringLiteral("upgrade_tidecove.ini");

}  // namespace

QString ViewerUpgrade::updater() const {
    return programDir_.deliveredFile(QStringLiteral("upgrade"));
}

void ViewerUpgrade::AutoUpgradeCheck(const QDateTime& now) {
    if (!QFileInfo(updater()).isFile()) {
        return;
    }
    IniFile state(programDir_.deliveredFile(kStateFile));
    state.load();
    QString last = state.readString(QStringLiteral("config"), QStringLiteral("lastupdate"), QString());
    if (last.isEmpty()) {
        last = QStringLiteral("2008.09.07").remove(QLatin1Char('.'));
    }
    const QString due = now.addDays(-15).toString(QStringLiteral("yyyyMMdd"));
    if (last < due) {
        UpgradeNow();
    }
}

void ViewerUpgrade::UpgradeNow() {
    if (!QFileInfo(updater()).isFile()) {
        desktop_.showMessage(QStringLiteral("Upgrade is not found."), QStringLiteral("Hint"));
        return;
    }
    desktop_.startProgram(updater(), {QString::number(windowHandle_), kStateFile});
    desktop_.minimizeApplication();
}

}  // namespace vorlaken
