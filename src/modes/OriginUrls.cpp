#include "modes/OriginUrls.h"

#include "capture/PageBody.h"
#include "common/TextRoutines.h"
#include "modes/MemoLines.h"

namespace vorlaken {

const QString OriginUrls::kHeadWithOrigin = QStringLiteral(
    "<p></p><p><a href=#998877><font color=#008000 size=5><u>origin content</u></font></a> "
    "<a href=\"javascript:window.location.reload(); \";><u><font color=#008000 size=5>reload</font></u></a>"
    "</p>");
const QString OriginUrls::kHeadWithoutOrigin = QStringLiteral(
    "<p></p><p><a href=\"javascript:window.location.reload(); \";><u><font color=#008000 size=5>reload"
    "</font></u></a></p>");
const QString OriginUrls::kOriginAnchor = QStringLiteral("<hr><a name=\"998877\"></a>");

QString OriginUrls::pictureLines(const QString& listText, bool noOriginContent) {
    QStringList lines{noOriginContent ? kHeadWithoutOrigin : kHeadWithOrigin};
    for (const QString& line : MemoLines::split(listText))
        lines << QStringLiteral("<img src=\"") + HtmlEscape(line) + QStringLiteral("\" border=0><br>");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void OriginUrls::Show(const BrowserPtr& attached, const QString& listText, bool noOriginContent) {
    if (!attached)
        return;
    try {
        ElementPtr body = PageBody(*attached);
        QString text = pictureLines(listText, noOriginContent);
        if (!noOriginContent)
            text += kOriginAnchor + body->innerHtml();
        body->setInnerHtml(text);
    } catch (const PageError&) {
    }
    try {
        PageBody(*attached)->setStyleAttribute(QStringLiteral("overflow"), QStringLiteral("scroll"));
    } catch (const PageError&) {
    }
}

}  // namespace vorlaken
