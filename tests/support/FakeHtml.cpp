#include "support/FakeHtml.h"

#include <vector>

#include <QRegularExpression>
#include <QUrl>

#include "support/FakePageModel.h"

namespace vorlaken {
namespace {

bool isVoid(const QString& tag) {
    static const QSet<QString> kVoid = {"AREA", "BASE",  "BR",   "COL",  "EMBED",  "HR",
                                        "IMG",  "INPUT", "LINK", "META", "SOURCE", "WBR"};
    return kVoid.contains(tag);
}

// An address as the browser's src and href properties give it: resolved against the page's address.
// A page without one of its own (about:blank, a fake built by hand) keeps what was written.
QString resolved(const FakeElement& e, const QString& written) {
    const QUrl page(e.document()->urlValue);
    const QString scheme = page.scheme().toLower();
    if (page.isRelative() || scheme == QLatin1String("about") || scheme == QLatin1String("data")) {
        return written;
    }
    const QUrl address(written.trimmed());
    return address.isRelative() ? page.resolved(address).toString(QUrl::FullyEncoded) : written;
}

void applyAttribute(FakeElement& e, const QString& name, const QString& value) {
    const QString upper = name.toUpper();
    if (upper == QLatin1String("SRC")) {
        e.data.src = resolved(e, value);
    } else if (upper == QLatin1String("HREF")) {
        e.data.hrefAttribute = value;
        e.data.href = resolved(e, value);
    } else if (upper == QLatin1String("TYPE")) {
        e.data.type = value.toLower();
    } else if (upper == QLatin1String("VALUE")) {
        e.data.value = value;
    } else if (upper == QLatin1String("CHECKED")) {
        // The attribute's presence ticks the box, whatever its value says.
        e.data.checked = true;
    } else if (upper == QLatin1String("WIDTH")) {
        e.data.width = value.toInt();
    } else if (upper == QLatin1String("HEIGHT")) {
        e.data.height = value.toInt();
    }
    e.attributes.insert(upper, value);
}

// What a browser gives an input for attributes it was not given.
void completeInput(FakeElement& e) {
    if (e.data.tagName != QLatin1String("INPUT")) {
        return;
    }
    if (e.data.type.isEmpty()) {
        e.data.type = QStringLiteral("text");
    }
    const bool box = e.data.type == QLatin1String("checkbox") || e.data.type == QLatin1String("radio");
    if (box && !e.attributes.contains(QStringLiteral("VALUE"))) {
        e.data.value = QStringLiteral("on");
    }
}

}  // namespace

QString FakeHtml::renderText(const QString& html) {
    static const QRegularExpression kBreak(QStringLiteral("<br[^>]*>|</p>|</div>|<p>|<div>"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kTag(QStringLiteral("<[^>]*>"));
    QString text = html;
    text.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(kBreak, QStringLiteral("\n"));
    text.remove(kTag);
    return decodeEntities(text);
}

QString FakeHtml::decodeEntities(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .replace(QLatin1String("&quot;"), QLatin1String("\""))
        .replace(QLatin1String("&#39;"), QLatin1String("'"))
        .replace(QLatin1String("&#x27;"), QLatin1String("'"))
        .replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

void FakeHtml::parseInto(FakeElement& parent, const QString& html) {
    std::vector<FakeElement*> open = {&parent};
    qsizetype i = 0;
    const qsizetype n = html.size();
    while (i < n) {
        const qsizetype lt = html.indexOf(u'<', i);
        if (lt < 0) {
            break;
        }
        i = lt + 1;
        if (i < n && html[i] == u'!') {  // comment or doctype
            const qsizetype gt = html.indexOf(u'>', i);
            i = gt < 0 ? n : gt + 1;
            continue;
        }
        const bool closing = i < n && html[i] == u'/';
        if (closing) {
            ++i;
        }
        qsizetype nameEnd = i;
        while (nameEnd < n && (html[nameEnd].isLetterOrNumber())) {
            ++nameEnd;
        }
        const QString tag = html.mid(i, nameEnd - i).toUpper();
        i = nameEnd;
        if (closing) {
            const qsizetype gt = html.indexOf(u'>', i);
            i = gt < 0 ? n : gt + 1;
            for (std::size_t k = open.size(); k-- > 1;) {
                if (open[k]->data.tagName == tag) {
                    open.resize(k);
                    break;
                }
            }
            continue;
        }
        if (tag.isEmpty()) {
            continue;
        }
        FakeElementPtr element = open.back()->appendChild(tag);
        // Attributes up to the closing ">", which may sit inside none of the quoted values.
        for (;;) {
            while (i < n && html[i].isSpace()) {
                ++i;
            }
            if (i >= n) {
                break;
            }
            if (html[i] == u'>' || html[i] == u'/') {
                completeInput(*element);
                const bool selfClosing = html[i] == u'/';
                i = html.indexOf(u'>', i);
                i = i < 0 ? n : i + 1;
                if (!selfClosing && !isVoid(tag)) {
                    open.push_back(element.get());
                } else {
                    element->data.outerHtml = html.mid(lt, i - lt);
                }
                break;
            }
            qsizetype nameStop = i;
            while (nameStop < n && !html[nameStop].isSpace() && html[nameStop] != u'=' &&
                   html[nameStop] != u'>') {
                ++nameStop;
            }
            const QString name = html.mid(i, nameStop - i);
            i = nameStop;
            QString value;
            if (i < n && html[i] == u'=') {
                ++i;
                if (i < n && (html[i] == u'"' || html[i] == u'\'')) {
                    const QChar quote = html[i];
                    const qsizetype close = html.indexOf(quote, i + 1);
                    const qsizetype stop = close < 0 ? n : close;
                    value = html.mid(i + 1, stop - i - 1);
                    i = close < 0 ? n : close + 1;
                } else {
                    qsizetype stop = i;
                    while (stop < n && !html[stop].isSpace() && html[stop] != u'>') {
                        ++stop;
                    }
                    value = html.mid(i, stop - i);
                    i = stop;
                }
            }
            if (!name.isEmpty()) {
                applyAttribute(*element, name, decodeEntities(value));
            }
            if (name.isEmpty() && i < n) {
                ++i;
            }
        }
    }
}

}  // namespace vorlaken
