#include "CacheClearing.h"

namespace vorlaken {

void ClearCacheCommand(ViewerState& state, TIECache& cache, Desktop& desktop) {
    if (desktop.ask(QStringLiteral("Are you sure?"), QStringLiteral("Hint"), Desktop::Buttons::OkCancel) !=
        Desktop::Answer::Ok) {
        return;
    }
    state.clearEnabled = false;
    cache.ClearCache();
    state.clearEnabled = true;
}

}  // namespace vorlaken
