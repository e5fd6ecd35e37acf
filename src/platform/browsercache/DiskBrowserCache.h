#pragma once

#include <atomic>
#include <future>
#include <memory>
#include <optional>

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "CacheFolders.h"
#include "CacheRecord.h"
#include "SimpleCacheIndex.h"
#include "common/BrowserCache.h"

namespace vorlaken {

// The browsers' disk caches read directly. Listing reads each entry's header, key and stored response
// head, never the bodies; a body is copied out (materialised) only when asked for, after its length and
// CRC check out. The browsers keep one copy of an address per top-level site that loaded it; the
// listing holds each address once, as its most recently used copy. Writes happen only below the
// materialisation folder; deletions touch only entry files of the cache folders and the copies made of
// them, never through a symbolic link.
class DiskBrowserCache : public BrowserCache {
  public:
    // How long the listing of one walk of the cache folders stands.
    enum class Listing {
        // Every enumeration walks anew, so a viewer lists what is there now; look-ups answer from the
        // last walk.
        Fresh,
        // The first call walks and every later one answers from that walk: one save run, which asks once
        // per picture and must not pay a walk for each.
        Kept,
    };

    DiskBrowserCache(QList<CacheFolder> folders, QString materializeFolder, Listing listing = Listing::Fresh);
    ~DiskBrowserCache() override;
    DiskBrowserCache(const DiskBrowserCache&) = delete;
    DiskBrowserCache& operator=(const DiskBrowserCache&) = delete;

    // The per-user folder bodies are materialised into.
    static QString defaultMaterializeFolder();

    bool libraryFound() override { return !folders_.isEmpty(); }
    void enumerate(const std::function<bool(const Entry&)>& onEntry) override;
    bool materialize(const Entry& entry) override;
    QString lookup(const QString& url) override;
    bool deleteEntry(const QString& url) override;
    void clearCache() override;
    QString statusNote() override;
    // Where the caches were looked for, for statusNote().
    void setSearch(CacheSearch search) { search_ = std::move(search); }
    QStringList cacheNames() override;
    // A kept listing walks beside the caller; look-ups do not wait for it, a listing does.
    void startListing() override;
    bool listingPending() override;

    const QList<CacheFolder>& folders() const { return folders_; }
    // Entry files of the last listing that could not be read (unknown versions, damage).
    int unreadableEntries() const { return unreadableEntries_; }
    const QString& materializeFolder() const { return materializeFolder_; }
    // How many times the cache folders were walked for a listing.
    int walks() const { return walks_; }
    // The page whose pictures will be looked up. Until a walk is needed, a look-up first opens the
    // entries Chromium makes for an address loaded by a page of that site (or of the address's own
    // site), whose file names follow from the key alone.
    void setPageUrl(const QString& pageUrl) { pageUrl_ = pageUrl; }

  private:
    struct Found {
        CacheRecord record;
        QString folder;     // canonical cache folder of the entry file
        QString localFile;  // where its body is materialised
    };
    // What one walk of the folders found, and where it stands: a walk stopped beside the caller is
    // taken on by the caller from there.
    struct Walk {
        QList<Found> records;
        QHash<QString, qsizetype> byLocalFile;
        QHash<QString, qsizetype> byUrl;
        int unreadable = 0;
        qsizetype folder = 0;  // the folder being walked
        bool folderOpened = false;
        QStringList names;   // its file names
        qsizetype next = 0;  // the next of them
        SimpleCacheIndex index;
        bool complete = false;
    };
    void readEntry(const CacheFolder& folder, const QString& name, Walk& into) const;
    static void add(Walk& into, Found found);
    // Walks on from where walk stands until every folder is read or stop is raised.
    void walkOn(Walk& walk, const std::atomic_bool& stop) const;
    void adopt(Walk walk);
    // Lists every readable entry of every folder, replacing the last listing.
    void walk();
    void ensureListing();
    // The entry of exactly this address among the keys a same-site load gives; nothing when none is.
    std::optional<Found> probe(const QString& url) const;
    bool writeBody(const Found& found, const QString& target);
    // Removes an entry file and the other files of the same entry, and the copy made of its body.
    bool removeEntryFiles(const QString& entryFile, const QString& folder, CacheFolder::Kind kind);
    QString copyFolderOf(const QString& entryName, CacheFolder::Kind kind) const;
    QString localFileFor(const CacheRecord& record, const QString& entryName) const;

    QList<CacheFolder> folders_;
    QString materializeFolder_;
    Listing listing_;
    int walks_ = 0;
    QString pageUrl_;
    bool listed_ = false;
    std::future<Walk> pending_;  // a kept listing walking beside the caller
    std::atomic_bool stopWalk_{false};
    int localOffset_ = 0;  // seconds east of UTC, for the entries' times

    QList<Found> records_;                   // every entry of the last walk, copies of one address too
    QHash<QString, qsizetype> byLocalFile_;  // filled while walking, so look-ups work during delivery
    QHash<QString, qsizetype> byUrl_;        // the most recently used copy of each address
    int unreadableEntries_ = 0;
    CacheSearch search_;
};

// The caches the viewer reads: TIDEWELL_CACHE alone when set, else the given profiles (a running
// browser's) and the usual browsers' default profiles. Every enumeration walks them anew.
std::unique_ptr<BrowserCache> CreateBrowserCache(const QStringList& extraProfiles = QStringList());

// The caches one save run reads, walked at most once: TIDEWELL_CACHE alone when set; else the caches of
// the attached browser's profile folder (and of the folder that mirrors it below the user's cache
// folder, where the browsers put the disk cache of a profile kept in the configuration folder); the
// usual browsers' default profiles only when that profile is unknown (empty).
// pageUrl is the attached page, whose site most of its pictures are cached under.
std::unique_ptr<BrowserCache> CreateRunBrowserCache(const QString& attachedProfile, const QString& pageUrl);

// The cache folders of one browser profile folder, its mirror below the cache folder included.
QList<CacheFolder> ProfileCacheFolders(const QString& profile, const QString& configHome,
                                       const QString& cacheHome);

}  // namespace vorlaken
