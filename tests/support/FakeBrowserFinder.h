#pragma once

#include "capture/BrowserFinder.h"

namespace vorlaken {

// Discovery that finds whatever the test put in browser (null: no browser running).
class FakeBrowserFinder : public BrowserFinder {
  public:
    BrowserPtr browser;
    QString profile;  // the attached browser's profile folder
    int calls = 0;
    // The window's tabs; when none are given, the finder's own default (browser alone).
    WindowTabs window;

    BrowserPtr discover() override {
        ++calls;
        return browser;
    }
    WindowTabs discoverWindowTabs() override {
        if (window.tabs.empty())
            return BrowserFinder::discoverWindowTabs();
        ++calls;
        return window;
    }
    QString attachedProfile() const override { return profile; }
};

}  // namespace vorlaken
