#pragma once

#include "cacheviewer/TIECache.h"
#include "cacheviewer/ViewerState.h"
#include "common/Desktop.h"

namespace vorlaken {

// "Clear cache": after "Are you sure?" deletes every entry the cache enumerates. The lists and the
// show-all page stay as they are.
void ClearCacheCommand(ViewerState& state, TIECache& cache, Desktop& desktop);

}  // namespace vorlaken
