#include "PictureList.h"

#include "cacheviewer/EntryFilter.h"

namespace vorlaken {

void PictureList::ListPictures(ViewerState& state, TIECache& cache, const QDateTime& now) {
    state.foundFiles.clear();
    state.foundUrls.clear();
    state.listChecked.clear();
    state.listSelected = -1;
    const EntryFilter filter(state, now);
    cache.SearchPattern = TSearchPattern::spUrl;
    cache.OnEntry = [&](TIECache& sender, bool&) {
        const TEntryInfo& entry = sender.entryInfo();
        if (filter.passes(entry)) {
            state.foundFiles.append(entry.localFileName);
            state.foundUrls.append(entry.sourceUrlName);
        }
    };
    cache.RetrieveEntries();
    cache.OnEntry = nullptr;
    state.listChecked = QList<bool>(state.foundUrls.size(), true);
    state.picturesFoundText = QStringLiteral("Total:") + QString::number(state.foundUrls.size());
    state.showAllEnabled = !state.foundUrls.isEmpty();
    state.cacheNote = cache.StatusNote();
}

void PictureList::PreviewEntry(ViewerState& state, Browser& previewZone, TIECache& cache) {
    const int i = state.listSelected;
    if (state.foundUrls.isEmpty() || i < 0 || i >= state.foundUrls.size()) {
        return;
    }
    if (state.previewLocal) {
        cache.Materialize(state.foundFiles.at(i));
    }
    try {
        previewZone.navigate(state.previewLocal ? state.foundFiles.at(i) : state.foundUrls.at(i));
    } catch (const PageError&) {
        // The preview stays as it was.
    }
    state.currentUrl = state.foundUrls.at(i);
}

}  // namespace vorlaken
