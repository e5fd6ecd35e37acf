#pragma once

#include <QString>

#include "capture/CaptureState.h"
#include "modes/ModesState.h"
#include "modes/RunServices.h"
#include "modes/RunWalk.h"
#include "modes/StopSwitch.h"

namespace vorlaken {

// The auto-click run (clickbtnClick): clicks, or presses the navigation key, a number of times at a
// fixed pace in the attached browser, and after each click captures the page it then shows with the
// enhanced filter set, merging its pictures into the table.
class AutoClickRun {
  public:
    static const QString kNoFixedLinkMessage;

    explicit AutoClickRun(RunServices& services) : services_(services) {}

    void Run(CaptureState& capture, ModesState& modes, StopSwitch& stop);

    // SendNavigateKey: the key of that code (its low 16 bits) pressed and, 50 ms later, released.
    static void SendNavigateKey(Browser& browser, int keyCode);

  private:
    // The click of the chosen way for click number k (from 1). False only when way 1 found nothing to
    // click, which ends the run.
    bool clickStep(RunWalk& run, int k);
    // Way 1: a capture with the main filter set that records the biggest pictures, then a click on
    // the biggest linked one, else the biggest.
    bool clickBiggest(RunWalk& run);
    bool stopped(const RunWalk& run) const;
    void finish(RunWalk& run);

    RunServices& services_;
};

}  // namespace vorlaken
