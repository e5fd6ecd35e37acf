#pragma once

#include "cacheviewer/TIECache.h"
#include "cacheviewer/ViewerState.h"
#include "common/Desktop.h"

namespace vorlaken {

// "Are you sure?", with a second line naming the caches that will be cleared when any was found.
QString ClearQuestion(TIECache& cache);

// "Clear cache": after the question deletes every entry of the caches read, and the copies made of
// them. The lists and the show-all page stay as they are.
void ClearCacheCommand(ViewerState& state, TIECache& cache, Desktop& desktop);

}  // namespace vorlaken
