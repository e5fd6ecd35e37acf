#include "modes/NavigableUrl.h"

namespace vorlaken {

bool IsNavigable(const QString& url) {
    // Only the scheme is judged here: an address the browser cannot parse is refused by the browser
    // itself, which the callers report as they do any refusal.
    const QString text = url.trimmed();
    const qsizetype colon = text.indexOf(u':');
    if (colon <= 0)
        return false;
    const QString scheme = text.left(colon).toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("file");
}

QString NotNavigatedMessage(const QStringList& skipped) {
    return kNotNavigatedMessage + u'\n' + skipped.join(u'\n');
}

}  // namespace vorlaken
