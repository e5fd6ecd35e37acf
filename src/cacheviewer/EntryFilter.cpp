#include "EntryFilter.h"

namespace vorlaken {

EntryFilter::EntryFilter(const ViewerState& state, QDateTime now) : state_(state), now_(std::move(now)) {}

bool EntryFilter::recentEnough(const QDateTime& lastAccess) const {
    if (state_.timePassed == 0) {
        return true;
    }
    qint64 unitMs = 60LL * 1000;
    if (state_.timeUnit == ViewerState::Hour) {
        unitMs *= 60;
    } else if (state_.timeUnit == ViewerState::Day) {
        unitMs *= 60 * 24;
    }
    if (!lastAccess.isValid()) {
        return false;  // an unknown time counts as long ago
    }
    return lastAccess.toMSecsSinceEpoch() + qint64(state_.timePassed) * unitMs >= now_.toMSecsSinceEpoch();
}

bool EntryFilter::formatAccepted(const QString& localFileName) const {
    const QString ending = localFileName.right(4).toLower();
    return (state_.jpg && ending == QLatin1String(".jpg")) ||
           (state_.gif && ending == QLatin1String(".gif")) ||
           (state_.png && ending == QLatin1String(".png")) ||
           (state_.bmp && ending == QLatin1String(".bmp")) ||
           (!state_.otherFormat.isEmpty() && ending == QLatin1Char('.') + state_.otherFormat);
}

bool EntryFilter::passes(const TEntryInfo& entry) const {
    if (!recentEnough(entry.lastAccessTime)) {
        return false;
    }
    const bool urlTests = !state_.urlInclude.isEmpty() || !state_.urlExclude.isEmpty();
    const QString url = urlTests ? entry.sourceUrlName.toLower() : QString();
    if (!state_.urlInclude.isEmpty() && !url.contains(state_.urlInclude)) {
        return false;
    }
    if (!state_.urlExclude.isEmpty() && url.contains(state_.urlExclude)) {
        return false;
    }
    return formatAccepted(entry.localFileName);
}

}  // namespace vorlaken
