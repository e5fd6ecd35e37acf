#pragma once

#include <QDateTime>

#include "cacheviewer/TIECache.h"
#include "cacheviewer/ViewerState.h"
#include "capture/PageModel.h"

namespace vorlaken {

// "List Picture" and the single-picture preview of the first tab.
class PictureList {
  public:
    // Lists the cached pictures that pass the filter, each ticked. Listing reads no bodies: a body is
    // materialised when a command first needs its file.
    static void ListPictures(ViewerState& state, TIECache& cache, const QDateTime& now);
    // Shows the selected item in the preview browser wb2, from the cache or from the web.
    static void PreviewEntry(ViewerState& state, Browser& previewZone, TIECache& cache);
};

}  // namespace vorlaken
