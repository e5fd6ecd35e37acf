#pragma once

#include <cstdlib>

#include "platform/browsercache/CacheRecord.h"
#include "platform/browsercache/LocalFileNamer.h"

namespace vorlaken::fuzz {

// What every record a reader accepts must hold, whatever the bytes: a body inside the file, a web
// address, and a materialisation name that stays one plain file name in its folder.
inline void CheckRecord(const CacheRecord& record, qint64 fileSize) {
    if (record.bodyOffset < 0 || record.bodyLength < 0 || record.bodyOffset + record.bodyLength > fileSize) {
        std::abort();
    }
    if (!record.sourceUrl.startsWith(QLatin1String("http://"), Qt::CaseInsensitive) &&
        !record.sourceUrl.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
        std::abort();
    }
    if (record.truncated && record.usable) {
        std::abort();  // a cut-off body is never handed out
    }
    const QString name = LocalFileNamer::fileName(record.sourceUrl, record.contentType);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) ||
        name.contains(QChar(0)) || name == QLatin1String(".") || name == QLatin1String("..") ||
        name.size() > LocalFileNamer::kMaxNameLength + 16) {
        std::abort();
    }
}

}  // namespace vorlaken::fuzz
