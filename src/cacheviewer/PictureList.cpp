#include "PictureList.h"

#include "cacheviewer/EntryFilter.h"

namespace vorlaken {

void PictureList::ListPictures(ViewerState& state, TIECache& cache, const QDateTime& now) {
    state.FoundFiles.clear();
    state.FoundUrls.clear();
    state.listChecked.clear();
    state.listSelected = -1;
    const EntryFilter filter(state, now);
    cache.SearchPattern = TSearchPattern::spUrl;
    cache.OnEntry = [&](TIECache& sender, bool&) {
        const TEntryInfo& entry = sender.entryInfo();
        if (filter.passes(entry)) {
            state.FoundFiles.append(entry.LocalFileName);
            state.FoundUrls.append(entry.SourceUrlName);
        }
    };
    cache.RetrieveEntries();
    cache.OnEntry = nullptr;
    state.listChecked = QList<bool>(state.FoundUrls.size(), true);
    state.label1 = QStringLiteral("Total:") + QString::number(state.FoundUrls.size());
    state.showAllEnabled = !state.FoundUrls.isEmpty();
    state.cacheNote = cache.StatusNote();
}

void PictureList::PreviewEntry(ViewerState& state, Browser& wb2, TIECache& cache) {
    const int i = state.listSelected;
    if (state.FoundUrls.isEmpty() || i < 0 || i >= state.FoundUrls.size()) {
        return;
    }
    if (state.previewLocal) {
        cache.Materialize(state.FoundFiles.at(i));
    }
    try {
        wb2.navigate(state.previewLocal ? state.FoundFiles.at(i) : state.FoundUrls.at(i));
    } catch (const PageError&) {
        // The preview stays as it was.
    }
    state.currentUrl = state.FoundUrls.at(i);
}

}  // namespace vorlaken
