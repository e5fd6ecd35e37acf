#pragma once

#include <QString>

#include "common/IniFile.h"

namespace vorlaken {

// "dir" of section "config", the remembered save folder. Reading forgets a folder that is gone and ends
// one that exists in a separator; writing leaves the stored line as it is while KeepFolder is off.
QString ReadSaveFolder(const IniFile& settings);
void WriteSaveFolder(IniFile& settings, const QString& saveFolder, bool keepFolder);

}  // namespace vorlaken
