#pragma once

#include <vector>

#include <QString>

#include "capture/PageModel.h"

namespace vorlaken {

// The tabs of the browser window that holds the page the user looks at, in the window's order, and
// which of them is that page.
struct WindowTabs {
    std::vector<BrowserPtr> tabs;
    int lookedAt = -1;  // index into tabs; -1 only when tabs is empty
};

// Finds the page the user is looking at in their running browser.
class BrowserFinder {
  public:
    virtual ~BrowserFinder() = default;
    // The browser of that page, or null when there is none (no browser, no page, no answer). Silent.
    // The returned browser also takes key presses (postKey) for the auto-click mode.
    virtual BrowserPtr discover() = 0;
    // Every tab of the window of that page. Where a way to the browser cannot tell the window's other
    // tabs, the page alone. Silent, as discover().
    virtual WindowTabs discoverWindowTabs() {
        WindowTabs found;
        if (BrowserPtr page = discover()) {
            found.tabs.push_back(std::move(page));
            found.lookedAt = 0;
        }
        return found;
    }
    // The profile folder of the browser the last discovery attached to, which leads to that browser's
    // disk cache; empty when unknown.
    virtual QString attachedProfile() const { return QString(); }
};

}  // namespace vorlaken
