#include "modes/UrlPage.h"

#include "modes/MemoLines.h"
#include "modes/OriginUrls.h"

namespace vorlaken {

const QString UrlPage::kEmptyPhraseMessage = QStringLiteral("The phrase to be replaced can not be empty.");
const QString UrlPage::kNoUrlsMessage = QStringLiteral("Please specify URLs of big pictures first.");

void UrlPage::Replace(UrlPageState& page, Desktop& desktop) {
    if (page.find.isEmpty()) {
        desktop.showMessage(kEmptyPhraseMessage);
        return;
    }
    // Line by line, so that a phrase holding a line break never joins two addresses.
    QStringList lines = MemoLines::split(page.urls);
    for (QString& line : lines)
        line.replace(page.find, page.replacement, Qt::CaseSensitive);
    page.urls = lines.join(u'\n');
}

void UrlPage::Display(const UrlPageState& page, const BrowserPtr& attached, bool noOriginContent,
                      Desktop& desktop) {
    if (page.urls.isEmpty()) {
        desktop.showMessage(kNoUrlsMessage);
        return;
    }
    OriginUrls::Show(attached, page.urls, noOriginContent);
}

}  // namespace vorlaken
