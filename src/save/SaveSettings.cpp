#include "save/SaveSettings.h"

#include <QFileInfo>

namespace vorlaken {

namespace {
const QString kSection = QStringLiteral("config");
}

void LoadSaveSettings(const IniFile& settings, SaveState& save) {
    QString dir = settings.readString(kSection, QStringLiteral("dir"), QString());
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) {
        dir.clear();
    } else if (!dir.endsWith(u'/')) {
        dir += u'/';
    }
    save.saveFolder = dir;
    save.lastSaveFolder.clear();
    save.lastIndexPage.clear();
    save.keepFolder = settings.readBool(kSection, QStringLiteral("keepdir"), true);
    save.namingRule = settings.readInteger(kSection, QStringLiteral("way2"), kNumber);
    save.subFolderRule = settings.readInteger(kSection, QStringLiteral("way3"), kDomainTitleFolder);
    save.forceExtension = settings.readBool(kSection, QStringLiteral("saveext"), true);
    save.autoRecognise = settings.readBool(kSection, QStringLiteral("autoext"), true);
    save.localWebpage = settings.readBool(kSection, QStringLiteral("save"), true);
    save.zipPackage = settings.readBool(kSection, QStringLiteral("zip"), false);
    save.categoriesOn = settings.readBool(kSection, QStringLiteral("cat"), false);
}

void StoreSaveSettings(IniFile& settings, const SaveState& save) {
    if (save.keepFolder)
        settings.writeString(kSection, QStringLiteral("dir"), save.saveFolder);
    settings.writeBool(kSection, QStringLiteral("keepdir"), save.keepFolder);
    settings.writeInteger(kSection, QStringLiteral("way2"), save.namingRule);
    settings.writeInteger(kSection, QStringLiteral("way3"), save.subFolderRule);
    settings.writeBool(kSection, QStringLiteral("saveext"), save.forceExtension);
    settings.writeBool(kSection, QStringLiteral("autoext"), save.autoRecognise);
    settings.writeBool(kSection, QStringLiteral("save"), save.localWebpage);
    settings.writeBool(kSection, QStringLiteral("zip"), save.zipPackage);
    settings.writeBool(kSection, QStringLiteral("cat"), save.categoriesOn);
}

}  // namespace vorlaken
