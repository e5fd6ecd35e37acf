#include "SimpleCacheIndex.h"

#include <QtEndian>

#include "ByteSource.h"

namespace vorlaken {

namespace {

constexpr qint64 kWindowsToUnixMicroseconds = 11644473600000000LL;
constexpr qint64 kPickleHeader = 8;
constexpr qint64 kFixedFields = 32;  // magic, version, entry count, cache size, write reason
constexpr qint64 kEntrySize = 24;    // hash, last used, packed size

}  // namespace

SimpleCacheIndex SimpleCacheIndex::parse(const QByteArray& bytes) {
    SimpleCacheIndex index;
    if (bytes.size() < kPickleHeader + kFixedFields) {
        return index;
    }
    const char* p = bytes.constData();
    const qint64 payload = qFromLittleEndian<quint32>(p);
    if (payload != bytes.size() - kPickleHeader) {
        return index;
    }
    const char* body = p + kPickleHeader;
    const quint32 version = qFromLittleEndian<quint32>(body + 8);
    if (qFromLittleEndian<quint64>(body) != kMagic || version < 7 || version > 9) {
        return index;
    }
    const quint64 count = qFromLittleEndian<quint64>(body + 12);
    if (count > quint64((payload - kFixedFields) / kEntrySize) ||
        kFixedFields + qint64(count) * kEntrySize + 8 != payload) {
        return index;
    }
    index.lastUsed_.reserve(qsizetype(count));
    for (quint64 i = 0; i < count; ++i) {
        const char* entry = body + kFixedFields + i * kEntrySize;
        index.lastUsed_.insert(qFromLittleEndian<quint64>(entry), qFromLittleEndian<qint64>(entry + 8));
    }
    return index;
}

SimpleCacheIndex SimpleCacheIndex::load(const QString& cacheFolder) {
    // Opened like the entries: no link followed, nothing but a regular file, a FIFO never waited on.
    FileByteSource file(cacheFolder + QLatin1String("/index-dir/the-real-index"));
    if (!file.isOpen() || file.size() > kMaxFileSize) {
        return {};
    }
    return parse(file.read(0, file.size()));
}

qint64 SimpleCacheIndex::lastUsedMs(quint64 entryHash) const {
    const auto found = lastUsed_.constFind(entryHash);
    if (found == lastUsed_.constEnd() || *found <= kWindowsToUnixMicroseconds) {
        return 0;
    }
    return (*found - kWindowsToUnixMicroseconds) / 1000;
}

}  // namespace vorlaken
