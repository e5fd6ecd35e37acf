#pragma once

#include <QString>

#include "capture/PageModel.h"

namespace vorlaken {

// Finds the page the user is looking at in their running browser.
class BrowserFinder {
  public:
    virtual ~BrowserFinder() = default;
    // The browser of that page, or null when there is none (no browser, no page, no answer). Silent.
    // The returned browser also takes key presses (postKey) for the auto-click mode.
    virtual BrowserPtr discover() = 0;
    // The profile folder of the browser the last discovery attached to, which leads to that browser's
    // disk cache; empty when unknown.
    virtual QString attachedProfile() const { return QString(); }
};

}  // namespace vorlaken
