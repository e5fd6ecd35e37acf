#pragma once

#include <QTest>

#include "capture/BrowserFinder.h"

namespace vorlaken::test {

// The browser the finder attaches to, once it answers. One discovery is bounded by a few seconds, and a
// browser that is still starting up on a loaded machine may need several; null when none came in time.
inline BrowserPtr DiscoverWhenReady(BrowserFinder& finder, int timeoutMs = 20000) {
    BrowserPtr browser;
    return QTest::qWaitFor([&] { return (browser = finder.discover()) != nullptr; }, timeoutMs) ? browser
                                                                                                : nullptr;
}

}  // namespace vorlaken::test
