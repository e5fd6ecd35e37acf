#include "DiskBrowserCache.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "BodyExtractor.h"
#include "ByteSource.h"
#include "CacheStatus.h"
#include "FirefoxCacheEntryReader.h"
#include "LocalFileNamer.h"
#include "SimpleCacheEntryReader.h"
#include "SimpleCacheIndex.h"

namespace vorlaken {

namespace {

constexpr qint64 kRescanAfterMs = 2000;

bool isPlainFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isSymLink() && info.isFile();
}

bool isInside(const QString& path, const QString& folder) {
    return QDir::cleanPath(path).startsWith(folder + QLatin1Char('/'));
}

}  // namespace

DiskBrowserCache::DiskBrowserCache(QList<CacheFolder> folders, QString materializeFolder)
    : folders_(std::move(folders)), materializeFolder_(QDir::cleanPath(materializeFolder)) {}

QString DiskBrowserCache::defaultMaterializeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QLatin1String("/tidewell/files");
}

QString DiskBrowserCache::localFileFor(const CacheRecord& record, const QString& entryName) const {
    // One sub folder per cache entry keeps equal names of different addresses apart; the entry file's
    // name is already a hash of the key, so the folder stays the same from one listing to the next.
    const QString id =
        (record.format == CacheRecord::Format::Firefox ? QLatin1String("f") : QLatin1String("c")) +
        entryName.left(16).toLower();
    return materializeFolder_ + QLatin1Char('/') + id + QLatin1Char('/') +
           LocalFileNamer::fileName(record.sourceUrl, record.contentType);
}

namespace {

bool isHexName(const QString& name, qsizetype digits, bool upper) {
    for (qsizetype i = 0; i < digits; ++i) {
        const char16_t c = name.at(i).unicode();
        const bool letter = upper ? (c >= u'A' && c <= u'F') : (c >= u'a' && c <= u'f');
        if (!(letter || (c >= u'0' && c <= u'9'))) {
            return false;
        }
    }
    return true;
}

// "<16 lower-case hex digits>_0" for the simple cache, 40 upper-case hex digits for cache2.
bool isEntryName(const QString& name, bool chromium) {
    if (chromium) {
        return name.size() == 18 && name.endsWith(QLatin1String("_0")) && isHexName(name, 16, false);
    }
    return name.size() == 40 && isHexName(name, 40, true);
}

}  // namespace

void DiskBrowserCache::scanFolder(const CacheFolder& folder, bool allEntries,
                                  const std::function<bool(const Found&, const Entry&)>& onFound) {
    const bool chromium = folder.kind == CacheFolder::Kind::ChromiumSimple;
    const SimpleCacheIndex index = chromium ? SimpleCacheIndex::load(folder.path) : SimpleCacheIndex();
    const QStringList names = QDir(folder.path).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    records_.reserve(records_.size() + names.size());
    // Times in local time at today's offset: exact instants that compare without a zone look-up each.
    const int offset = QDateTime::currentDateTime().offsetFromUtc();
    for (const QString& name : names) {
        if (!isEntryName(name, chromium)) {
            continue;
        }
        const QString path = folder.path + QLatin1Char('/') + name;
        FileByteSource source(path);
        if (!source.isOpen()) {
            continue;  // gone, not a regular file, or a link
        }
        ReadFailure failure = ReadFailure::Unreadable;
        std::optional<CacheRecord> record = chromium ? SimpleCacheEntryReader::read(source, &failure)
                                                     : FirefoxCacheEntryReader::read(source, &failure);
        if (!record) {
            unreadableEntries_ += failure == ReadFailure::Unreadable ? 1 : 0;
            continue;
        }
        if (!record->usable && !allEntries) {
            continue;
        }
        record->entryFile = path;
        // The latest use any record of the cache tells: the index is written lazily, the entry only
        // when its response changes.
        qint64 usedMs = qMax(source.modifiedMs(), record->lastUsedMs);
        if (chromium) {
            usedMs = qMax(usedMs, index.lastUsedMs(name.left(16).toULongLong(nullptr, 16)));
        }
        record->lastAccess = QDateTime::fromMSecsSinceEpoch(usedMs, Qt::OffsetFromUTC, offset);
        const Entry entry{record->sourceUrl, localFileFor(*record, name), record->lastAccess};
        records_.append(Found{std::move(*record), folder.path, entry.localFileName});
        if (!onFound(records_.last(), entry)) {
            return;
        }
    }
}

void DiskBrowserCache::scan(const std::function<bool(const Found&, const Entry&)>& onFound, bool allEntries) {
    records_.clear();
    byLocalFile_.clear();
    byUrl_.clear();
    unreadableEntries_ = 0;
    bool going = true;
    for (const CacheFolder& folder : folders_) {
        scanFolder(folder, allEntries, [&](const Found& found, const Entry& entry) {
            going = onFound(found, entry);
            return going;
        });
        if (!going) {
            break;
        }
    }
    sinceScan_.start();
}

