#pragma once

#include <functional>
#include <map>
#include <memory>

#include <QHash>
#include <QString>

#include "save/Downloader.h"
#include "save/StoreOutcome.h"

namespace vorlaken {

// The network transfers of one save run, keyed by the run's position of their picture: started ahead
// of the picture in hand, as many to one host as a browser keeps open, and stored one at a time at
// their turn. Whatever has not been stored when the queue ends is cancelled and leaves nothing behind.
class TransferQueue {
  public:
    static constexpr int kPerHost = 6;
    static constexpr int kInFlight = 18;

    explicit TransferQueue(Downloader& downloader, int perHost = kPerHost, int inFlight = kInFlight);
    ~TransferQueue();
    TransferQueue(const TransferQueue&) = delete;
    TransferQueue& operator=(const TransferQueue&) = delete;

    // Whether one more transfer to this address's host may start now.
    bool hasRoom(const QString& url) const;
    bool started(int position) const { return transfers_.count(position) > 0; }
    // Starts the transfer of the picture at that position.
    void start(int position, const QString& url);
    // Stores the picture at that position into target, with the transfer started for it or, when none
    // was, with one started now.
    StoreOutcome store(int position, const QString& url, const QString& target,
                       const std::function<bool()>& stopRequested);
    // Cancels the transfer of that position, if any: its picture comes from elsewhere.
    void cancel(int position);
    void cancelAll();

  private:
    struct Entry {
        std::unique_ptr<Transfer> transfer;
        QString host;
    };
    static QString hostOf(const QString& url);
    void release(const QString& host);

    Downloader& downloader_;
    const int perHost_;
    const int inFlight_;
    std::map<int, Entry> transfers_;
    QHash<QString, int> perHostCount_;
};

}  // namespace vorlaken
