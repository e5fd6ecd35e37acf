#include "capture/PreviewPage.h"

#include <algorithm>

#include <QStringList>

#include "capture/PageBody.h"
#include "capture/PreviewLayout.h"
#include "common/TextRoutines.h"

namespace vorlaken {
namespace {

// The fixed pieces of the page, exactly as the readers of the page and its template expect them.
const QString kFontOpen = QStringLiteral("<font style=\"font-size:9pt\">");                      // F1
const QString kFontClose = QStringLiteral("</font>");                                            // F2
const QString kFormOpen = QStringLiteral("<form name=\"form1\" method=\"POST\" action=\"#\">");  // FORM
const QString kTableOpen = QStringLiteral("<table  border=0 width=\"100%\" >");                  // TAB
const QString kCellStart = QStringLiteral("<td valign=top>");                                    // TD
const QString kCheckboxStart = QStringLiteral("<input type=\"checkbox\" name=\"c");              // CB1
const QString kListCheckboxStart = QStringLiteral("<p><input type=\"checkbox\" name=\"c");       // CB1L
const QString kCheckboxValue = QStringLiteral("\" checked=true value=\"");                       // CB2
const QString kListCheckboxValue = QStringLiteral("\"  checked=true value=\"");                  // CB2L
const QString kAttributeEnd = QStringLiteral("\">");                                             // END
const QString kSizeOpen = QStringLiteral(" <font color=#666666><i>");                            // SZ1
const QString kSizeClose = QStringLiteral("</i></font>");                                        // SZ2
const QString kAnchorStart = QStringLiteral(" <a name=\"a");                                     // A1
const QString kAnchorHref = QStringLiteral("\" target=_blank href=\"");                          // A2
const QString kAnchorTitle = QStringLiteral("\" title=\"");                                      // A3
const QString kAnchorMarkerEnd = QStringLiteral("\">*</a>");                                     // A4
const QString kAnchorEmptyEnd = QStringLiteral("\"></a>");                                       // A5
const QString kBreak = QStringLiteral("<br>");                                                   // BR
const QString kHiddenStart = QStringLiteral("<input type=\"hidden\" name=\"h");                  // H1
const QString kHiddenValue = QStringLiteral("\" value=\"");                                      // H2
const QString kPictureStart = QStringLiteral("<img  name=p");                                    // IMG1
const QString kPictureSource =
    QStringLiteral(" border=0 onmousewheel=\"return zoompic(this);\" src=\"");                         // IMG2
const QString kTableWidthLimitStart = QStringLiteral("\" onload=\"if (this.width>");                   // ON1
const QString kListWidthLimitStart = QStringLiteral("\" onload=\"javascript:if (this.width>");         // ON1L
const QString kWidthLimitMiddle = QStringLiteral(") this.width=");                                     // ON2
const QString kClickStart = QStringLiteral("\" onclick=\"javascript:c");                               // CL1
const QString kClickMiddle = QStringLiteral(".checked=!c");                                            // CL2
const QString kClickEnd = QStringLiteral(".checked;\"");                                               // CL3
const QString kErrorStart = QStringLiteral(" onerror='javascript:c");                                  // CL4
const QString kErrorEnd = QStringLiteral(".checked=false;this.onerror=\"\";this.width=0;'>");          // CL5
const QString kListErrorEnd = QStringLiteral(".checked=false;this.onerror=\"\";this.width=0;'></p>");  // CL5L
const QString kCellEnd = QStringLiteral("</td>");                                                      // TDE

class Builder {
  public:
    Builder(const CaptureTable& table, const PreviewOptions& options) : table_(table), options_(options) {}

    QString build() {
        lines_ << QStringLiteral("<html>") << QStringLiteral("<body>") << kFormOpen;
        const int availableWidth = options_.availableWidth;
        if (options_.thumbnail) {
            thumbnails(std::max(1, availableWidth / 100), 100);
        } else {
            list(availableWidth);
        }
        lines_ << QStringLiteral("</form>");
        return lines_.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    }

