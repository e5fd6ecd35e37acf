#include "save/TransferQueue.h"

#include <QUrl>

namespace vorlaken {

TransferQueue::TransferQueue(Downloader& downloader, int perHost, int inFlight)
    : downloader_(downloader), perHost_(perHost), inFlight_(inFlight) {}

TransferQueue::~TransferQueue() {
    cancelAll();
}

QString TransferQueue::hostOf(const QString& url) {
    // Connections are kept per scheme, host and port.
    const QUrl address(url);
    return address.scheme() + u'|' + address.host() + u'|' + QString::number(address.port());
}

bool TransferQueue::hasRoom(const QString& url) const {
    return int(transfers_.size()) < inFlight_ && perHostCount_.value(hostOf(url)) < perHost_;
}

void TransferQueue::start(int position, const QString& url) {
    if (started(position))
        return;
    const QString host = hostOf(url);
    transfers_.emplace(position, Entry{downloader_.start(url), host});
    ++perHostCount_[host];
}

StoreOutcome TransferQueue::store(int position, const QString& url, const QString& target,
                                  const std::function<bool()>& stopRequested) {
    start(position, url);
    // The picture in hand keeps its place among its host's transfers until it is stored.
    Transfer& transfer = *transfers_.at(position).transfer;
    const StoreOutcome outcome = transfer.storeTo(target, stopRequested);
    cancel(position);
    return outcome;
}

void TransferQueue::cancel(int position) {
    const auto found = transfers_.find(position);
    if (found == transfers_.end())
        return;
    const QString host = found->second.host;
    transfers_.erase(found);
    release(host);
}

void TransferQueue::cancelAll() {
    transfers_.clear();
    perHostCount_.clear();
}

void TransferQueue::release(const QString& host) {
    auto count = perHostCount_.find(host);
    if (count != perHostCount_.end() && --*count <= 0)
        perHostCount_.erase(count);
}

}  // namespace vorlaken
