#include "save/SaveSettings.h"

#include <QFileInfo>

namespace vorlaken {

namespace {
const QString kSection = QStringLiteral("config");
const QString kKey = QStringLiteral("dir");
}  // namespace

QString ReadSaveFolder(const IniFile& settings) {
    QString dir = settings.readString(kSection, kKey, QString());
    if (dir.isEmpty() || !QFileInfo(dir).isDir())
        return QString();
    if (!dir.endsWith(u'/'))
        dir += u'/';
    return dir;
}

void WriteSaveFolder(IniFile& settings, const QString& saveFolder, bool keepFolder) {
    if (keepFolder)
        settings.writeString(kSection, kKey, saveFolder);
}

}  // namespace vorlaken
