#pragma once

#include <QDateTime>
#include <QString>

#include "common/NameLength.h"
#include "save/SaveState.h"

namespace vorlaken {

// True when something (a file, a folder, even a dangling link) already has this name.
bool NameTaken(const QString& path);

// A single file or folder name part that stays where it is put: path separators and NUL become "_",
// and a part that is empty, "." or ".." becomes "_".
QString HarmlessNamePart(const QString& part);

// A path as a message shows it: a very long one keeps its start and its end around "...".
QString PathForMessage(const QString& path);

// The first free name stem_0000.ext ... stem_9998.ext, the suffix taken from the file name part only.
// The stem is shortened where needed so that every candidate fits the file system. Empty when all of
// them are taken: the caller must then not store anything.
QString UniqueFileName(const QString& fullName);

// "yyyy.mm.dd.hh.nn.ss" in local time.
QString FormatStamp(const QDateTime& time);

// folder + stamp + extension, or the first free folder + stamp + "_001" ... "_999", "_000" + extension.
// Empty when all of them are taken.
QString StampedFileName(const QString& folder, const QString& stamp, const QString& extension);

// The full name a picture is stored under in folder (ending in "/"): the naming rule, prefix, default
// extension and force extension of options; position is 1-based among total pictures. May set the
// default extension to ".jpg" (force extension with an empty box). Throws UrlDecodeError under
// "Number+Name" for a malformed escape. The name is shortened to fit the file system. Empty when no
// free name is left.
QString PictureFileName(const QString& folder, const QString& pictureUrl, int position, int total,
                        const QString& runStamp, SaveState& options);
// False when PictureFileName would throw UrlDecodeError for this address.
bool CanNamePicture(const QString& pictureUrl, const SaveState& options);

}  // namespace vorlaken
