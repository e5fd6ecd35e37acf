#pragma once

#include <QString>

#include "common/Desktop.h"
#include "modes/ModesState.h"

namespace vorlaken {

// The two steps of the auto-click page, "1.Way of click" and "2.Get pictures", and the choice of way.
class AutoClickSteps {
  public:
    static const QString kPopupMessage;
    static const QString kNoSmallPicturesMessage;
    static const QString kNoFixedLinkMessage;
    static const QString kNoKeyMessage;

    // RadioButton1Click ... RadioButton5Click.
    static void ChooseWay(AutoClickState& page, ClickWay way);
    // Label71Click.
    static void ShowWays(AutoClickState& page);
    // Label72Click: the chosen way's checks first; a way whose details are missing says so and stays.
    static void ShowRun(AutoClickState& page, Desktop& desktop);
    // charedit2 as a whole number; a text that is no number counts as 0.
    static int keyCodeOf(const QString& text);
    // "2.Get pictures" is in use for every way but the popup window's.
    static bool runStepEnabled(const AutoClickState& page) { return page.way != ClickWay::Popup; }
};

}  // namespace vorlaken