  private:
    void thumbnails(int columns, int width) {
        lines_ << kTableOpen;
        int column = 0;
        for (int i = 0; i < table_.size(); ++i) {
            if (++column == 1) {
                lines_ << QStringLiteral("<tr>");
            }
            const QString number = PreviewLayout::number(i);
            lines_ << kCellStart + kFontOpen + kCheckboxStart + number + kCheckboxValue +
                          esc(table_.sizeText[i]) + kAttributeEnd + number + details(i, number) +
                          image(i, number, kTableWidthLimitStart, width, kErrorEnd) + kFontClose + kCellEnd;
            if (column == columns) {
                lines_ << QStringLiteral("</tr>");
                column = 0;
            }
        }
        if (column > 0) {
            for (; column < columns; ++column) {
                lines_ << QStringLiteral("<td></td>");
            }
            lines_ << QStringLiteral("</tr>");
        }
        lines_ << QStringLiteral("</table>");
    }

    void list(int width) {
        lines_ << kFontOpen;
        for (int i = 0; i < table_.size(); ++i) {
            const QString number = PreviewLayout::number(i);
            lines_ << kListCheckboxStart + number + kListCheckboxValue + esc(table_.sizeText[i]) +
                          kAttributeEnd + number + details(i, number) +
                          image(i, number, kListWidthLimitStart, width, kListErrorEnd);
        }
        lines_ << kFontClose;
    }

    // Size text, link marker and the hidden page address that follow the number. The hidden field is the
    // second control of the row, after its checkbox (PreviewLayout).
    QString details(int i, const QString& number) const {
        QString out;
        if (options_.showSize) {
            out += kSizeOpen + esc(table_.sizeText[i]) + kSizeClose;
        }
        const QString link = esc(table_.linkUrl[i]);
        if (table_.linkUrl[i] != kPlaceholderLinkUrl) {
            out += kAnchorStart + number + kAnchorHref + link + kAnchorTitle + link + kAnchorMarkerEnd;
        } else {
            out += kAnchorStart + number + kAnchorHref + link + kAnchorEmptyEnd;
        }
        return out + kBreak + kHiddenStart + number + kHiddenValue + esc(table_.pageUrl[i]) + kAttributeEnd;
    }

    QString image(int i, const QString& number, const QString& onload, int width,
                  const QString& close) const {
        QString out = kPictureStart + number + kPictureSource + esc(table_.picUrl[i]);
        if (!options_.originSize) {
            const QString limit = QString::number(width);
            out += onload + limit + kWidthLimitMiddle + limit;
        }
        return out + kClickStart + number + kClickMiddle + number + kClickEnd + kErrorStart + number + close;
    }

    static QString esc(const QString& value) { return HtmlEscape(value); }

    const CaptureTable& table_;
    const PreviewOptions& options_;
    QStringList lines_;
};

}  // namespace

int PreviewAvailableWidth(int pageControlWidth, int scrollBarExtent, bool commentPanelVisible,
                          int commentPanelWidth) {
    return pageControlWidth - scrollBarExtent - 30 - (commentPanelVisible ? commentPanelWidth : 0);
}

QString PreviewPage::build(const CaptureTable& table, const PreviewOptions& options) {
    return Builder(table, options).build();
}

void RenderPreview(CaptureState& state, Browser& previewZone, const PreviewOptions& options,
                   const QString& bgColor) {
    state.locationText = state.pageLocation;
    state.pageDomain = DomainOfUrl(state.pageLocation);
    if (state.table.isEmpty()) {
        return;
    }
    const QString html = PreviewPage::build(state.table, options);
    try {
        ElementPtr body = PageBody(previewZone);
        body->setInnerHtml(html);
        body->setBgColor(bgColor);
    } catch (const PageError&) {
        // The zone keeps what it showed; the table is untouched.
    }
}

}  // namespace vorlaken
