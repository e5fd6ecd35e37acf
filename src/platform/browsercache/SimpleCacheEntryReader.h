#pragma once

#include <optional>

#include <QByteArray>
#include <QString>

#include "ByteSource.h"
#include "CacheRecord.h"

namespace vorlaken {

// Reads one entry file "<hash>_0" of Chromium's simple disk cache:
//   header (magic, version, key length, key hash, padding) | key | stream 1 (the body) | end record 1 |
//   stream 0 (the pickled response info) | [SHA-256 of the key] | end record 0
// An end record holds magic, flags (CRC present, key SHA present), the CRC-32 of its stream and, for
// stream 0, the stream's size; the body's size follows from the file size. Anything that does not add up
// gives no record.
class SimpleCacheEntryReader {
  public:
    static constexpr quint64 kHeaderMagic = 0xfcfb6d1ba7725c30ULL;
    static constexpr quint64 kEndMagic = 0xf4fa6f45970d41d8ULL;
    static constexpr quint32 kVersion = 5;
    static constexpr int kHeaderSize = 24;
    static constexpr int kEndRecordSize = 24;
    static constexpr int kKeyShaSize = 32;
    static constexpr quint32 kFlagCrc = 1;
    static constexpr quint32 kFlagKeySha = 2;
    static constexpr int kMaxKeyLength = 64 * 1024;
    static constexpr int kMaxHeadersLength = 1024 * 1024;

    // The response stored in this entry, or nothing when the entry does not add up or stores no web
    // address; failure, when given, says which.
    static std::optional<CacheRecord> read(ByteSource& source, ReadFailure* failure = nullptr);
    // Flags of the pickled response info.
    static constexpr quint32 kInfoTruncated = 1u << 12;
    static constexpr quint32 kInfoExtraFlags = 1u << 31;

    // The address a cache key stands for. Keys carry a prefix: "1/0/_dk_<site> <site> <url>" with the
    // cache split by site, "1/0/<url>" without, other digits for credentials and uploads, "s" for
    // documents of frames. The address is the last part. Empty when the key holds no http(s) address.
    static QString urlOfKey(const QByteArray& key);
    // The raw response head text inside the pickled response info (NUL-separated lines).
    static QByteArray headersOfResponseInfo(const QByteArray& pickle);
    // The flags word of the pickled response info (its version in the low byte); 0 when too short.
    static quint32 flagsOfResponseInfo(const QByteArray& pickle);
    // The later of the request and response times the response info records, ms since the epoch;
    // 0 when it has none.
    static qint64 timeOfResponseInfo(const QByteArray& pickle);
};

}  // namespace vorlaken
