#pragma once

#include <QString>

namespace vorlaken {

// Whether an address that came from a page or a list may be navigated to: http, https and file only.
// Anything else (javascript:, data:, a browser's own pages) could run or show what no page offered.
bool IsNavigable(const QString& url);

}  // namespace vorlaken
