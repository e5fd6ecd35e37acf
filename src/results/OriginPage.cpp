#include "results/OriginPage.h"

#include <QUrl>

#include "capture/CaptureTable.h"
#include "capture/PageBody.h"
#include "common/TextRoutines.h"
#include "results/PreviewReadBack.h"

namespace vorlaken {
const QString OriginPage::kHeadWithOrigin = QStringLiteral(
    "<style>body  {overflow: scroll; }</style><p></p><table border=0 width=\"100%\" bgcolor=#fffff\"><tr><td>"
    "<br></td></tr><tr><td height=40 valign=center><a href=#998877><font color=#008000><u>origin content</u>"
    "</font></a> <a href=\"javascript:window.location.reload(); \";><u><font color=#008000>reload</font></u>"
    "</a></td></tr><tr><td>");
const QString OriginPage::kTailWithOrigin =
    QStringLiteral("</td></tr><tr><td><hr size=1></td></tr></table><a name=998877></a>");
const QString OriginPage::kHeadWithoutOrigin = QStringLiteral(
    "<style>body  {overflow: scroll; }</style><p></p><table border=0 width=\"100%\" bgcolor=#fffff\"><tr><td>"
    "<br></td></tr><tr><td height=40 valign=center><u><a href=\"javascript:window.location.reload(); \";>"
    "<font color=#008000>reload</font></u></a></td></tr><tr><td>");
const QString OriginPage::kTailWithoutOrigin =
    QStringLiteral("</td></tr><tr><td><hr size=1></td></tr></table>");

QString OriginPage::pictureLines(const QStringList& picUrls, const QStringList& linkUrls) {
    QString out;
    for (qsizetype i = 0; i < picUrls.size(); ++i) {
        const QString src = HtmlEscape(picUrls[i]);
        if (linkUrls[i] != kPlaceholderLinkUrl) {
            out += QStringLiteral("<a target=_blank href=\"") + HtmlEscape(linkUrls[i]) +
                   QStringLiteral("\"><img border=0 src=\"") + src + QStringLiteral("\"></a><br>");
        } else {
            out += QStringLiteral("<img border=0 src=\"") + src + QStringLiteral("\"><br>");
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}

void OriginPage::Display(const BrowserPtr& attached, Browser& previewZone, bool noOriginContent,
                         Desktop& desktop) {
    if (!attached) {
        return;
    }
    const std::optional<PreviewReadBack> page = PreviewReadBack::readForCommand(previewZone, desktop);
    if (!page) {
        return;
    }
    QStringList pics;
    QStringList links;
    for (int i : page->checkedRows()) {
        pics << page->picUrl[i];
        links << page->linkUrl[i];
    }
    if (pics.isEmpty()) {
        return;
    }
    const QString lines = pictureLines(pics, links);
    try {
        ElementPtr body = PageBody(*attached);
        if (noOriginContent) {
            body->setInnerHtml(kHeadWithoutOrigin + lines + kTailWithoutOrigin);
        } else {
            const QString former = body->innerHtml();
            body->setInnerHtml(kHeadWithOrigin + lines + kTailWithOrigin + former);
        }
    } catch (const PageError&) {
    }
    try {
        PageBody(*attached)->setStyleAttribute(QStringLiteral("overflow"), QStringLiteral("scroll"));
    } catch (const PageError&) {
    }
}

void OriginPage::Refresh(const BrowserPtr& attached) {
    if (!attached) {
        return;
    }
    try {
        attached->reload();
    } catch (const PageError&) {
    }
}

void OriginPage::ShowInPreview(Browser& previewZone, const QString& originAddress) {
    try {
        previewZone.navigate(originAddress);
    } catch (const PageError&) {
    }
}

void OriginPage::RestorePreview(Browser& previewZone, const QString& templatePath) {
    try {
        previewZone.navigate(QUrl::fromLocalFile(templatePath).toString());
    } catch (const PageError&) {
    }
}

void OriginPage::ToggleScrollBar(Browser& previewZone, int& scrollToggleCount) {
    try {
        const QString value = scrollToggleCount == 0 ? QStringLiteral("scroll") : QString();
        PageBody(previewZone)->setStyleAttribute(QStringLiteral("overflow"), value);
    } catch (const PageError&) {
        return;
    }
    scrollToggleCount = (scrollToggleCount + 1) % 2;
}

}  // namespace vorlaken
