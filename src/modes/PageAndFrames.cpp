#include "modes/PageAndFrames.h"

namespace vorlaken {

bool ForPageAndFrames(Browser& page, const std::function<bool(Browser&)>& visit) {
    if (visit(page))
        return true;
    std::vector<BrowserPtr> frames;
    try {
        frames = page.frames();
    } catch (const PageError&) {
        return false;
    }
    for (const BrowserPtr& frame : frames) {
        if (frame && visit(*frame))
            return true;
    }
    return false;
}

}  // namespace vorlaken
