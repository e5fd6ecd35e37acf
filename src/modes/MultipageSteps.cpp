#include "modes/MultipageSteps.h"

#include "modes/MemoLines.h"

namespace vorlaken {

const QString MultipageSteps::kNoUrlsMessage = QStringLiteral("Plase specify webpage URLs first.");

void MultipageSteps::ShowUrlList(MultipageState& page) {
    page.step = 0;
}

void MultipageSteps::ShowRunControls(MultipageState& page, Desktop& desktop) {
    if (MemoLines::count(page.urlList) < 1) {
        desktop.showMessage(kNoUrlsMessage);
        page.focusUrlList = true;
        return;
    }
    page.step = 1;
}

}  // namespace vorlaken