void DiskBrowserCache::enumerate(const std::function<bool(const Entry&)>& onEntry) {
    scan([&](const Found&, const Entry& entry) { return onEntry(entry); });
}

bool DiskBrowserCache::refreshIfStale() {
    if (sinceScan_.isValid() && sinceScan_.elapsed() <= kRescanAfterMs) {
        return false;
    }
    scan([](const Found&, const Entry&) { return true; });
    return true;
}

bool DiskBrowserCache::writeBody(const Found& found, const QString& target) {
    if (!isInside(target, materializeFolder_) || !isPlainFile(found.record.entryFile) ||
        !isInside(QFileInfo(found.record.entryFile).canonicalFilePath(), found.folder)) {
        return false;
    }
    if (!QDir().mkpath(QFileInfo(target).path())) {
        return false;
    }
    return BodyExtractor::write(found.record, target);
}

void DiskBrowserCache::buildIndexes() {
    // Built on the first use after a listing: listing itself only appends.
    if (!byLocalFile_.isEmpty() || records_.isEmpty()) {
        return;
    }
    byLocalFile_.reserve(records_.size());
    for (qsizetype i = 0; i < records_.size(); ++i) {
        const Found& found = records_.at(i);
        byLocalFile_.insert(found.localFile, i);
        // The most recently used entry of each address.
        const auto known = byUrl_.constFind(found.record.sourceUrl);
        if (known == byUrl_.constEnd() || records_.at(*known).record.lastAccess < found.record.lastAccess) {
            byUrl_.insert(found.record.sourceUrl, i);
        }
    }
}

bool DiskBrowserCache::materialize(const Entry& entry) {
    buildIndexes();
    const auto at = byLocalFile_.constFind(entry.localFileName);
    if (at == byLocalFile_.constEnd()) {
        return false;
    }
    return writeBody(records_.at(*at), entry.localFileName);
}

QString DiskBrowserCache::lookup(const QString& url) {
    const bool fresh = refreshIfStale();
    buildIndexes();
    qsizetype at = byUrl_.value(url, -1);
    if (at < 0 && !fresh) {
        // The browser may have cached it since the last listing.
        scan([](const Found&, const Entry&) { return true; });
        buildIndexes();
        at = byUrl_.value(url, -1);
    }
    if (at < 0) {
        return {};
    }
    const Found& found = records_.at(at);
    return writeBody(found, found.localFile) ? found.localFile : QString();
}

bool DiskBrowserCache::removeEntryFiles(const Found& found) {
    const QString entryFile = found.record.entryFile;
    if (!isPlainFile(entryFile) || !isInside(QFileInfo(entryFile).canonicalFilePath(), found.folder)) {
        return false;
    }
    QStringList files = {entryFile};
    if (found.record.format == CacheRecord::Format::ChromiumSimple) {
        // The other files of the same entry: stream 2 and sparse data.
        const QString stem = entryFile.left(entryFile.size() - 1);
        files << stem + QLatin1Char('1') << stem + QLatin1Char('s');
    }
    bool removed = false;
    for (const QString& file : files) {
        if (isPlainFile(file) && QFile::remove(file)) {
            removed = removed || file == entryFile;
        }
    }
    return removed;
}

bool DiskBrowserCache::deleteEntry(const QString& url) {
    refreshIfStale();
    bool removed = false;
    for (const Found& found : std::as_const(records_)) {
        if (found.record.sourceUrl == url) {
            removed = removeEntryFiles(found) || removed;
        }
    }
    if (removed) {
        sinceScan_.invalidate();
    }
    return removed;
}

void DiskBrowserCache::clearCache() {
    // Every entry of the cache goes, error pages included; files that are no entries stay.
    scan([](const Found&, const Entry&) { return true; }, true);
    for (const Found& found : std::as_const(records_)) {
        removeEntryFiles(found);
    }
    records_.clear();
    sinceScan_.invalidate();
}

QString DiskBrowserCache::statusNote() {
    CacheSearch search = search_;
    search.folders = folders_;
    return CacheStatus::note(search, unreadableEntries_);
}

std::unique_ptr<BrowserCache> CreateBrowserCache(const QStringList& extraProfiles) {
    CacheSearch search = CacheFolders::search(extraProfiles);
    auto cache =
        std::make_unique<DiskBrowserCache>(search.folders, DiskBrowserCache::defaultMaterializeFolder());
    cache->setSearch(std::move(search));
    return cache;
}

}  // namespace vorlaken
