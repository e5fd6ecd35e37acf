#pragma once

#include <QDateTime>
#include <QString>

namespace vorlaken {

// One cached response as a disk cache reader found it: where its body lies inside which file.
struct CacheRecord {
    enum class Format { ChromiumSimple, Firefox };

    Format format = Format::ChromiumSimple;
    QString sourceUrl;
    QString contentType;  // lower case, without parameters; empty when unknown
    // A complete successful answer. Others (404 pages, redirects) are entries of the cache too, but
    // hold no body worth listing.
    bool usable = true;
    qint64 lastUsedMs = 0;  // as the entry itself stores it, ms since the epoch; 0 when it has none
    QDateTime lastAccess;   // invalid when unknown
    QString entryFile;      // the cache's own file holding the body
    qint64 bodyOffset = 0;
    qint64 bodyLength = 0;
    bool bodyHasCrc = false;  // the body's CRC-32 is stored and checked before the body is used
    quint32 bodyCrc = 0;
};

}  // namespace vorlaken
