#pragma once

#include "ByteSource.h"
#include "CacheRecord.h"
#include "ResponseHead.h"

namespace vorlaken {

// What both readers decide about a stored body from its response head and its first bytes: whether it
// is complete and decodable, and what type of content it is.
class StoredBody {
  public:
    // How many stored bytes are read (and decoded) to tell the type.
    static constexpr qint64 kSniffStoredBytes = 4096;

    // Sets usable, truncated, contentEncoding and contentType of a record whose body offset and
    // length are known.
    static void assess(const ResponseHead& head, ByteSource& source, CacheRecord* record);
};

}  // namespace vorlaken
