#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

namespace vorlaken {

// The last-use times in a simple cache's "index-dir/the-real-index". Chromium rewrites this file from
// time to time, not on every use, so it is one source of the time among others.
class SimpleCacheIndex {
  public:
    static constexpr quint64 kMagic = 0x656e74657220796fULL;
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    // Parses the index file's bytes; an unknown or inconsistent file gives an empty index.
    static SimpleCacheIndex parse(const QByteArray& bytes);
    static SimpleCacheIndex load(const QString& cacheFolder);

    // The last use of the entry whose file is "<hash>_0" in milliseconds since the epoch; 0 when the
    // index has none.
    qint64 lastUsedMs(quint64 entryHash) const;
    qsizetype size() const { return lastUsed_.size(); }

  private:
    QHash<quint64, qint64> lastUsed_;  // microseconds since 1601-01-01 UTC
};

}  // namespace vorlaken
