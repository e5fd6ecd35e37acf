#include "capture/PreviewPage.h"

#include <algorithm>

#include "capture/PageBody.h"
#include "capture/PreviewLayout.h"
#include "common/TextRoutines.h"

namespace vorlaken {
namespace {

// The fixed pieces of the page, exactly as the readers of the page and its template expect them.
const QString kFontOpen = QStringLiteral("<font style=\"font-size:9pt\">");
const QString kFontClose = QStringLiteral("</font>");
const QString kFormOpen = QStringLiteral("<form name=\"form1\" method=\"POST\" action=\"#\">");
const QString kTableOpen = QStringLiteral("<table  border=0 width=\"100%\" >");
const QString kCellStart = QStringLiteral("<td valign=top>");
const QString kCheckboxStart = QStringLiteral("<input type=\"checkbox\" name=\"c");
const QString kListCheckboxStart = QStringLiteral("<p><input type=\"checkbox\" name=\"c");
const QString kCheckboxValue = QStringLiteral("\" checked=true value=\"");
const QString kListCheckboxValue = QStringLiteral("\"  checked=true value=\"");
const QString kAttributeEnd = QStringLiteral("\">");
const QString kSizeOpen = QStringLiteral(" <font color=#666666><i>");
const QString kSizeClose = QStringLiteral("</i></font>");
// Where the size is the picture's own: the size it is shown at on the page, beside it.
const QString kShownSizeOpen = QStringLiteral(" (shown ");
const QString kShownSizeClose = QStringLiteral(")");
const QString kAnchorStart = QStringLiteral(" <a name=\"a");
const QString kAnchorHref = QStringLiteral("\" target=_blank href=\"");
const QString kAnchorTitle = QStringLiteral("\" title=\"");
const QString kAnchorMarkerEnd = QStringLiteral("\">*</a>");
const QString kAnchorEmptyEnd = QStringLiteral("\"></a>");
const QString kBreak = QStringLiteral("<br>");
const QString kHiddenStart = QStringLiteral("<input type=\"hidden\" name=\"h");
const QString kHiddenValue = QStringLiteral("\" value=\"");
const QString kPictureStart = QStringLiteral("<img  name=p");
const QString kPictureSource = QStringLiteral(" border=0 onmousewheel=\"return zoompic(this);\" src=\"");
const QString kTableWidthLimitStart = QStringLiteral("\" onload=\"if (this.width>");
const QString kListWidthLimitStart = QStringLiteral("\" onload=\"javascript:if (this.width>");
const QString kWidthLimitMiddle = QStringLiteral(") this.width=");
const QString kClickStart = QStringLiteral("\" onclick=\"javascript:c");
const QString kClickMiddle = QStringLiteral(".checked=!c");
const QString kClickEnd = QStringLiteral(".checked;\"");
const QString kErrorStart = QStringLiteral(" onerror='javascript:c");
const QString kErrorEnd = QStringLiteral(".checked=false;this.onerror=\"\";this.width=0;'>");
const QString kListErrorEnd = QStringLiteral(".checked=false;this.onerror=\"\";this.width=0;'></p>");
const QString kCellEnd = QStringLiteral("</td>");

const QString kLineEnd = QStringLiteral("\r\n");

// Writes the page straight into one text: a preview of ten thousand pictures is some megabytes, and
// building it from a list of line copies costs more than the page's own parsing.
class Builder {
  public:
    Builder(const CaptureTable& table, const PreviewOptions& options,
            const QHash<QString, QString>& shownSizes)
        : table_(table), options_(options), shownSizes_(shownSizes) {}

    QString build() {
        reserve();
        line(QStringLiteral("<html>"));
        line(QStringLiteral("<body>"));
        line(kFormOpen);
        const int a = options_.availableWidth;
        if (options_.thumbnail) {
            thumbnails(std::max(1, a / 100), 100);
        } else {
            list(a);
        }
        line(QStringLiteral("</form>"));
        return std::move(out_);
    }

  private:
    void reserve() {
        qsizetype values = 0;
        for (int i = 0; i < table_.size(); ++i) {
            values += 2 * table_.sizeText[i].size() + 2 * table_.linkUrl[i].size() +
                      table_.pageUrl[i].size() + table_.picUrl[i].size();
        }
        // The fixed pieces of a row, its numbers, and some room for escapes.
        out_.reserve(values + values / 8 + qsizetype(table_.size()) * 400 + 1024);
    }

    void line(const QString& text) { put(text, kLineEnd); }

