#include "DiskBrowserCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <QUrl>
#include <QtEndian>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "BodyExtractor.h"
#include "ByteSource.h"
#include "CacheStatus.h"
#include "FirefoxCacheEntryReader.h"
#include "LocalFileNamer.h"
#include "SimpleCacheEntryReader.h"
#include "SimpleCacheIndex.h"

namespace vorlaken {

namespace {

// The nice value of a walk beside the caller: the lowest claim on the processor.
constexpr int kBesidePriority = 19;

bool isPlainFile(const QString& path) {
    const QFileInfo info(path);
    return info.exists() && !info.isSymLink() && info.isFile();
}

bool isInside(const QString& path, const QString& folder) {
    return QDir::cleanPath(path).startsWith(folder + QLatin1Char('/'));
}

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
bool isEntryName(const QString& name, CacheFolder::Kind kind) {
    if (kind == CacheFolder::Kind::ChromiumSimple) {
        return name.size() == 18 && name.endsWith(QLatin1String("_0")) && isHexName(name, 16, false);
    }
    return name.size() == 40 && isHexName(name, 40, true);
}

// The simple cache's other files of an entry: "<hash>_1" (stream 2) and "<hash>_s" (sparse data).
bool isOtherStreamName(const QString& name) {
    return name.size() == 18 && (name.endsWith(QLatin1String("_1")) || name.endsWith(QLatin1String("_s"))) &&
           isHexName(name, 16, false);
}

// Removes a folder of materialised copies: its plain files, then the folder if that left it empty.
// A link in its place is left alone, and nothing is followed out of it.
void removeCopy(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists() || info.isSymLink() || !info.isDir()) {
        return;
    }
    const QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QString file = folder + QLatin1Char('/') + name;
        if (isPlainFile(file)) {
            QFile::remove(file);
        }
    }
    QDir().rmdir(folder);
}

// The browser a cache folder belongs to, from the usual folder names of each.
QString browserOfPath(const QString& path, CacheFolder::Kind kind) {
    static const std::pair<QLatin1String, QLatin1String> known[] = {
        {QLatin1String("google-chrome-beta"), QLatin1String("Google Chrome Beta")},
        {QLatin1String("google-chrome"), QLatin1String("Google Chrome")},
        {QLatin1String("microsoft-edge"), QLatin1String("Microsoft Edge")},
        {QLatin1String("brave"), QLatin1String("Brave")},
        {QLatin1String("vivaldi"), QLatin1String("Vivaldi")},
        {QLatin1String("chromium"), QLatin1String("Chromium")},
        {QLatin1String("firefox"), QLatin1String("Firefox")},
    };
    const QString lower = path.toLower();
    for (const auto& [fragment, name] : known) {
        if (lower.contains(fragment)) {
            return name;
        }
    }
    return kind == CacheFolder::Kind::Firefox ? QStringLiteral("Firefox")
                                              : QStringLiteral("Chromium-family browser");
}

// "Chromium, profile Default (~/.cache/chromium/Default/Cache/Cache_Data)": the profile is the folder
// holding "Cache/Cache_Data" or "cache2/entries".
QString nameOfFolder(const CacheFolder& folder) {
    const QDir dir(folder.path);
    const QString leaf = dir.dirName();
    const QString parent = QFileInfo(dir.absolutePath()).dir().dirName();
    QString profile;
    if ((leaf == QLatin1String("Cache_Data") && parent == QLatin1String("Cache")) ||
        (leaf == QLatin1String("entries") && parent == QLatin1String("cache2"))) {
        profile = QFileInfo(QFileInfo(dir.absolutePath()).path()).path();
        profile = QFileInfo(profile).fileName();
    }
    QString where = folder.path;
    const QString home = QDir::homePath();
    if (where.startsWith(home + QLatin1Char('/'))) {
        where = QLatin1Char('~') + where.mid(home.size());
    }
    const QString browser = browserOfPath(folder.path, folder.kind);
    if (profile.isEmpty()) {
        return QStringLiteral("%1 (%2)").arg(browser, where);
    }
    return QStringLiteral("%1, profile %2 (%3)").arg(browser, profile, where);
}

