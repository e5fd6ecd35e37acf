#pragma once

#include <QString>
#include <QStringList>

#include "capture/CaptureState.h"
#include "capture/PageModel.h"
#include "modes/ModesState.h"
#include "modes/StopSwitch.h"

namespace vorlaken {

// One run of a mode that walks the attached browser through page states: what it works on and what it
// keeps until its end.
struct RunWalk {
    CaptureState& capture;
    ModesState& modes;
    StopSwitch& stop;
    BrowserPtr browser;
    QString startUrl;
    bool mergeBefore = false;
    // Entries that were no address to open, told at the end.
    QStringList skipped;
};

}  // namespace vorlaken
