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
    // The HTML of item i for "view code"; read only for an element whose value matches.
    std::function<QString(Collection&, int, const ElementData&)> html;
};

QString ownHtml(Collection&, int, const ElementData& data) {
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
            // Testing the code after the value finds the same element and reads far less HTML.
            if (code.viewCode && !passesCode(walk.html(*items, int(i), all[i]), code))
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
    return clickFirst(browser, target, code,
                      {[](Document& d) { return d.images(); }, kSrc | kParentTagName, nullptr,
                       [](const ElementData& e) { return e.src; },
                       [](Collection& items, int i, const ElementData& e) {
                           if (e.parentTagName != QLatin1String("A"))
                               return e.outerHtml;
                           try {
                               if (ElementPtr picture = items.item(i))
                                   if (ElementPtr link = picture->parentElement())
                                       return link->outerHtml();
                           } catch (const PageError&) {
                           }
                           return e.outerHtml;
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