// The sites a page at this address can stand for: scheme and host for an address or a single-label
// host, else every suffix of at least two labels, one of which is the registrable domain.
QStringList sitesOf(const QString& address) {
    const QUrl url(address);
    const QString scheme = url.scheme();
    const QString host = url.host();
    if ((scheme != QLatin1String("http") && scheme != QLatin1String("https")) || host.isEmpty()) {
        return {};
    }
    const QString prefix = scheme + QLatin1String("://");
    if (host.contains(QLatin1Char(':'))) {
        return {prefix + QLatin1Char('[') + host + QLatin1Char(']')};
    }
    const QStringList labels = host.split(QLatin1Char('.'));
    const bool numeric =
        std::all_of(host.cbegin(), host.cend(), [](QChar c) { return c.isDigit() || c == u'.'; });
    if (numeric || labels.size() < 2) {
        return {prefix + host};
    }
    QStringList sites;
    for (qsizetype i = 0; i + 1 < labels.size(); ++i) {
        sites << prefix + labels.mid(i).join(QLatin1Char('.'));
    }
    return sites;
}

// Chromium names an entry file after the first eight bytes of its key's SHA-1, read little-endian.
QString simpleEntryName(const QByteArray& key) {
    const QByteArray sha = QCryptographicHash::hash(key, QCryptographicHash::Sha1);
    return QStringLiteral("%1_0").arg(qFromLittleEndian<quint64>(sha.constData()), 16, 16, QLatin1Char('0'));
}

}  // namespace

DiskBrowserCache::DiskBrowserCache(QList<CacheFolder> folders, QString materializeFolder, Listing listing)
    : folders_(std::move(folders)),
      materializeFolder_(QDir::cleanPath(materializeFolder)),
      listing_(listing),
      // Times in local time at today's offset: exact instants that compare without a zone look-up each.
      localOffset_(QDateTime::currentDateTime().offsetFromUtc()) {}

QString DiskBrowserCache::defaultMaterializeFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QLatin1String("/tidewell/files");
}

QString DiskBrowserCache::localFileFor(const CacheRecord& record, const QString& entryName) const {
    const CacheFolder::Kind kind = record.format == CacheRecord::Format::Firefox
                                       ? CacheFolder::Kind::Firefox
                                       : CacheFolder::Kind::ChromiumSimple;
    return copyFolderOf(entryName, kind) + QLatin1Char('/') +
           LocalFileNamer::fileName(record.sourceUrl, record.contentType);
}

void DiskBrowserCache::readEntry(const CacheFolder& folder, const QString& name, Walk& into) const {
    if (!isEntryName(name, folder.kind)) {
        return;
    }
    const bool chromium = folder.kind == CacheFolder::Kind::ChromiumSimple;
    const QString path = folder.path + QLatin1Char('/') + name;
    FileByteSource source(path);
    if (!source.isOpen()) {
        return;  // gone, not a regular file, or a link
    }
    ReadFailure failure = ReadFailure::Unreadable;
    std::optional<CacheRecord> record = chromium ? SimpleCacheEntryReader::read(source, &failure)
                                                 : FirefoxCacheEntryReader::read(source, &failure);
    if (!record) {
        into.unreadable += failure == ReadFailure::Unreadable ? 1 : 0;
        return;
    }
    if (!record->usable) {
        return;
    }
    record->entryFile = path;
    // The latest use any record of the cache tells: the index is written lazily, the entry only
    // when its response changes.
    qint64 usedMs = qMax(source.modifiedMs(), record->lastUsedMs);
    if (chromium) {
        usedMs = qMax(usedMs, into.index.lastUsedMs(name.left(16).toULongLong(nullptr, 16)));
    }
    record->lastAccess = QDateTime::fromMSecsSinceEpoch(usedMs, Qt::OffsetFromUTC, localOffset_);
    QString localFile = localFileFor(*record, name);
    add(into, Found{std::move(*record), folder.path, std::move(localFile)});
}

