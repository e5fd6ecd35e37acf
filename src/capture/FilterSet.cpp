#include "capture/FilterSet.h"

namespace vorlaken {

void FilterSet::trimTexts() {
    urlInclude = urlInclude.trimmed();
    urlExclude = urlExclude.trimmed();
    linkInclude = linkInclude.trimmed();
    linkExclude = linkExclude.trimmed();
}

bool FilterSet::passesSize(int w, int h) const {
    const int W = widthLimit;
    const int H = heightLimit;
    if (W == 0 && H == 0) {
        return true;
    }
    auto test = [this](int value, int limit) {
        switch (sizeMode) {
            case kLowerLimit:
                return value >= limit;
            case kUpperLimit:
                return value <= limit;
            default:
                return value == limit;
        }
    };
    if (W == 0) {
        return test(h, H);
    }
    if (H == 0) {
        return test(w, W);
    }
    return test(w, W) && test(h, H);
}

bool FilterSet::passesUrl(const QString& lowerUrl) const {
    if (!urlInclude.isEmpty() && !lowerUrl.contains(urlInclude)) {
        return false;
    }
    return urlExclude.isEmpty() || !lowerUrl.contains(urlExclude);
}

bool FilterSet::passesLink(const QString& lowerLink) const {
    if (!linkInclude.isEmpty() && !lowerLink.contains(linkInclude)) {
        return false;
    }
    return linkExclude.isEmpty() || !lowerLink.contains(linkExclude);
}

}  // namespace vorlaken
