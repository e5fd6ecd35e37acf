#pragma once

#include <functional>

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include "common/BrowserCache.h"

namespace vorlaken {

// Cache entry types; the set of selected options is the sum of their flags.
enum TFilterOption : quint32 {
    NORMAL_ENTRY = 0x1,
    STABLE_ENTRY = 0x2,
    STICKY_ENTRY = 0x4,
    COOKIE_ENTRY = 0x100000,
    URLHISTORY_ENTRY = 0x200000,
    TRACK_OFFLINE_ENTRY = 0x10,
    TRACK_ONLINE_ENTRY = 0x20,
    SPARSE_ENTRY = 0x10000,
    OCX_ENTRY = 0x20000,
};

// Every option but cookies: what the viewer enumerates.
constexpr quint32 kViewerFilterOptions = NORMAL_ENTRY | STABLE_ENTRY | STICKY_ENTRY | URLHISTORY_ENTRY |
                                         TRACK_OFFLINE_ENTRY | TRACK_ONLINE_ENTRY | SPARSE_ENTRY | OCX_ENTRY;

enum class TSearchPattern { spAll, spCookies, spHistory, spUrl };

// The part of a cache entry the viewer uses.
struct TEntryInfo {
    QString sourceUrlName;
    QString localFileName;
    QDateTime lastAccessTime;  // invalid when unknown
};

// The cache enumeration component of the viewer window. The disk caches hold normal URL entries only:
// cookie and history patterns, and a type filter without NORMAL_ENTRY, yield nothing.
class TIECache {
  public:
    using TOnEntryEvent = std::function<void(TIECache& sender, bool& cancel)>;

    explicit TIECache(BrowserCache* cache) : cache_(cache) {}

    quint32 FilterOptions = kViewerFilterOptions;
    TSearchPattern SearchPattern = TSearchPattern::spAll;
    TOnEntryEvent OnEntry;

    // True when at least one cache was found; asked once, then remembered.
    bool LibraryFound();
    void RetrieveEntries();
    void ClearCache();
    // The caches ClearCache would clear, named for the user; empty when none was found.
    QStringList CacheNames();

    // What the user should know about the caches after the last enumeration; empty when nothing.
    QString StatusNote() { return cache_ != nullptr ? cache_->statusNote() : QString(); }

    // The entry being delivered to OnEntry.
    const TEntryInfo& entryInfo() const { return current_; }
    // Writes the body of an entry of the last enumeration to its localFileName, the first time only;
    // false when there is no such entry or its body does not check out.
    bool Materialize(const QString& localFileName);

  private:
    bool enumeratesUrlEntries() const;
    // Calls onEntry for each entry of the current pattern and type filter until it asks to stop.
    void forEachEntry(const std::function<bool(const BrowserCache::Entry&)>& onEntry);

    BrowserCache* cache_;
    int libraryFound_ = -1;
    TEntryInfo current_;
    QList<BrowserCache::Entry> delivered_;      // the entries of the last enumeration
    QHash<QString, qsizetype> deliveredIndex_;  // by local file name, built when first needed
    QSet<QString> materialized_;
};

}  // namespace vorlaken
