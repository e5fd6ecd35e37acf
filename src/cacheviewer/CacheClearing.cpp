#include "CacheClearing.h"

namespace vorlaken {

QString ClearQuestion(TIECache& cache) {
    QString question = QStringLiteral("Are you sure?");
    const QStringList caches = cache.CacheNames();
    if (!caches.isEmpty()) {
        // The user sees which browsers lose their caches before agreeing.
        question += QStringLiteral("\nCaches to be cleared: ") + caches.join(QStringLiteral("; "));
    }
    return question;
}

void ClearCacheCommand(ViewerState& state, TIECache& cache, Desktop& desktop) {
    if (desktop.ask(ClearQuestion(cache), QStringLiteral("Hint"), Desktop::Buttons::OkCancel) !=
        Desktop::Answer::Ok) {
        return;
    }
    state.clearEnabled = false;
    cache.ClearCache();
    state.clearEnabled = true;
}

}  // namespace vorlaken
