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

QString FirstFoundBrowserFinder::attachedProfile() const {
    return attachedBy_ ? attachedBy_->attachedProfile() : QString();
}

}  // namespace vorlaken
