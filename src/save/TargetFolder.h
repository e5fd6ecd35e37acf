#pragma once

#include <QDateTime>
#include <QString>

#include "capture/CaptureState.h"
#include "common/Desktop.h"
#include "common/IniFile.h"
#include "save/SaveState.h"

namespace vorlaken {

inline const QString kChooseFolderTitle =
    QStringLiteral("Please specify the folder which webpage pictures will be saved into");

struct TargetFolder {
    bool ok = false;
    QString folder;  // ends with "/"
    QString runStamp;
};

// A folder name part taken from a page or a list: empty stays empty (adds nothing to a path), anything
// else goes through HarmlessNamePart so it can neither climb out of nor reach below its parent, and is
// shortened to what the file system takes.
QString HarmlessFolderPart(const QString& part);

// The user's pictures folder: XDG_PICTURES_DIR, else the one of the user's folder list, else home.
QString PicturesFolder();

// The folder dialog, opened in SaveFolder when that exists, else in PicturesFolder(). On confirm sets
// SaveFolder (with a trailing "/") and LastSaveFolder, and writes "dir" at once into settings (when given) if
// SaveFolder was empty and KeepFolder is on.
void ChooseSaveFolder(SaveState& save, Desktop& desktop, IniFile* settings);

// The first phase of a save run: checks the page, makes the category and sub folders, cleans the
// title in capture.titleText. On failure the user has been told and the window asked (save.showFirstPage,
// save.focusTitle) to show the title box where that helps.
TargetFolder ResolveTargetFolder(SaveState& save, CaptureState& capture, Desktop& desktop, IniFile* settings,
                                 const QDateTime& now);

// "Open local folder" (N29).
void OpenLocalFolder(SaveState& save, Desktop& desktop);
// "Open local webpage" (N30).
void OpenLocalWebpage(const SaveState& save, Desktop& desktop);

// The click handlers of "force extension" and "auto recognise": ticking one unticks the other.
void ClickForceExtension(SaveState& save, bool ticked);
void ClickAutoRecognise(SaveState& save, bool ticked);

}  // namespace vorlaken
