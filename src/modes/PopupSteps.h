#pragma once

#include <QString>

#include "capture/PageModel.h"
#include "common/Desktop.h"
#include "modes/ModesState.h"

namespace vorlaken {

// The popup-window way's steps between its two captures (steps 1 and 4 are the window's Get): finding
// the big pictures' addresses in the onclick code, showing them on the origin page, and the list's
// page for the comment panel.
class PopupSteps {
  public:
    static const QString kNoBigPictureMessage;

    // "1.Get small pictures" has run: step 2 is in use exactly when the table holds pictures.
    static void AfterSmallPictures(PopupState& popup, bool tableHasPictures);
    // Label92Click: ExtractOnclickUrls into the list; the later steps and the list's tools are in use
    // exactly when it holds an address.
    static void FindBigPictures(PopupState& popup, Browser& previewZone, Browser* attached, Desktop& desktop);
    // Label93Click: the listed pictures on the origin page.
    static void ShowOnOriginPage(const PopupState& popup, const BrowserPtr& attached, bool noOriginContent,
                                 Desktop& desktop);
    // "4.Get" has run with rows pictures in the table.
    static void AfterGet(PopupState& popup, int rows, bool mainSaveEnabled);
    // The comment panel's page of the list ("show"): each address as text, one per line.
    static QString listHtml(const QString& urls);
};

}  // namespace vorlaken
