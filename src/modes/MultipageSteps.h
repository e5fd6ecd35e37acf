#pragma once

#include <QString>

#include "common/Desktop.h"
#include "modes/ModesState.h"

namespace vorlaken {

// The two steps of the multipage page, chosen by "1.Get URL" (Label64) and "2.Get Pics" (Label65).
class MultipageSteps {
  public:
    static const QString kNoUrlsMessage;

    static void ShowUrlList(MultipageState& page);
    // Only with at least one line in the list; otherwise the user is told and the list gets the focus.
    static void ShowRunControls(MultipageState& page, Desktop& desktop);
};

}  // namespace vorlaken
