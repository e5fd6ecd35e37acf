#pragma once

#include "cacheviewer/ViewerState.h"
#include "common/IniFile.h"

namespace vorlaken {

// "tidecove.ini", section "config": what the viewer keeps between runs. "Time passed" and the preview
// choice always start fresh.
class ViewerSettings {
  public:
    // The stored placement is fitted onto the available screen area (when known).
    static void load(const IniFile& file, ViewerState& state, const QRect& available = QRect());
    // Writes every key in the file's order; the caller saves the file (atomically).
    static void store(const ViewerState& state, IniFile& file);
};

}  // namespace vorlaken
