#include "capture/BigPictureProbe.h"

namespace vorlaken {

void BigPictureProbe::reset() {
    biggestArea = 0;
    biggestBrowser.reset();
    biggestElement.reset();
    biggestLinkedArea = 0;
    biggestLinkedBrowser.reset();
    biggestLinkedElement.reset();
}

}  // namespace vorlaken
