#include "modes/ReferenceValues.h"

#include "common/TextRoutines.h"
#include "modes/PageAndFrames.h"

namespace vorlaken {

ReferenceValues ReferenceValues::Collect(Browser& page, FixedLinkKind kind, const LinkCodeFilter& code) {
    ReferenceValues found;
    ForPageAndFrames(page, [&](Browser& browser) {
        found.collectFrom(browser, kind, code);
        return false;
    });
    return found;
}

void ReferenceValues::collectFrom(Browser& browser, FixedLinkKind kind, const LinkCodeFilter& code) {
    try {
        DocumentPtr document = browser.document();
        switch (kind) {
            case FixedLinkKind::Text:
                for (const ElementData& link : document->links()->read(kOuterText | kOuterHtml))
                    add(link.outerText, link.outerHtml, code);
                break;
            case FixedLinkKind::Script:
                for (const ElementData& link : document->links()->read(kHref | kOuterHtml)) {
                    if (link.href.left(11).toLower() == QLatin1String("javascript:"))
                        add(link.href, link.outerHtml, code);
                }
                break;
            case FixedLinkKind::ImageInput:
                for (const ElementData& input : document->tagged({QStringLiteral("INPUT")})
                                                    ->read(kTagName | kType | kSrc | kOuterHtml)) {
                    if (input.tagName == QLatin1String("INPUT") && input.type == QLatin1String("image"))
                        add(input.src, input.outerHtml, code);
                }
                break;
            case FixedLinkKind::Image: {
                // The code of a linked picture is its link's, read with the pictures where it is
                // shown or tested.
                const unsigned fields =
                    kSrc | kParentTagName | kOuterHtml | (code.viewCode ? kParentOuterHtml : 0u);
                for (const ElementData& picture : document->images()->read(fields)) {
                    if (picture.src.isEmpty())
                        continue;
                    const bool linked = code.viewCode && picture.parentTagName == QLatin1String("A");
                    add(picture.src, linked ? picture.parentOuterHtml : picture.outerHtml, code);
                }
                break;
            }
        }
    } catch (const PageError&) {
    }
}

void ReferenceValues::add(const QString& value, QString code, const LinkCodeFilter& filter) {
    if (value.isEmpty())
        return;
    code.remove(u'\r');
    code.remove(u'\n');
    if (filter.viewCode) {
        if (!filter.include.isEmpty() && !code.contains(filter.include))
            return;
        if (!filter.exclude.isEmpty() && code.contains(filter.exclude))
            return;
    }
    values << value;
    codes << code;
}

QString ReferenceValues::panelHtml(FixedLinkKind kind, bool viewCode) const {
    const bool pictures = kind == FixedLinkKind::Image || kind == FixedLinkKind::ImageInput;
    QStringList lines{QStringLiteral("<html>"), QStringLiteral("<body>")};
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QString value = HtmlEscape(values[i]);
        lines << value + QStringLiteral("<br>");
        if (pictures)
            lines << QStringLiteral("<img src=\"") + value + QStringLiteral("\"><br>");
        if (viewCode)
            lines << QStringLiteral("<textarea rows=2 style=\"width:'100%'\">") + HtmlEscape(codes[i]) +
                         QStringLiteral("</textarea><br>");
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

}  // namespace vorlaken
