#include "TIECache.h"

namespace vorlaken {

bool TIECache::LibraryFound() {
    if (libraryFound_ < 0) {
        libraryFound_ = cache_ != nullptr && cache_->libraryFound() ? 1 : 0;
    }
    return libraryFound_ == 1;
}

bool TIECache::enumeratesUrlEntries() const {
    const bool urlPattern = SearchPattern == TSearchPattern::spAll || SearchPattern == TSearchPattern::spUrl;
    return urlPattern && (FilterOptions & NORMAL_ENTRY) != 0;
}

void TIECache::forEachEntry(const std::function<bool(const BrowserCache::Entry&)>& onEntry) {
    if (!LibraryFound() || !enumeratesUrlEntries()) {
        return;
    }
    cache_->enumerate(onEntry);
}

void TIECache::RetrieveEntries() {
    bool cancel = false;
    delivered_.clear();
    deliveredIndex_.clear();
    materialized_.clear();
    forEachEntry([&](const BrowserCache::Entry& entry) {
        delivered_.append(entry);
        current_ = TEntryInfo{entry.sourceUrl, entry.localFileName, entry.lastAccess};
        if (OnEntry) {
            OnEntry(*this, cancel);
        }
        return !cancel;
    });
}

bool TIECache::Materialize(const QString& localFileName) {
    if (materialized_.contains(localFileName)) {
        return true;
    }
    if (deliveredIndex_.isEmpty()) {
        for (qsizetype i = 0; i < delivered_.size(); ++i) {
            deliveredIndex_.insert(delivered_.at(i).localFileName, i);
        }
    }
    const auto at = deliveredIndex_.constFind(localFileName);
    if (at == deliveredIndex_.constEnd() || !cache_->materialize(delivered_.at(*at))) {
        return false;
    }
    materialized_.insert(localFileName);
    return true;
}

void TIECache::ClearCache() {
    if (!LibraryFound() || !enumeratesUrlEntries()) {
        return;
    }
    cache_->clearCache();
}

QStringList TIECache::CacheNames() {
    if (!LibraryFound() || !enumeratesUrlEntries()) {
        return {};
    }
    return cache_->cacheNames();
}

}  // namespace vorlaken
