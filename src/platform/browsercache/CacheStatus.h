#pragma once

#include <QString>

#include "CacheFolders.h"

namespace vorlaken {

// The viewer's word about the caches behind a listing: that none was found (where it looked and how to
// name one), caches in a layout that is not read, entries that could not be read. Empty when all is
// well.
class CacheStatus {
  public:
    static QString note(const CacheSearch& search, int unreadableEntries);
};

}  // namespace vorlaken