void DiskBrowserCache::walkOn(Walk& walk, const std::atomic_bool& stop) const {
    for (; walk.folder < folders_.size(); ++walk.folder) {
        const CacheFolder& folder = folders_.at(walk.folder);
        if (!walk.folderOpened) {
            walk.index = folder.kind == CacheFolder::Kind::ChromiumSimple
                             ? SimpleCacheIndex::load(folder.path)
                             : SimpleCacheIndex();
            walk.names = QDir(folder.path).entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
            walk.next = 0;
            walk.folderOpened = true;
            const qsizetype more = walk.records.size() + walk.names.size();
            walk.records.reserve(more);
            walk.byLocalFile.reserve(more);
            walk.byUrl.reserve(more);
        }
        for (; walk.next < walk.names.size(); ++walk.next) {
            if (stop.load(std::memory_order_relaxed)) {
                return;
            }
            readEntry(folder, walk.names.at(walk.next), walk);
        }
        walk.folderOpened = false;
        walk.names.clear();
    }
    walk.complete = true;
}

void DiskBrowserCache::add(Walk& into, Found found) {
    const qsizetype at = into.records.size();
    into.byLocalFile.insert(found.localFile, at);
    // The most recently used copy of each address stands for it; the first one found on a tie.
    const auto known = into.byUrl.find(found.record.sourceUrl);
    if (known == into.byUrl.end()) {
        into.byUrl.insert(found.record.sourceUrl, at);
    } else if (into.records.at(*known).record.lastAccess < found.record.lastAccess) {
        *known = at;
    }
    into.records.append(std::move(found));
}

void DiskBrowserCache::adopt(Walk walk) {
    records_ = std::move(walk.records);
    byLocalFile_ = std::move(walk.byLocalFile);
    byUrl_ = std::move(walk.byUrl);
    unreadableEntries_ = walk.unreadable;
    ++walks_;
    listed_ = true;
}

void DiskBrowserCache::walk() {
    Walk walk;
    if (pending_.valid()) {
        // The walk under way is this walk: stopped where it stands, it goes on here at full speed.
        stopWalk_ = true;
        walk = pending_.get();
        stopWalk_ = false;
    }
    walkOn(walk, stopWalk_);
    adopt(std::move(walk));
}

void DiskBrowserCache::ensureListing() {
    if (!listed_) {
        walk();
    }
}

void DiskBrowserCache::startListing() {
    if (listed_ || pending_.valid() || listing_ != Listing::Kept) {
        return;
    }
    // Only immutable members are read beside the caller: the folders and the materialisation folder.
    // The walk yields the processor to the caller's work, which it is meant to hide behind; whoever
    // waits for it takes it on.
    pending_ = std::async(std::launch::async, [this] {
        ::setpriority(PRIO_PROCESS, id_t(::gettid()), kBesidePriority);
        Walk walk;
        walkOn(walk, stopWalk_);
        return walk;
    });
}

bool DiskBrowserCache::listingPending() {
    if (!pending_.valid()) {
        return false;
    }
    if (pending_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
        return true;
    }
    adopt(pending_.get());
    return false;
}

DiskBrowserCache::~DiskBrowserCache() {
    if (pending_.valid()) {
        stopWalk_ = true;
        pending_.wait();
    }
}

void DiskBrowserCache::enumerate(const std::function<bool(const Entry&)>& onEntry) {
    if (listing_ == Listing::Fresh || !listed_) {
        walk();
    }
    // Taken out first: a handler may materialise, look up, or even list again while it is called.
    QList<Entry> entries;
    entries.reserve(byUrl_.size());
    for (qsizetype i = 0; i < records_.size(); ++i) {
        const Found& found = records_.at(i);
        if (byUrl_.value(found.record.sourceUrl) == i) {
            entries.append(Entry{found.record.sourceUrl, found.localFile, found.record.lastAccess});
        }
    }
    for (const Entry& entry : std::as_const(entries)) {
        if (!onEntry(entry)) {
            return;
        }
    }
}

