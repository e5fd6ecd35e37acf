#pragma once

#include <QString>

#include "capture/PageModel.h"
#include "common/Desktop.h"
#include "modes/ModesState.h"

namespace vorlaken {

// The commands of the URL page that work on its list: "replace" and "Display pictures by URLs".
class UrlPage {
  public:
    static const QString kEmptyPhraseMessage;
    static const QString kNoUrlsMessage;

    // Label84Click: every occurrence of the phrase in every line replaced, left to right, case-sensitive,
    // without overlapping or rescanning what was put in.
    static void Replace(UrlPageState& page, Desktop& desktop);
    // Label86Click: the listed pictures on the origin page.
    static void Display(const UrlPageState& page, const BrowserPtr& attached, bool noOriginContent,
                        Desktop& desktop);
};

}  // namespace vorlaken
