#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace vorlaken {

// Why a reader gave no record for an entry file.
enum class ReadFailure {
    NotWeb,      // a well-formed entry of something other than an http(s) address
    Unreadable,  // an unknown version, or a file that does not add up
};

// One cached response as a disk cache reader found it: where its body lies inside which file.
struct CacheRecord {
    enum class Format { ChromiumSimple, Firefox };

    Format format = Format::ChromiumSimple;
    QString sourceUrl;
    // What the body is, lower case, without parameters: the stored type, or the picture type its first
    // bytes show (see PictureSniffer::effectiveType); empty when unknown.
    QString contentType;
    // The stored Content-Encoding: the body lies compressed in the file and is decoded when it is
    // copied out. Empty when the body is stored as it is.
    QString contentEncoding;
    // A complete successful answer that can be decoded. Others (404 pages, redirects, bodies cut off,
    // unknown encodings) are entries of the cache too, but hold no body worth listing.
    bool usable = true;
    // The browser stored less of the body than the server announced.
    bool truncated = false;
    qint64 lastUsedMs = 0;  // as the entry itself stores it, ms since the epoch; 0 when it has none
    QDateTime lastAccess;   // invalid when unknown
    QString entryFile;      // the cache's own file holding the body
    qint64 bodyOffset = 0;
    qint64 bodyLength = 0;
    bool bodyHasCrc = false;  // the body's CRC-32 is stored and checked before the body is used
    quint32 bodyCrc = 0;
    // Firefox: the hash of each 256 KiB chunk of the body, checked before the body is used.
    QList<quint16> chunkHashes;
};

}  // namespace vorlaken
