#pragma once

#include <optional>

#include <QDeadlineTimer>

#include "capture/BrowserFinder.h"
#include "platform/devtools/DevToolsEndpoint.h"

namespace vorlaken {

// Finds the page the user looks at in a running Chromium-family browser through its DevTools endpoint:
// among the pages, most recently activated first, the first one that is visible and has the focus,
// else the first visible one, else the most recently activated one that answers. The whole search is
// bounded by one call's bound and ends early when the program is asked to end.
class DevToolsBrowserFinder : public BrowserFinder {
  public:
    DevToolsBrowserFinder() = default;

    BrowserPtr discover() override;
    // The profile folder of the last successful discovery's endpoint: it leads to the browser's cache.
    QString attachedProfile() const override { return lastEndpoint_ ? lastEndpoint_->profileDir : QString(); }

  private:
    BrowserPtr discoverAt(const DevToolsEndpoint& endpoint, const QDeadlineTimer& deadline);

    std::optional<DevToolsEndpoint> lastEndpoint_;
};

}  // namespace vorlaken
