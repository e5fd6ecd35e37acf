#pragma once

#include <memory>

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include "CacheFolders.h"
#include "CacheRecord.h"
#include "common/BrowserCache.h"

namespace vorlaken {

// The browsers' disk caches read directly. Listing reads each entry's header, key and stored response
// head, never the bodies; a body is copied out (materialised) only when asked for, after its length and
// CRC check out. Writes happen only below the materialisation folder; deletions touch only the files of
// entries found in the cache folders, never through a symbolic link.
class DiskBrowserCache : public BrowserCache {
  public:
    DiskBrowserCache(QList<CacheFolder> folders, QString materializeFolder);

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

    const QList<CacheFolder>& folders() const { return folders_; }
    // Entry files of the last listing that could not be read (unknown versions, damage).
    int unreadableEntries() const { return unreadableEntries_; }
    const QString& materializeFolder() const { return materializeFolder_; }

  private:
    struct Found {
        CacheRecord record;
        QString folder;     // canonical cache folder of the entry file
        QString localFile;  // where its body is materialised
    };
    // allEntries: also the entries without a usable body (for clearing).
    void scanFolder(const CacheFolder& folder, bool allEntries,
                    const std::function<bool(const Found&, const Entry&)>& onFound);
    // Calls onFound for every readable entry of every folder, remembering it for materialize/lookup.
    void scan(const std::function<bool(const Found&, const Entry&)>& onFound, bool allEntries = false);
    // Lists the caches again unless that was done a moment ago; true when it did.
    bool refreshIfStale();
    bool writeBody(const Found& found, const QString& target);
    bool removeEntryFiles(const Found& found);
    QString localFileFor(const CacheRecord& record, const QString& entryName) const;

    QList<CacheFolder> folders_;
    QString materializeFolder_;
    void buildIndexes();

    QList<Found> records_;                   // the entries of the last listing, in its order
    QHash<QString, qsizetype> byLocalFile_;  // built when first needed
    QHash<QString, qsizetype> byUrl_;        // the most recently used entry of each address
    QElapsedTimer sinceScan_;
    int unreadableEntries_ = 0;
    CacheSearch search_;
};

// The caches the programs read: TIDEWELL_CACHE alone when set, else the given profiles (the attached
// browser's) and the usual browsers' default profiles.
std::unique_ptr<BrowserCache> CreateBrowserCache(const QStringList& extraProfiles = QStringList());

}  // namespace vorlaken
