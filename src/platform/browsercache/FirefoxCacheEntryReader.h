#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "ByteSource.h"
#include "CacheRecord.h"

namespace vorlaken {

// Reads one entry file of Firefox's cache2 ("cache2/entries/<SHA1 of key>"): the body first, then the
// metadata, then the metadata's offset as the file's last four bytes (big-endian). The metadata holds a
// hash, one 16-bit hash per 256 KiB chunk of the body, a header (version, fetch count, last fetched,
// last modified, frecency, expiration, key length, flags), the key with a NUL, and NUL-terminated
// name/value pairs such as "response-head".
class FirefoxCacheEntryReader {
  public:
    static constexpr qint64 kChunkSize = 256 * 1024;
    static constexpr qint64 kMaxMetadataSize = 1024 * 1024;

    // The response stored in this entry, or nothing when the entry does not add up or stores no web
    // address; failure, when given, says which.
    static std::optional<CacheRecord> read(ByteSource& source, ReadFailure* failure = nullptr);
    // The address in a key: tags separated by "," (",," escapes a comma) and then ":" + address.
    // Empty when the key holds no http(s) address.
    static QString urlOfKey(const QByteArray& key);
};

}  // namespace vorlaken
