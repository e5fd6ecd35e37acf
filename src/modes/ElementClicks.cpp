#include "modes/ElementClicks.h"

#include <functional>

#include "modes/PageAndFrames.h"

namespace vorlaken {

namespace {

bool passesCode(const QString& html, const LinkCodeFilter& code) {
    if (!code.include.isEmpty() && !html.contains(code.include))
        return false;
    if (!code.exclude.isEmpty() && html.contains(code.exclude))
        return false;
    return true;
}

// What the routines differ in: the collection, the elements considered, the value compared and the
// HTML "view code" tests.
struct Walk {
    std::function<CollectionPtr(Document&)> collection;
    unsigned fields = 0;
    std::function<bool(const ElementData&)> considered;
    std::function<QString(const ElementData&)> value;
    // The HTML "view code" tests, from the fields read.
    std::function<QString(const ElementData&)> html;
};

QString ownHtml(const ElementData& data) {
    return data.outerHtml;
}

bool clickFirst(Browser& browser, const QString& target, const LinkCodeFilter& code, const Walk& walk) {
    const QString wanted = target.toLower();
    try {
        CollectionPtr items = walk.collection(*browser.document());
        const std::vector<ElementData> all = items->read(walk.fields | (code.viewCode ? kOuterHtml : 0u));
        for (std::size_t i = 0; i < all.size(); ++i) {
            if (walk.considered && !walk.considered(all[i]))
                continue;
            if (walk.value(all[i]).trimmed().toLower() != wanted)
                continue;
            if (code.viewCode && !passesCode(walk.html(all[i]), code))
                continue;
            try {
                if (ElementPtr element = items->item(int(i)))
                    element->click();
            } catch (const PageError&) {
            }
            return true;
        }
    } catch (const PageError&) {
    }
    return false;
}

}  // namespace

bool ClickLinkByAddress(Browser& browser, const QString& target, const LinkCodeFilter& code) {
    return clickFirst(browser, target, code,
                      {[](Document& d) { return d.links(); }, kHref, nullptr,
                       [](const ElementData& e) { return e.href; }, ownHtml});
}

bool ClickPictureBySource(Browser& browser, const QString& target, const LinkCodeFilter& code) {
    // The code of a linked picture is its link's, read with the pictures when it is tested.
    return clickFirst(browser, target, code,
                      {[](Document& d) { return d.images(); },
                       kSrc | kParentTagName | (code.viewCode ? kParentOuterHtml : 0u), nullptr,
                       [](const ElementData& e) { return e.src; },
                       [](const ElementData& e) {
                           return e.parentTagName == QLatin1String("A") ? e.parentOuterHtml : e.outerHtml;
                       }});
}

bool ClickLinkByText(Browser& browser, const QString& target, const LinkCodeFilter& code) {
    return clickFirst(browser, target, code,
                      {[](Document& d) { return d.links(); }, kOuterText, nullptr,
                       [](const ElementData& e) { return e.outerText; }, ownHtml});
}

bool ClickImageInputBySource(Browser& browser, const QString& target, const LinkCodeFilter& code) {
    return clickFirst(
        browser, target, code,
        {[](Document& d) { return d.tagged({QStringLiteral("INPUT")}); }, kTagName | kType | kSrc,
         [](const ElementData& e) {
             return e.tagName == QLatin1String("INPUT") && e.type == QLatin1String("image");
         },
         [](const ElementData& e) { return e.src; }, ownHtml});
}

bool ClickFixedLink(Browser& browser, FixedLinkKind kind, const QString& target, const LinkCodeFilter& code) {
    switch (kind) {
        case FixedLinkKind::Text:
            return ClickLinkByText(browser, target, code);
        case FixedLinkKind::Image:
            return ClickPictureBySource(browser, target, code);
        case FixedLinkKind::Script:
            return ClickLinkByAddress(browser, target, code);
        case FixedLinkKind::ImageInput:
            return ClickImageInputBySource(browser, target, code);
    }
    return false;
}

bool ClickInPageOrFrames(Browser& page, FixedLinkKind kind, const QString& target,
                         const LinkCodeFilter& code) {
    return ForPageAndFrames(page,
                            [&](Browser& browser) { return ClickFixedLink(browser, kind, target, code); });
}

}  // namespace vorlaken
