#pragma once

#include "common/IniFile.h"
#include "save/SaveState.h"

namespace vorlaken {

// The saving options in the settings file, section "config": "dir", "keepdir", "way2", "way3",
// "saveext", "autoext", "save", "zip", "cat". Loading discards a "dir" that is no folder any more and
// empties LastSaveFolder and LastIndexPage; storing writes "dir" only while KeepFolder is on.
void LoadSaveSettings(const IniFile& settings, SaveState& save);
void StoreSaveSettings(IniFile& settings, const SaveState& save);

}  // namespace vorlaken
