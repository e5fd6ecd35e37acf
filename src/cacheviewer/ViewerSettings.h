#pragma once

#include "cacheviewer/ViewerState.h"
#include "common/IniFile.h"

namespace vorlaken {

// "tidecove.ini", section "config": what the viewer keeps between runs. "Time passed" and the preview
// choice always start fresh.
class ViewerSettings {
  public:
    static void load(const IniFile& file, ViewerState& state);
    // Writes every key in the file's order; the caller saves the file (atomically).
    static void store(const ViewerState& state, IniFile& file);
};

}  // namespace vorlaken
