#pragma once

#include <QFile>
#include <QList>
#include <QSet>
#include <QStringList>

#include "common/BrowserCache.h"

namespace vorlaken::test {

// A cache held in memory for the viewer's unit tests; materialize writes the body to the entry's file.
class MemoryBrowserCache : public BrowserCache {
  public:
    struct Item {
        Entry entry;
        QByteArray body;
        bool intact = true;  // false: the body does not check out
    };
    QList<Item> items;
    bool found = true;
    QStringList deleted;
    QStringList materialized;
    QString note;       // what statusNote() says
    QStringList names;  // what cacheNames() says

    bool libraryFound() override { return found; }
    void enumerate(const std::function<bool(const Entry&)>& onEntry) override {
        for (const Item& item : items) {
            if (!onEntry(item.entry)) {
                return;
            }
        }
    }
    bool materialize(const Entry& entry) override {
        for (const Item& item : items) {
            if (item.entry.localFileName == entry.localFileName && item.intact) {
                materialized << entry.localFileName;
                QFile file(entry.localFileName);
                return file.open(QIODevice::WriteOnly) && file.write(item.body) == item.body.size();
            }
        }
        return false;
    }
    QString lookup(const QString&) override { return {}; }
    bool deleteEntry(const QString& url) override {
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items[i].entry.sourceUrl == url) {
                deleted << url;
                items.removeAt(i);
                return true;
            }
        }
        return false;
    }
    QString statusNote() override { return note; }
    QStringList cacheNames() override { return names; }
    void clearCache() override {
        for (const Item& item : items) {
            deleted << item.entry.sourceUrl;
        }
        items.clear();
    }
};

}  // namespace vorlaken::test
