#pragma once

#include <QDateTime>

#include "cacheviewer/TIECache.h"
#include "cacheviewer/ViewerState.h"
#include "capture/PageModel.h"

namespace vorlaken {

// "List Picture" and the single-picture preview of the first tab.
class PictureList {
  public:
    // Lists the cached pictures that pass the filter, each ticked. Only those entries get their bodies
    // materialised; an entry whose body cannot be read back intact is left out.
    static void ListPictures(ViewerState& state, TIECache& cache, const QDateTime& now);
    // Shows the selected item in the preview browser wb2, from the cache or from the web.
    static void PreviewEntry(ViewerState& state, Browser& wb2);
};

}  // namespace vorlaken
