#include "results/UrlList.h"

#include "capture/CaptureTable.h"
#include "common/TextRoutines.h"
#include "results/PreviewReadBack.h"

namespace vorlaken {

QString UrlList::build(Kind kind, const QStringList& picUrls, const QStringList& linkUrls) {
    QStringList lines = {QStringLiteral("<html>"), QStringLiteral("<body>"),
                         QStringLiteral("<font style=\"font-size:9pt\">")};
    if (kind == Kind::PictureUrls) {
        lines << QStringLiteral("<p>Picture URLs:</p>");
        for (const QString& url : picUrls) {
            lines << HtmlEscape(url) + QStringLiteral("<br>");
        }
        lines << QStringLiteral("<p>UBB code:</p>");
        for (const QString& url : picUrls) {
            lines << QStringLiteral("[img]") + HtmlEscape(url) + QStringLiteral("[/img]<br>");
        }
    } else {
        QStringList links;
        for (const QString& link : linkUrls) {
            if (link != kPlaceholderLinkUrl) {
                links << HtmlEscape(link);
            }
        }
        lines << QStringLiteral("<p>Picture Links:</p>");
        for (const QString& link : links) {
            lines << link + QStringLiteral("<br>");
        }
        lines << QStringLiteral("<p>Link URLs:</p>");
        for (const QString& link : links) {
            lines << QStringLiteral("[url]") + link + QStringLiteral("[/url]<br>");
        }
    }
    lines << QStringLiteral("</font>");
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

void UrlList::Show(Kind kind, Browser& previewZone, CommentPanel& panel, Desktop& desktop) {
    const std::optional<PreviewReadBack> page = PreviewReadBack::readForCommand(previewZone, desktop);
    if (!page || page->count == 0) {
        return;
    }
    panel.showWide();
    QStringList pics;
    QStringList links;
    for (int i : page->checkedRows()) {
        pics << page->picUrl[i];
        links << page->linkUrl[i];
    }
    panel.write(build(kind, pics, links));
}

}  // namespace vorlaken