    void thumbnails(int columns, int width) {
        line(kTableOpen);
        int k = 0;
        for (int i = 0; i < table_.size(); ++i) {
            if (++k == 1) {
                line(QStringLiteral("<tr>"));
            }
            const QString n = PreviewLayout::number(i);
            put(kCellStart, kFontOpen);
            checkbox(i, n, kCheckboxStart, kCheckboxValue);
            details(i, n);
            image(i, n, kTableWidthLimitStart, width, kErrorEnd);
            put(kFontClose);
            line(kCellEnd);
            if (k == columns) {
                line(QStringLiteral("</tr>"));
                k = 0;
            }
        }
        if (k > 0) {
            for (; k < columns; ++k) {
                line(QStringLiteral("<td></td>"));
            }
            line(QStringLiteral("</tr>"));
        }
        line(QStringLiteral("</table>"));
    }

    void list(int width) {
        line(kFontOpen);
        for (int i = 0; i < table_.size(); ++i) {
            const QString n = PreviewLayout::number(i);
            checkbox(i, n, kListCheckboxStart, kListCheckboxValue);
            details(i, n);
            image(i, n, kListWidthLimitStart, width, kListErrorEnd);
            put(kLineEnd);
        }
        line(kFontClose);
    }

    // The row's ticked checkbox, its value the size text, and the number after it.
    void checkbox(int i, const QString& n, const QString& open, const QString& beforeValue) {
        put(open, n, beforeValue);
        esc(table_.sizeText[i]);
        put(kAttributeEnd, n);
    }

    // Size text, link marker and the hidden page address that follow the number. The hidden field is the
    // second control of the row, after its checkbox (PreviewLayout).
    void details(int i, const QString& n) {
        if (options_.showSize) {
            put(kSizeOpen);
            esc(table_.sizeText[i]);
            if (!shownSizes_.isEmpty()) {
                const auto shown = shownSizes_.constFind(table_.picUrl[i].toCaseFolded());
                if (shown != shownSizes_.cend()) {
                    put(kShownSizeOpen);
                    esc(*shown);
                    put(kShownSizeClose);
                }
            }
            put(kSizeClose);
        }
        put(kAnchorStart, n, kAnchorHref);
        esc(table_.linkUrl[i]);
        if (table_.linkUrl[i] != kPlaceholderLinkUrl) {
            put(kAnchorTitle);
            esc(table_.linkUrl[i]);
            put(kAnchorMarkerEnd);
        } else {
            put(kAnchorEmptyEnd);
        }
        put(kBreak, kHiddenStart, n, kHiddenValue);
        esc(table_.pageUrl[i]);
        put(kAttributeEnd);
    }

    void image(int i, const QString& n, const QString& onload, int width, const QString& close) {
        put(kPictureStart, n, kPictureSource);
        esc(table_.picUrl[i]);
        if (!options_.originSize) {
            const QString w = QString::number(width);
            put(onload, w, kWidthLimitMiddle, w);
        }
        put(kClickStart, n, kClickMiddle, n, kClickEnd, kErrorStart, n, close);
    }

    template <typename... Pieces>
    void put(const Pieces&... pieces) {
        (out_.append(pieces), ...);
    }
    void esc(const QString& value) { AppendHtmlEscaped(out_, value); }

    const CaptureTable& table_;
    const PreviewOptions& options_;
    const QHash<QString, QString>& shownSizes_;
    QString out_;
};

}  // namespace

int PreviewAvailableWidth(int pageControlWidth, int scrollBarExtent, bool commentPanelVisible,
                          int commentPanelWidth) {
    return pageControlWidth - scrollBarExtent - 30 - (commentPanelVisible ? commentPanelWidth : 0);
}

QString PreviewPage::build(const CaptureTable& table, const PreviewOptions& options,
                           const QHash<QString, QString>& shownSizes) {
    return Builder(table, options, shownSizes).build();
}

void RenderPreview(CaptureState& state, Browser& previewZone, const PreviewOptions& options,
                   const QString& bgColor) {
    state.locationText = state.pageLocation;
    state.pageDomain = DomainOfUrl(state.pageLocation);
    if (state.table.isEmpty()) {
        return;
    }
    const QString html = PreviewPage::build(state.table, options, state.shownSizes);
    try {
        ElementPtr body = PageBody(previewZone);
        body->setInnerHtml(html);
        body->setBgColor(bgColor);
    } catch (const PageError&) {
        // The zone keeps what it showed; the table is untouched.
    }
}

}  // namespace vorlaken
