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
    // A raw CR would be folded into the next LF (or become one) when the page is parsed; as a
    // reference it stays what it was.
    return value.toHtmlEscaped()
        .replace(u'\'', QLatin1String("&#39;"))
        .replace(u'\r', QLatin1String("&#13;"));
}

}  // namespace vorlaken
