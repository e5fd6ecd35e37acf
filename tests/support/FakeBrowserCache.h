#pragma once

#include <QHash>
#include <QList>
#include <QStringList>

#include "common/BrowserCache.h"

namespace vorlaken {

// A browser cache held in memory. Materialising writes an item's body to its local file, or, for an
// item without a body, finds the file the test wrote there.
class FakeBrowserCache : public BrowserCache {
  public:
    struct Item {
        Entry entry;
        QByteArray body;     // null: the test wrote the local file itself
        bool intact = true;  // false: the body does not check out
    };

    QList<Item> items;               // enumerated in this order
    QHash<QString, QString> direct;  // what lookup finds
    bool found = true;
    QString note;       // what statusNote() says
    QStringList names;  // what cacheNames() says
    QStringList materialized;
    QStringList deleted;
    int lookups = 0;
    int enumerations = 0;
    int visited = 0;

    bool libraryFound() override { return found; }
    void enumerate(const std::function<bool(const Entry&)>& onEntry) override;
    bool materialize(const Entry& entry) override;
    QString lookup(const QString& url) override;
    bool deleteEntry(const QString& url) override;
    void clearCache() override;
    QString statusNote() override { return note; }
    QStringList cacheNames() override { return names; }
};

}  // namespace vorlaken
