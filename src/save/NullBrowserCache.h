#pragma once

#include "common/BrowserCache.h"

namespace vorlaken {

// A system without a browser cache: nothing is ever found, so every picture is transferred.
class NullBrowserCache : public BrowserCache {
  public:
    bool libraryFound() override { return false; }
    void enumerate(const std::function<bool(const Entry&)>&) override {}
    bool materialize(const Entry&) override { return false; }
    QString lookup(const QString&) override { return QString(); }
    bool deleteEntry(const QString&) override { return false; }
    void clearCache() override {}
};

}  // namespace vorlaken
