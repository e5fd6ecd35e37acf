#pragma once

#include <initializer_list>
#include <vector>

#include "capture/BrowserFinder.h"

namespace vorlaken {

// Several ways to the user's browser, tried in the order given: the first that finds the page the
// user looks at attaches it.
class FirstFoundBrowserFinder : public BrowserFinder {
  public:
    FirstFoundBrowserFinder(std::initializer_list<BrowserFinder*> finders);

    BrowserPtr discover() override;
    // The tabs of the first way that finds the page.
    WindowTabs discoverWindowTabs() override;
    // The profile the finder that attached last knows of.
    QString attachedProfile() const override;

  private:
    std::vector<BrowserFinder*> finders_;
    BrowserFinder* attachedBy_ = nullptr;
};

}  // namespace vorlaken
