#pragma once

#include <QList>
#include <QMap>

#include "common/BrowserCache.h"

namespace vorlaken::test {

// Every entry a cache lists, in its order.
inline QList<BrowserCache::Entry> listAll(BrowserCache& cache) {
    QList<BrowserCache::Entry> entries;
    cache.enumerate([&](const BrowserCache::Entry& entry) {
        entries.append(entry);
        return true;
    });
    return entries;
}

// Every entry a cache lists, by its address.
inline QMap<QString, BrowserCache::Entry> listByUrl(BrowserCache& cache) {
    QMap<QString, BrowserCache::Entry> entries;
    for (const BrowserCache::Entry& entry : listAll(cache))
        entries.insert(entry.sourceUrl, entry);
    return entries;
}

}  // namespace vorlaken::test