bool DiskBrowserCache::writeBody(const Found& found, const QString& target) {
    if (!isInside(target, materializeFolder_) || !isPlainFile(found.record.entryFile) ||
        !isInside(QFileInfo(found.record.entryFile).canonicalFilePath(), found.folder)) {
        return false;
    }
    // A copy made from the same entry since it last changed was checked when it was made: it stands.
    // Only for bodies stored as they are: a decoded copy's length says nothing about the entry.
    const QFileInfo copy(target);
    if (found.record.contentEncoding.isEmpty() && copy.isFile() && !copy.isSymLink() &&
        copy.size() == found.record.bodyLength &&
        copy.lastModified() > QFileInfo(found.record.entryFile).lastModified()) {
        return true;
    }
    if (!QDir().mkpath(QFileInfo(target).path())) {
        return false;
    }
    return BodyExtractor::write(found.record, target);
}

bool DiskBrowserCache::materialize(const Entry& entry) {
    const auto at = byLocalFile_.constFind(entry.localFileName);
    if (at == byLocalFile_.constEnd()) {
        return false;
    }
    return writeBody(records_.at(*at), entry.localFileName);
}

std::optional<DiskBrowserCache::Found> DiskBrowserCache::probe(const QString& url) const {
    QStringList sites = sitesOf(pageUrl_);
    for (const QString& site : sitesOf(url)) {
        if (!sites.contains(site)) {
            sites.append(site);
        }
    }
    QList<QByteArray> keys = {url.toUtf8()};
    for (const QString& site : std::as_const(sites)) {
        keys.append(QStringLiteral("1/0/_dk_%1 %1 %2").arg(site, url).toUtf8());
    }
    for (const CacheFolder& folder : folders_) {
        if (folder.kind != CacheFolder::Kind::ChromiumSimple) {
            continue;
        }
        for (const QByteArray& key : std::as_const(keys)) {
            const QString name = simpleEntryName(key);
            FileByteSource source(folder.path + QLatin1Char('/') + name);
            if (!source.isOpen()) {
                continue;
            }
            // The file is read like any other: only an entry of exactly this address counts.
            std::optional<CacheRecord> record = SimpleCacheEntryReader::read(source);
            if (!record || !record->usable || record->sourceUrl != url) {
                continue;
            }
            record->entryFile = folder.path + QLatin1Char('/') + name;
            record->lastAccess = QDateTime::fromMSecsSinceEpoch(source.modifiedMs());
            QString localFile = localFileFor(*record, name);
            return Found{std::move(*record), folder.path, std::move(localFile)};
        }
    }
    return std::nullopt;
}

QString DiskBrowserCache::lookup(const QString& url) {
    if (!listed_) {
        // Most pictures of a page are cached under its site: opening those entries spares the walk.
        if (const std::optional<Found> found = probe(url)) {
            return writeBody(*found, found->localFile) ? found->localFile : QString();
        }
        // A kept listing walks beside the caller and is not waited for: the caller has its own way to
        // the picture, and asks the listing once it has ended.
        startListing();
        if (listingPending()) {
            return {};
        }
    }
    ensureListing();
    const qsizetype at = byUrl_.value(url, -1);
    if (at < 0) {
        return {};
    }
    const Found& found = records_.at(at);
    return writeBody(found, found.localFile) ? found.localFile : QString();
}

QString DiskBrowserCache::copyFolderOf(const QString& entryName, CacheFolder::Kind kind) const {
    // One sub folder per cache entry keeps equal names of different addresses apart; the entry file's
    // name is already a hash of the key, so the folder stays the same from one listing to the next.
    const QLatin1String prefix = kind == CacheFolder::Kind::Firefox ? QLatin1String("f") : QLatin1String("c");
    return materializeFolder_ + QLatin1Char('/') + prefix + entryName.left(16).toLower();
}

