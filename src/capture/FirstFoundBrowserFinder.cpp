#include "capture/FirstFoundBrowserFinder.h"

namespace vorlaken {

FirstFoundBrowserFinder::FirstFoundBrowserFinder(std::initializer_list<BrowserFinder*> finders)
    : finders_(finders) {}

BrowserPtr FirstFoundBrowserFinder::discover() {
    for (BrowserFinder* finder : finders_) {
        if (BrowserPtr browser = finder->discover()) {
            attachedBy_ = finder;
            return browser;
        }
    }
    return nullptr;
}

WindowTabs FirstFoundBrowserFinder::discoverWindowTabs() {
    for (BrowserFinder* finder : finders_) {
        WindowTabs found = finder->discoverWindowTabs();
        if (!found.tabs.empty()) {
            attachedBy_ = finder;
            return found;
        }
    }
    return {};
}

QString FirstFoundBrowserFinder::attachedProfile() const {
    return attachedBy_ ? attachedBy_->attachedProfile() : QString();
}

}  // namespace vorlaken
