#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <QDeadlineTimer>

#include "capture/BrowserFinder.h"
#include "platform/devtools/DevToolsEndpoint.h"
#include "platform/devtools/PageTargets.h"

namespace vorlaken {

class DevToolsConnection;

// Finds the page the user looks at in a running Chromium-family browser through its DevTools endpoint:
// among the pages, most recently activated first, the first one that is visible and has the focus,
// else the first visible one, else the most recently activated one that answers. The whole search is
// bounded by one call's bound and ends early when the program is asked to end.
class DevToolsBrowserFinder : public BrowserFinder {
  public:
    DevToolsBrowserFinder() = default;

    BrowserPtr discover() override;
    // The tabs of the window the browser puts that page in. The endpoint does not tell the order of the
    // window's tab strip; they come in the order the browser lists its targets.
    WindowTabs discoverWindowTabs() override;
    // The profile folder of the last successful discovery's endpoint: it leads to the browser's cache.
    QString attachedProfile() const override { return lastEndpoint_ ? lastEndpoint_->profileDir : QString(); }

  private:
    // The page found at one endpoint, with every page the endpoint lists.
    struct Found {
        std::vector<PageTarget> pages;
        std::size_t chosen = 0;
        std::shared_ptr<DevToolsConnection> connection;  // to pages[chosen]
    };

    std::optional<Found> find();
    std::optional<Found> findAt(const DevToolsEndpoint& endpoint, const QDeadlineTimer& deadline);
    static WindowTabs windowOf(const Found& found);

    std::optional<DevToolsEndpoint> lastEndpoint_;
};

}  // namespace vorlaken
