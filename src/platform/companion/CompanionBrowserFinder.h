#pragma once

#include <optional>

#include <QString>

#include "capture/BrowserFinder.h"
#include "platform/companion/CompanionTarget.h"

namespace vorlaken {

// Finds the page the user looks at through the companion extension: every browser running it has a
// host listening in the socket folder. Each one names its candidate (the tab its toolbar button was
// clicked in, while the user stays there, else the active tab of its last focused window) and when it
// was last used; the most recently used browser wins. The whole search is bounded by one call's bound.
class CompanionBrowserFinder : public BrowserFinder {
  public:
    explicit CompanionBrowserFinder(QString socketFolder = QString());

    BrowserPtr discover() override;
    // The tabs of the window of that tab, in the tab strip's order.
    WindowTabs discoverWindowTabs() override;

  private:
    // The top document of the tab found.
    std::optional<CompanionTarget> find();

    QString socketFolder_;
};

}  // namespace vorlaken
