#include "modes/StopSwitch.h"

namespace vorlaken {

void StopSwitch::setTicked(bool ticked) {
    if (ticked_ == ticked)
        return;
    ticked_ = ticked;
    emit toggled(ticked_);
}

}  // namespace vorlaken
