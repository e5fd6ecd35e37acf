#pragma once

#include <functional>
#include <memory>

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vorlaken {

// The browsers' own disk caches, as one store of cached web resources.
class BrowserCache {
  public:
    struct Entry {
        QString sourceUrl;
        // Where the body lies once materialised; known before, so filters can look at its name.
        QString localFileName;
        QDateTime lastAccess;  // local time; invalid when unknown
    };

    virtual ~BrowserCache() = default;

    // True when at least one cache folder was found.
    virtual bool libraryFound() = 0;
    // Calls onEntry for every entry, one per address, in the cache's own order until it returns false.
    virtual void enumerate(const std::function<bool(const Entry&)>& onEntry) = 0;
    // Writes the entry's body to its localFileName. False when the body cannot be read.
    virtual bool materialize(const Entry& entry) = 0;
    // The materialised local file of exactly this URL, or empty when the cache has none.
    virtual QString lookup(const QString& url) = 0;
    // Deletes one entry's files. False when there was nothing to delete or deletion failed.
    virtual bool deleteEntry(const QString& url) = 0;
    // Deletes every entry of the caches read, and the copies materialised from them.
    virtual void clearCache() = 0;
    // What the user should know about the caches after a listing (none found, parts not read); empty
    // when there is nothing to say.
    virtual QString statusNote() { return {}; }
    // The caches read, named for the user (browser and profile), one text each.
    virtual QStringList cacheNames() { return {}; }
    // Starts the one listing of a cache that keeps it, beside the caller's work, where walking it costs
    // enough to hide; until it has ended, lookup() answers without it and listingPending() is true.
    virtual void startListing() {}
    virtual bool listingPending() { return false; }
};

// Makes the cache one save run reads, from the attached browser's profile folder (empty when unknown)
// and the attached page's address, whose site most of its pictures are cached under.
using RunCacheFactory =
    std::function<std::unique_ptr<BrowserCache>(const QString& attachedProfile, const QString& pageUrl)>;

}  // namespace vorlaken
