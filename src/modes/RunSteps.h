#pragma once

#include <QString>

#include "capture/CaptureState.h"
#include "modes/ModesState.h"
#include "modes/RunServices.h"
#include "modes/RunWalk.h"
#include "modes/StopSwitch.h"

namespace vorlaken {

// The steps the runs of the enhanced modes share: the question before a run, the capture after each
// page state, the end that gives every control back.
class RunSteps {
  public:
    static const QString kClearQuestion;
    static const QString kNotBackMessage;

    // The start of a walk: the page it starts on remembered, the browser attached, the question whether
    // to clear the table, "merge" ticked with its state kept. False, and nothing changed, when the page
    // cannot say where it is (it could not be brought back there).
    static bool startWalk(RunWalk& run, RunServices& services);
    // The end of a walk that goes back: the browser sent to the start page, and the user told when it
    // is not there at once (the way back has only been asked for).
    static void returnToStart(RunWalk& run, RunServices& services);
    // With pictures in the table, asks whether to clear them; Yes clears the table and the preview.
    static void offerToClear(CaptureState& capture, RunServices& services);
    // A capture with the enhanced filter set, merged into the table (the run has ticked "merge"), the
    // preview rendered when the table holds pictures, and counter set to prefix + the row count. A
    // failure of the capture or the render propagates as PageError.
    static void captureAndCount(CaptureState& capture, RunServices& services, QString& counter,
                                const QString& prefix);
    // The run is to end: "stop" is ticked or the program is asked to end.
    static bool stopped(const StopSwitch& stop);
    // Takes the window out of the running look shared by all runs: the button bar back, "stop"
    // unticked, "merge" as it was, the main total to the row count, the main Get enabled, the main Save
    // and the page's Save enabled exactly when the table holds pictures.
    static void endRun(CaptureState& capture, ModesState& modes, StopSwitch& stop, bool mergeBefore,
                       bool& pageSaveEnabled);
};

}  // namespace vorlaken
