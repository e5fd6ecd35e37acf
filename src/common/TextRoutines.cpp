#include "common/TextRoutines.h"

namespace vorlaken {

QString SanitizeName(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        for (const char16_t* f = kForbiddenNameChars; *f; ++f) {
            if (c.unicode() == *f) {
                c = u'_';
                break;
            }
        }
    }
    return out;
}

QString DomainOfUrl(const QString& url) {
    if (url.isEmpty()) {
        return {};
    }
    if (url == QLatin1String("about:blank")) {
        return QStringLiteral("about_blank");
    }
    const qsizetype scheme = url.indexOf(QLatin1String("://"));
    if (scheme < 0) {
        return {};
    }
    QString rest = url.mid(scheme + 3);
    for (QChar stop : {u'/', u'?', u'#'}) {
        const qsizetype at = rest.indexOf(stop);
        if (at >= 0) {
            rest.truncate(at);
        }
    }
    return SanitizeName(rest);
}

QString ReplaceAllText(const QString& text, const QString& search, const QString& replacement) {
    if (search.isEmpty()) {
        return text;
    }
    QString out;
    out.reserve(text.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = text.indexOf(search, from, Qt::CaseSensitive);
        if (at < 0) {
            break;
        }
        out.append(QStringView(text).mid(from, at - from));
        out.append(replacement);
        from = at + search.size();
    }
    out.append(QStringView(text).mid(from));
    return out;
}

QString HtmlEscape(const QString& value) {
    QString out;
    AppendHtmlEscaped(out, value);
    return out;
}

void AppendHtmlEscaped(QString& out, QStringView value) {
    // A raw CR would be folded into the next LF (or become one) when the page is parsed; as a
    // reference it stays what it was.
    qsizetype from = 0;
    for (qsizetype at = 0; at < value.size(); ++at) {
        QLatin1StringView reference;
        switch (value[at].unicode()) {
            case u'<':
                reference = QLatin1StringView("&lt;");
                break;
            case u'>':
                reference = QLatin1StringView("&gt;");
                break;
            case u'&':
                reference = QLatin1StringView("&amp;");
                break;
            case u'"':
                reference = QLatin1StringView("&quot;");
                break;
            case u'\'':
                reference = QLatin1StringView("&#39;");
                break;
            case u'\r':
                reference = QLatin1StringView("&#13;");
                break;
            default:
                continue;
        }
        out.append(value.mid(from, at - from));
        out.append(reference);
        from = at + 1;
    }
    out.append(value.mid(from));
}

}  // namespace vorlaken
