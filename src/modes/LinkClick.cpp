#include "modes/LinkClick.h"

namespace vorlaken {

namespace {

bool passesCode(const QString& html, const LinkCodeFilter& code) {
    if (!code.include.isEmpty() && !html.contains(code.include))
        return false;
    if (!code.exclude.isEmpty() && html.contains(code.exclude))
        return false;
    return true;
}

}  // namespace

bool ClickLinkByAddress(Browser& browser, const QString& address, const LinkCodeFilter& code) {
    const QString wanted = address.toLower();
    try {
        CollectionPtr links = browser.document()->links();
        const std::vector<ElementData> items = links->read(kHref | (code.viewCode ? kOuterHtml : 0u));
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (code.viewCode && !passesCode(items[i].outerHtml, code))
                continue;
            if (items[i].href.toLower().trimmed() != wanted)
                continue;
            try {
                if (ElementPtr link = links->item(int(i)))
                    link->click();
            } catch (const PageError&) {
            }
            return true;
        }
    } catch (const PageError&) {
    }
    return false;
}

bool ClickLinkInPageOrFrames(Browser& page, const QString& address, const LinkCodeFilter& code) {
    if (ClickLinkByAddress(page, address, code))
        return true;
    std::vector<BrowserPtr> frames;
    try {
        frames = page.frames();
    } catch (const PageError&) {
        return false;
    }
    for (const BrowserPtr& frame : frames) {
        if (frame && ClickLinkByAddress(*frame, address, code))
            return true;
    }
    return false;
}

}  // namespace vorlaken
