#pragma once

#include <QString>

#include "capture/CaptureState.h"
#include "modes/ModesState.h"
#include "modes/RunServices.h"
#include "modes/RunWalk.h"
#include "modes/StopSwitch.h"

namespace vorlaken {

// The multipage run (aabtnClick): works through the entries of urlMemo one at a time in the attached
// browser, showing each page state for the display time, capturing it with the enhanced filter set and
// merging its pictures into the table; at the end the browser is sent back to the page it started on.
class MultipageRun {
  public:
    explicit MultipageRun(RunServices& services) : services_(services) {}

    // A URL entry: a line whose first four characters, lower-cased, are "http". Any other line is the
    // address of a link to click.
    static bool isUrlEntry(const QString& line);

    void Run(CaptureState& capture, ModesState& modes, StopSwitch& stop);

  private:
    // Each gives false when the run is to finish.
    bool urlEntry(RunWalk& run, const QString& url);
    bool linkEntry(RunWalk& run, const QString& address);
    bool goBackAndWait(RunWalk& run);
    bool stopped(const RunWalk& run) const;
    void wait(RunWalk& run, int seconds);
    void finish(RunWalk& run);

    RunServices& services_;
};

}  // namespace vorlaken
