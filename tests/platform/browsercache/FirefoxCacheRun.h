#pragma once

#include <functional>

#include <QString>

#include "CachingHttpServer.h"

namespace vorlaken::test {

// Lets a headless firefox-esr with the given (empty) profile folder load a page from the server until
// written() says its cache holds what the test needs (Firefox writes an entry's metadata when it lets
// go of the entry, some time after the load), then ends it. Returns an empty text on success, else
// what failed.
QString RunFirefoxOnPage(CachingHttpServer& server, const QString& pagePath, const QString& profile,
                         const std::function<bool()>& written);

}  // namespace vorlaken::test
