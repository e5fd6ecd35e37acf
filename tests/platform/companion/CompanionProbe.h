#pragma once

#include <QString>

#include "capture/PageModel.h"

namespace vorlaken::test {
class CompanionRuntime;
}

// Test access to a page through the companion beyond what the page model offers: the document's ready
// state, which the extension reports with every document.
namespace companionprobe {

QString readyState(vorlaken::Browser& browser);
// True once the browser shows url and its document, frames and pictures included, has loaded.
bool waitForLoaded(vorlaken::Browser& browser, const QString& url, int timeoutMs = 30000);
// The page in front of the runtime's browser, navigated to url and loaded; null when that fails.
vorlaken::BrowserPtr openPage(const vorlaken::test::CompanionRuntime& runtime, const QString& url);

}  // namespace companionprobe
