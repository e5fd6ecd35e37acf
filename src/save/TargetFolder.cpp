#include "save/TargetFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "common/TextRoutines.h"
#include "save/FileNaming.h"

namespace vorlaken {

namespace {

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString withSeparator(const QString& path) {
    return path.endsWith(u'/') ? path : path + u'/';
}

// Creates one folder level; only whether it exists afterwards counts.
bool makeFolder(const QString& path) {
    QDir().mkdir(path);
    return isFolder(path);
}

QString cleanTitle(const QString& title) {
    QString text = SanitizeName(title);
    qsizetype at;
    while ((at = text.indexOf(QLatin1String("__"))) >= 0)
        text.remove(at, 1);
    return text;
}

// parent + part, where an empty part adds nothing.
QString subFolder(const QString& parent, const QString& part) {
    return part.isEmpty() ? parent : withSeparator(parent) + part;
}

}  // namespace

QString HarmlessFolderPart(const QString& part) {
    return part.isEmpty() ? part : HarmlessNamePart(CutToBytes(part, kMaxNameBytes));
}

// Where the folder dialog opens when no usable folder is remembered: the user's pictures folder, never the
// program folder (in a package a system folder), which an empty start would give.
QString PicturesFolder() {
    const QString named = qEnvironmentVariable("XDG_PICTURES_DIR");
    if (isFolder(named))
        return named;
    const QString listed = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (isFolder(listed))
        return listed;
    return QDir::homePath();
}

void ChooseSaveFolder(SaveState& save, Desktop& desktop, IniFile* settings) {
    const QString start = isFolder(save.saveFolder) ? save.saveFolder : PicturesFolder();
    const QString chosen = desktop.chooseFolder(kChooseFolderTitle, start);
    if (chosen.isEmpty())
        return;
    const bool wasEmpty = save.saveFolder.isEmpty();
    save.saveFolder = withSeparator(chosen);
    save.lastSaveFolder = save.saveFolder;
    if (wasEmpty && save.keepFolder && settings) {
        settings->writeString(QStringLiteral("config"), QStringLiteral("dir"), save.saveFolder);
        settings->save();
    }
}

TargetFolder ResolveTargetFolder(SaveState& save, CaptureState& capture, Desktop& desktop, IniFile* settings,
                                 const QDateTime& now) {
    TargetFolder result;
    const QString failMessage = QStringLiteral("Can not create directory:");
    auto askForTitle = [&save] {
        save.showFirstPage = true;
        save.focusTitle = true;
    };

    if (capture.locationText.startsWith(QLatin1String("file://"), Qt::CaseSensitive)) {
        desktop.showMessage(QStringLiteral("The webpage beginning with file:// is not processed."));
        return result;
    }
    if (!isFolder(save.saveFolder)) {
        ChooseSaveFolder(save, desktop, settings);
        if (!isFolder(save.saveFolder))
            return result;
    }
    if (!makeFolder(save.saveFolder)) {
        desktop.showMessage(QStringLiteral("Can not create directory: ") + PathForMessage(save.saveFolder));
        return result;
    }

    QString base = withSeparator(save.saveFolder);
    if (save.categoriesOn) {
        const QString category = HarmlessFolderPart(save.currentCategory);
        const QString categoryFolder = subFolder(base, category);
        makeFolder(categoryFolder);
        base = withSeparator(categoryFolder);
        if (!isFolder(base)) {
            desktop.showMessage(failMessage + PathForMessage(base));
            return result;
        }
    }

    result.runStamp = FormatStamp(now);

    const int rule = save.subFolderRule;
    QString title;
    if (rule == kTitleFolder || rule == kDomainTitleFolder) {
        capture.titleText = cleanTitle(capture.titleText);
        title = HarmlessFolderPart(capture.titleText);
    }
    const QString domain = HarmlessFolderPart(capture.pageDomain);

    QString target = base;
    switch (rule) {
        case kTitleFolder:
            target = subFolder(base, title);
            if (!makeFolder(target)) {
                desktop.showMessage(failMessage + PathForMessage(target) +
                                    QStringLiteral(",Please modify web page title and then save"));
                askForTitle();
                return result;
            }
            break;
        case kDomainFolder:
            target = subFolder(base, domain);
            if (!makeFolder(target)) {
                desktop.showMessage(failMessage + PathForMessage(target));
                return result;
            }
            break;
        case kDomainTitleFolder: {
            const QString domainFolder = subFolder(base, domain);
            if (!makeFolder(domainFolder)) {
                desktop.showMessage(failMessage + PathForMessage(domainFolder));
                askForTitle();
                return result;
            }
            target = subFolder(domainFolder, title);
            if (!makeFolder(target)) {
                desktop.showMessage(failMessage + PathForMessage(target) +
                                    QStringLiteral(", Please modify webpage title and then save"));
                askForTitle();
                return result;
            }
            break;
        }
        default:  // "Do not create", and an index outside the list
            break;
    }

    save.lastSaveFolder = target;
    result.folder = withSeparator(target);
    result.ok = true;
    return result;
}

void OpenLocalFolder(SaveState& save, Desktop& desktop) {
    if (save.lastSaveFolder.isEmpty())
        save.lastSaveFolder = save.saveFolder;
    desktop.openPath(save.lastSaveFolder);
}

void OpenLocalWebpage(const SaveState& save, Desktop& desktop) {
    if (!save.lastIndexPage.isEmpty())
        desktop.openPath(save.lastIndexPage);
}

void ClickForceExtension(SaveState& save, bool ticked) {
    save.forceExtension = ticked;
    if (ticked)
        save.autoRecognise = false;
}

void ClickAutoRecognise(SaveState& save, bool ticked) {
    save.autoRecognise = ticked;
    if (ticked)
        save.forceExtension = false;
}

}  // namespace vorlaken
