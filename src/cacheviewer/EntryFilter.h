#pragma once

#include <QDateTime>

#include "cacheviewer/TIECache.h"
#include "cacheviewer/ViewerState.h"

namespace vorlaken {

// The per-entry test of a listing: time passed, URL include, URL exclude, then format, in that order.
class EntryFilter {
  public:
    EntryFilter(const ViewerState& state, QDateTime now);

    bool passes(const TEntryInfo& entry) const;

  private:
    bool recentEnough(const QDateTime& lastAccess) const;
    bool formatAccepted(const QString& localFileName) const;

    const ViewerState& state_;
    QDateTime now_;
};

}  // namespace vorlaken
