#pragma once

#include "capture/BrowserFinder.h"

namespace vorlaken {

// Discovery that finds whatever the test put in browser (null: no browser running).
class FakeBrowserFinder : public BrowserFinder {
  public:
    BrowserPtr browser;
    QString profile;  // the attached browser's profile folder
    int calls = 0;

    BrowserPtr discover() override {
        ++calls;
        return browser;
    }
    QString attachedProfile() const override { return profile; }
};

}  // namespace vorlaken
