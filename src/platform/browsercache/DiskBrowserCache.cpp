#include "DiskBrowserCache.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <zlib.h>

#include "ByteSource.h"
#include "FirefoxCacheEntryReader.h"
#include "LocalFileNamer.h"
#include "SimpleCacheEntryReader.h"
#include "SimpleCacheIndex.h"

namespace vorlaken {

namespace {

constexpr qint64 kRescanAfterMs = 2000;
constexpr qint64 kCopyBlock = 1024 * 1024;

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

void DiskBrowserCache::scanFolder(const CacheFolder& folder,
                                  const std::function<bool(const Found&, const Entry&)>& onFound) {
    static const QRegularExpression chromiumName(QStringLiteral("^([0-9a-f]{16})_0$"));
    static const QRegularExpression firefoxName(QStringLiteral("^[0-9A-F]{40}$"));
    const bool chromium = folder.kind == CacheFolder::Kind::ChromiumSimple;
    const SimpleCacheIndex index = chromium ? SimpleCacheIndex::load(folder.path) : SimpleCacheIndex();
    QDir dir(folder.path);
    const QFileInfoList files =
        dir.entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::Hidden, QDir::Unsorted);
    for (const QFileInfo& file : files) {
        const QString name = file.fileName();
        const QRegularExpressionMatch match = chromium ? chromiumName.match(name) : firefoxName.match(name);
        if (!match.hasMatch()) {
            continue;
        }
        FileByteSource source(file.filePath());
        if (!source.isOpen()) {
            continue;
        }
        std::optional<CacheRecord> record =
            chromium ? SimpleCacheEntryReader::read(source) : FirefoxCacheEntryReader::read(source);
        if (!record) {
            continue;
        }
        record->entryFile = file.filePath();
        const QDateTime modified = file.lastModified();
        if (chromium) {
            const QDateTime indexed = index.lastUsed(match.captured(1).toULongLong(nullptr, 16));
            record->lastAccess = indexed.isValid() && indexed > modified ? indexed : modified;
        } else if (!record->lastAccess.isValid()) {
            record->lastAccess = modified;
        }
        Found found{*record, folder.path};
        Entry entry{record->sourceUrl, localFileFor(*record, name), record->lastAccess};
        byLocalFile_.insert(entry.localFileName, found);
        const auto known = localFileByUrl_.constFind(entry.sourceUrl);
        if (known == localFileByUrl_.constEnd() ||
            byLocalFile_.value(*known).record.lastAccess < record->lastAccess) {
            localFileByUrl_.insert(entry.sourceUrl, entry.localFileName);
        }
        if (!onFound(found, entry)) {
            return;
        }
    }
}

void DiskBrowserCache::scan(const std::function<bool(const Found&, const Entry&)>& onFound) {
    byLocalFile_.clear();
    localFileByUrl_.clear();
    bool going = true;
    for (const CacheFolder& folder : folders_) {
        scanFolder(folder, [&](const Found& found, const Entry& entry) {
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
    QFile in(found.record.entryFile);
    if (!in.open(QIODevice::ReadOnly) || in.size() < found.record.bodyOffset + found.record.bodyLength ||
        !in.seek(found.record.bodyOffset)) {
        return false;
    }
    if (!QDir().mkpath(QFileInfo(target).path())) {
        return false;
    }
    // The whole copy is checked before it replaces anything: a body whose CRC fails is never seen.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    uLong crc = crc32(0, nullptr, 0);
    qint64 left = found.record.bodyLength;
    while (left > 0) {
        const QByteArray block = in.read(qMin(left, kCopyBlock));
        if (block.isEmpty()) {
            return false;
        }
        crc = crc32(crc, reinterpret_cast<const Bytef*>(block.constData()), uInt(block.size()));
        if (out.write(block) != block.size()) {
            return false;
        }
        left -= block.size();
    }
    if (found.record.bodyHasCrc && quint32(crc) != found.record.bodyCrc) {
        return false;
    }
    return out.commit();
}

bool DiskBrowserCache::materialize(const Entry& entry) {
    auto found = byLocalFile_.constFind(entry.localFileName);
    if (found == byLocalFile_.constEnd()) {
        return false;
    }
    return writeBody(*found, entry.localFileName);
}

QString DiskBrowserCache::lookup(const QString& url) {
    const bool fresh = refreshIfStale();
    QString local = localFileByUrl_.value(url);
    if (local.isEmpty() && !fresh) {
        // The browser may have cached it since the last listing.
        scan([](const Found&, const Entry&) { return true; });
        local = localFileByUrl_.value(url);
    }
    if (local.isEmpty()) {
        return {};
    }
    return writeBody(byLocalFile_.value(local), local) ? local : QString();
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
    for (auto it = byLocalFile_.cbegin(); it != byLocalFile_.cend(); ++it) {
        if (it->record.sourceUrl == url) {
            removed = removeEntryFiles(*it) || removed;
        }
    }
    if (removed) {
        sinceScan_.invalidate();
    }
    return removed;
}

void DiskBrowserCache::clearCache() {
    QList<Found> all;
    scan([&](const Found& found, const Entry&) {
        all.append(found);
        return true;
    });
    for (const Found& found : all) {
        removeEntryFiles(found);
    }
    sinceScan_.invalidate();
}

std::unique_ptr<BrowserCache> CreateBrowserCache(const QStringList& extraProfiles) {
    return std::make_unique<DiskBrowserCache>(CacheFolders::discover(extraProfiles),
                                              DiskBrowserCache::defaultMaterializeFolder());
}

}  // namespace vorlaken
