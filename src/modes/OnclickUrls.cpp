#include "modes/OnclickUrls.h"

#include <QSet>

#include "modes/CheckedPictures.h"
#include "modes/PageAndFrames.h"

namespace vorlaken {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

// Lower case one code unit at a time, so that every position in the copy is the same in the original.
QString lowerInPlace(const QString& text) {
    QString lower = text;
    for (QChar& c : lower)
        c = c.toLower();
    return lower;
}

// The references a browser writes in an attribute value, back to their characters.
QString decodeReferences(const QString& value) {
    if (!value.contains(u'&'))
        return value;
    static const std::pair<const char*, char16_t> kReferences[] = {
        {"&quot;", u'"'}, {"&#39;", u'\''}, {"&#x27;", u'\''}, {"&apos;", u'\''},
        {"&lt;", u'<'},   {"&gt;", u'>'},   {"&nbsp;", u' '},  {"&amp;", u'&'}};
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size();) {
        bool replaced = false;
        if (value[i] == u'&') {
            for (const auto& [name, character] : kReferences) {
                const QLatin1String reference(name);
                if (QStringView(value).mid(i).startsWith(reference, Qt::CaseInsensitive)) {
                    out += QChar(character);
                    i += reference.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += value[i++];
    }
    return out;
}

}  // namespace

const QString OnclickUrls::kNoPicturesMessage = QStringLiteral("Please get small pictures first.");
const QString OnclickUrls::kNoneCheckedMessage = QStringLiteral("Check at least one picture.");

std::optional<QString> OnclickUrls::urlOf(const QString& outerHtml) {
    static const QString kOnclick = QStringLiteral("onclick=");
    const QString lower = lowerInPlace(outerHtml);
    const qsizetype at = lower.indexOf(kOnclick);
    if (at < 0)
        return std::nullopt;
    QString code = outerHtml.mid(at + kOnclick.size());
    qsizetype start = 0;
    while (start < code.size() && isBlank(code[start]))
        ++start;
    code = code.mid(start);
    if (code.isEmpty())
        return std::nullopt;
    const QChar first = code[0];
    if (first == u'"' || first == u'\'') {
        code = code.mid(1);
        if (code.isEmpty())
            return std::nullopt;
        const qsizetype close = code.indexOf(first);
        if (close < 0)
            return std::nullopt;
        code.truncate(close);
    } else {
        for (qsizetype i = 0; i < code.size(); ++i) {
            if (isBlank(code[i])) {
                code.truncate(i);
                break;
            }
        }
    }
    // The browser writes the page's markup anew: the value's own quotes and ampersands arrive as
    // character references ("show(&quot;http://...&quot;)"), which the page had written plainly.
    code = decodeReferences(code);
    code.removeIf(isBlank);
    const QString codeLower = lowerInPlace(code);
    qsizetype scheme = -1;
    // The first scheme of the three that occurs at all wins, wherever the others stand.
    for (const char* name : {"http://", "https://", "ftp://"}) {
        scheme = codeLower.indexOf(QLatin1String(name));
        if (scheme >= 0)
            break;
    }
    if (scheme < 0)
        return std::nullopt;
    const QChar quote = scheme > 0 ? code[scheme - 1] : QChar();
    QString url = code.mid(scheme);
    if (quote == u'"' || quote == u'\'') {
        const qsizetype end = url.indexOf(quote);
        if (end >= 0)
            url.truncate(end);
    }
    return url;
}

std::optional<QStringList> OnclickUrls::Extract(Browser& previewZone, Browser* attached, Desktop& desktop) {
    int pictures = 0;
    const std::optional<QStringList> checked = CheckedPictures::sources(previewZone, desktop, &pictures);
    if (!checked)
        return std::nullopt;
    if (pictures == 0) {
        desktop.showMessage(kNoPicturesMessage);
        return std::nullopt;
    }
    QSet<QString> wanted;
    for (const QString& source : *checked)
        wanted.insert(source.toCaseFolded());
    if (wanted.isEmpty()) {
        desktop.showMessage(kNoneCheckedMessage);
        return std::nullopt;
    }
    if (!attached)
        return QStringList();
    return fromPages(*attached, wanted);
}

QStringList OnclickUrls::fromPages(Browser& page, const QSet<QString>& wanted) {
    QStringList lines;
    ForPageAndFrames(page, [&](Browser& browser) {
        scan(browser, wanted, lines);
        return false;
    });
    return lines;
}

void OnclickUrls::scan(Browser& browser, const QSet<QString>& wanted, QStringList& lines) {
    try {
        const std::vector<ElementData> pictures = browser.document()->images()->read(kSrc | kOuterHtml);
        for (const ElementData& picture : pictures) {
            if (picture.src.isEmpty() || !wanted.contains(picture.src.toCaseFolded()))
                continue;
            if (const std::optional<QString> url = urlOf(picture.outerHtml))
                lines << *url;
        }
    } catch (const PageError&) {
        // What this document gave before it failed stays.
    }
}

}  // namespace vorlaken
