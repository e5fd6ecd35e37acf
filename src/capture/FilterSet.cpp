#include "capture/FilterSet.h"

namespace vorlaken {

void FilterSet::trimTexts() {
    urlInclude = urlInclude.trimmed();
    urlExclude = urlExclude.trimmed();
    linkInclude = linkInclude.trimmed();
    linkExclude = linkExclude.trimmed();
}

bool FilterSet::passesSize(int width, int height) const {
    if (widthLimit == 0 && heightLimit == 0) {
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
    if (widthLimit == 0) {
        return test(height, heightLimit);
    }
    if (heightLimit == 0) {
        return test(width, widthLimit);
    }
    return test(width, widthLimit) && test(height, heightLimit);
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
