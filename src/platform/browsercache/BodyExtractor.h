#pragma once

#include <QString>

#include "CacheRecord.h"

namespace vorlaken {

// Copies the body of one cache entry out into a file: exactly the decoded, complete picture or
// nothing. The stored bytes are checked first (Chromium's CRC-32, Firefox's chunk hashes), so a body
// rewritten since listing is not handed out; a body whose encoding does not decode to its end leaves
// no file either.
class BodyExtractor {
  public:
    // Reads the stored body in blocks of this size; a multiple of Firefox's chunk size.
    static constexpr qint64 kBlock = 256 * 1024;

    // Writes the body to target, replacing it only when everything checked out.
    static bool write(const CacheRecord& record, const QString& target);
};

}  // namespace vorlaken
