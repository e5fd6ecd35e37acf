#pragma once

#include <functional>

#include <QList>
#include <QString>
#include <QStringList>

#include "common/BrowserCache.h"
#include "save/SaveRunData.h"
#include "save/StoreOutcome.h"
#include "save/TransferQueue.h"

namespace vorlaken {

// Where each picture of a save run comes from, decided a little ahead of the picture in hand: the
// browser cache's copy when the cache holds it (its look-up first, then the one walk of the cache,
// which goes on beside the transfers), else the network, whose transfer then starts early. The cache
// is always asked before a picture is fetched.
class PictureSources {
  public:
    // How many pictures ahead of the one in hand are looked up at most.
    static constexpr int kLookAhead = 64;

    // mayFetch: whether a picture the cache lacks is worth fetching ahead (one that cannot be named
    // never is).
    PictureSources(BrowserCache& cache, const QList<SaveEntry>& saveList, TransferQueue& transfers,
                   std::function<bool(const QString& url)> mayFetch);

    // Looks up the pictures from position on, as far as the transfers have room, and starts the
    // transfers of those the cache lacks. The picture at position is always looked up.
    void planAhead(int position);
    // Stores the picture at position into target (empty: it cannot be named, and is not stored):
    // copied from the cache when it holds it, else fetched. A picture the network fails is looked for
    // in the walk of the cache, waited for then.
    StoreOutcome store(int position, const QString& target, const std::function<bool()>& stopRequested);

  private:
    void plan(int position);
    QString cachedFile(int position);
    void scan();

    BrowserCache& cache_;
    const QList<SaveEntry>& list_;
    TransferQueue& transfers_;
    std::function<bool(const QString&)> mayFetch_;
    QStringList lookedUp_;   // what the cache's look-up gave, by position
    QStringList walkFiles_;  // what the walk found, by position
    bool scanned_ = false;
    int planned_ = 0;  // positions before it are looked up
};

}  // namespace vorlaken