bool DiskBrowserCache::removeEntryFiles(const QString& entryFile, const QString& folder,
                                        CacheFolder::Kind kind) {
    if (!isPlainFile(entryFile) || QFileInfo(entryFile).canonicalPath() != folder) {
        return false;
    }
    QStringList files = {entryFile};
    if (kind == CacheFolder::Kind::ChromiumSimple) {
        // The other files of the same entry: stream 2 and sparse data.
        const QString stem = entryFile.left(entryFile.size() - 1);
        files << stem + QLatin1Char('1') << stem + QLatin1Char('s');
    }
    bool removed = false;
    for (const QString& file : std::as_const(files)) {
        if (isPlainFile(file) && QFile::remove(file)) {
            removed = removed || file == entryFile;
        }
    }
    removeCopy(copyFolderOf(QFileInfo(entryFile).fileName(), kind));
    return removed;
}

bool DiskBrowserCache::deleteEntry(const QString& url) {
    if (listing_ == Listing::Fresh || !listed_) {
        walk();
    }
    // Every copy of the address goes, whichever site it was kept for.
    bool removed = false;
    for (const Found& found : std::as_const(records_)) {
        if (found.record.sourceUrl == url) {
            const CacheFolder::Kind kind = found.record.format == CacheRecord::Format::Firefox
                                               ? CacheFolder::Kind::Firefox
                                               : CacheFolder::Kind::ChromiumSimple;
            removed = removeEntryFiles(found.record.entryFile, found.folder, kind) || removed;
        }
    }
    if (removed) {
        listed_ = false;
    }
    return removed;
}

void DiskBrowserCache::clearCache() {
    // Every entry file of the folders goes by its name alone, also those no reader makes sense of:
    // error pages, other kinds of resources, entries of a newer format. Files that are no entries stay.
    for (const CacheFolder& folder : std::as_const(folders_)) {
        const QStringList names =
            QDir(folder.path).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Unsorted);
        for (const QString& name : names) {
            if (isEntryName(name, folder.kind)) {
                removeEntryFiles(folder.path + QLatin1Char('/') + name, folder.path, folder.kind);
            } else if (folder.kind == CacheFolder::Kind::ChromiumSimple && isOtherStreamName(name) &&
                       isPlainFile(folder.path + QLatin1Char('/') + name)) {
                // Stream 2 or sparse data whose main file is gone already.
                QFile::remove(folder.path + QLatin1Char('/') + name);
            }
        }
    }
    records_.clear();
    byLocalFile_.clear();
    byUrl_.clear();
    listed_ = false;
}

QStringList DiskBrowserCache::cacheNames() {
    QStringList names;
    for (const CacheFolder& folder : std::as_const(folders_)) {
        names.append(nameOfFolder(folder));
    }
    return names;
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

QList<CacheFolder> ProfileCacheFolders(const QString& profile, const QString& configHome,
                                       const QString& cacheHome) {
    QList<CacheFolder> folders = CacheFolders::inFolder(profile);
    // A profile kept below the configuration folder has its disk cache at the same place below the
    // cache folder (~/.config/chromium and ~/.cache/chromium).
    const QString clean = QDir::cleanPath(profile);
    const QString config = QDir::cleanPath(configHome);
    if (!config.isEmpty() && !cacheHome.isEmpty() && clean.startsWith(config + QLatin1Char('/'))) {
        const QString mirror = QDir::cleanPath(cacheHome) + clean.mid(config.size());
        for (const CacheFolder& folder : CacheFolders::inFolder(mirror)) {
            if (!folders.contains(folder)) {
                folders.append(folder);
            }
        }
    }
    return folders;
}

std::unique_ptr<BrowserCache> CreateRunBrowserCache(const QString& attachedProfile, const QString& pageUrl) {
    QList<CacheFolder> folders;
    if (attachedProfile.isEmpty() || !qEnvironmentVariableIsEmpty("TIDEWELL_CACHE")) {
        folders = CacheFolders::discover(QStringList());
    } else {
        folders = ProfileCacheFolders(attachedProfile,
                                      QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                                      QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation));
    }
    auto cache = std::make_unique<DiskBrowserCache>(
        std::move(folders), DiskBrowserCache::defaultMaterializeFolder(), DiskBrowserCache::Listing::Kept);
    cache->setPageUrl(pageUrl);
    return cache;
}

}  // namespace vorlaken
