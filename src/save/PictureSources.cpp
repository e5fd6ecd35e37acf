#include "save/PictureSources.h"

#include "save/CacheCopy.h"
#include "save/SaveRun.h"

namespace vorlaken {

PictureSources::PictureSources(BrowserCache& cache, const QList<SaveEntry>& saveList,
                               TransferQueue& transfers, std::function<bool(const QString&)> mayFetch)
    : cache_(cache),
      list_(saveList),
      transfers_(transfers),
      mayFetch_(std::move(mayFetch)),
      lookedUp_(saveList.size()),
      walkFiles_(saveList.size()) {}

void PictureSources::planAhead(int position) {
    if (planned_ <= position) {
        planned_ = position;
        plan(planned_++);
    }
    const int end = int(qMin<qsizetype>(list_.size(), qsizetype(position) + kLookAhead));
    while (planned_ < end) {
        const QString& url = list_[planned_].pictureUrl;
        // In the run's order: a picture whose host is busy holds up the ones behind it.
        if (!url.isEmpty() && !transfers_.hasRoom(url))
            return;
        plan(planned_++);
    }
}

void PictureSources::plan(int position) {
    const QString& url = list_[position].pictureUrl;
    if (url.isEmpty())
        return;
    lookedUp_[position] = CacheLookup(cache_, url);
    if (cachedFile(position).isEmpty() && mayFetch_(url))
        transfers_.start(position, url);
}

QString PictureSources::cachedFile(int position) {
    if (!lookedUp_[position].isEmpty())
        return lookedUp_[position];
    // The one walk of the cache starts at the first picture the look-up does not find and goes on
    // beside the transfers; once it has ended, its answer counts.
    cache_.startListing();
    if (!scanned_ && !cache_.listingPending())
        scan();
    return walkFiles_[position];
}

void PictureSources::scan() {
    CacheScan(cache_, list_, walkFiles_);
    scanned_ = true;
}

StoreOutcome PictureSources::store(int position, const QString& target,
                                   const std::function<bool()>& stopRequested) {
    planAhead(position);
    if (target.isEmpty()) {
        transfers_.cancel(position);
        return StoreOutcome::of(StoreOutcome::kFailed);
    }
    const QString local = cachedFile(position);
    if (!local.isEmpty()) {
        // The walk may have found it since its transfer started: the cache's copy is taken.
        transfers_.cancel(position);
        return CacheCopy::copy(local, target);
    }
    StoreOutcome outcome = transfers_.store(position, list_[position].pictureUrl, target, stopRequested);
    if (outcome.kind == StoreOutcome::kFailed && !scanned_) {
        scan();  // waits for the walk to end
        if (!walkFiles_[position].isEmpty())
            outcome = CacheCopy::copy(walkFiles_[position], target);
    }
    return outcome;
}

}  // namespace vorlaken
