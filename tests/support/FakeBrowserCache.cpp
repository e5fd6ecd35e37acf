#include "support/FakeBrowserCache.h"

#include <QFile>

namespace vorlaken {

void FakeBrowserCache::enumerate(const std::function<bool(const Entry&)>& onEntry) {
    ++enumerations;
    for (const Item& item : items) {
        ++visited;
        if (!onEntry(item.entry))
            return;
    }
}

bool FakeBrowserCache::materialize(const Entry& entry) {
    for (const Item& item : items) {
        if (item.entry.localFileName != entry.localFileName || !item.intact)
            continue;
        materialized << entry.localFileName;
        if (item.body.isNull())
            return QFile::exists(entry.localFileName);
        QFile file(entry.localFileName);
        return file.open(QIODevice::WriteOnly) && file.write(item.body) == item.body.size();
    }
    return false;
}

QString FakeBrowserCache::lookup(const QString& url) {
    ++lookups;
    return direct.value(url);
}

bool FakeBrowserCache::deleteEntry(const QString& url) {
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i].entry.sourceUrl == url) {
            deleted << url;
            items.removeAt(i);
            return true;
        }
    }
    return false;
}

void FakeBrowserCache::clearCache() {
    for (const Item& item : items)
        deleted << item.entry.sourceUrl;
    items.clear();
}

}  // namespace vorlaken
