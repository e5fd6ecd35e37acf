#pragma once

#include <cstdint>

#include "capture/PageModel.h"

namespace vorlaken {

// The largest pictures seen by captures, for the auto-click mode.
struct BigPictureProbe {
    bool probe = false;
    std::int32_t biggestArea = 0;
    BrowserPtr biggestBrowser;
    ElementPtr biggestElement;
    std::int32_t biggestLinkedArea = 0;
    BrowserPtr biggestLinkedBrowser;
    ElementPtr biggestLinkedElement;

    void reset();
};

}  // namespace vorlaken
