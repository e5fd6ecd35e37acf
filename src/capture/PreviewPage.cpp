#include "capture/PreviewPage.h"

#include <algorithm>

#include "capture/PageBody.h"
#include "capture/PreviewLayout.h"
#include "common/TextRoutines.h"

namespace vorlaken {
namespace {

// The fixed pieces of the page, exactly as the readers of the page and its template expect them.
const QString F1 = QStringLiteral("<font style=\"font-size:9pt\">");
const QString F2 = QStringLiteral("</font>");
const QString FORM = QStringLiteral("<form name=\"form1\" method=\"POST\" action=\"#\">");
const QString TAB = QStringLiteral("<table  border=0 width=\"100%\" >");
const QString TD = QStringLiteral("<td valign=top>");
const QString CB1 = QStringLiteral("<input type=\"checkbox\" name=\"c");
const QString CB1L = QStringLiteral("<p><input type=\"checkbox\" name=\"c");
const QString CB2 = QStringLiteral("\" checked=true value=\"");
const QString CB2L = QStringLiteral("\"  checked=true value=\"");
const QString END = QStringLiteral("\">");
const QString SZ1 = QStringLiteral(" <font color=#666666><i>");
const QString SZ2 = QStringLiteral("</i></font>");
const QString A1 = QStringLiteral(" <a name=\"a");
const QString A2 = QStringLiteral("\" target=_blank href=\"");
const QString A3 = QStringLiteral("\" title=\"");
const QString A4 = QStringLiteral("\">*</a>");
const QString A5 = QStringLiteral("\"></a>");
const QString BR = QStringLiteral("<br>");
const QString H1 = QStringLiteral("<input type=\"hidden\" name=\"h");
const QString H2 = QStringLiteral("\" value=\"");
const QString IMG1 = QStringLiteral("<img  name=p");
const QString IMG2 = QStringLiteral(" border=0 onmousewheel=\"return zoompic(this);\" src=\"");
const QString ON1 = QStringLiteral("\" onload=\"if (this.width>");
const QString ON1L = QStringLiteral("\" onload=\"javascript:if (this.width>");
const QString ON2 = QStringLiteral(") this.width=");
const QString CL1 = QStringLiteral("\" onclick=\"javascript:c");
const QString CL2 = QStringLiteral(".checked=!c");
const QString CL3 = QStringLiteral(".checked;\"");
const QString CL4 = QStringLiteral(" onerror='javascript:c");
const QString CL5 = QStringLiteral(".checked=false;this.onerror=\"\";this.width=0;'>");
const QString CL5L = QStringLiteral(".checked=false;this.onerror=\"\";this.width=0;'></p>");
const QString TDE = QStringLiteral("</td>");

const QString CRLF = QStringLiteral("\r\n");

// Writes the page straight into one text: a preview of ten thousand pictures is some megabytes, and
// building it from a list of line copies costs more than the page's own parsing.
class Builder {
  public:
    Builder(const CaptureTable& table, const PreviewOptions& options) : table_(table), options_(options) {}

    QString build() {
        reserve();
        line(QStringLiteral("<html>"));
        line(QStringLiteral("<body>"));
        line(FORM);
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

    void line(const QString& text) { put(text, CRLF); }

    void thumbnails(int columns, int width) {
        line(TAB);
        int k = 0;
        for (int i = 0; i < table_.size(); ++i) {
            if (++k == 1) {
                line(QStringLiteral("<tr>"));
            }
            const QString n = PreviewLayout::number(i);
            put(TD, F1);
            checkbox(i, n, CB1, CB2);
            details(i, n);
            image(i, n, ON1, width, CL5);
            put(F2);
            line(TDE);
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
        line(F1);
        for (int i = 0; i < table_.size(); ++i) {
            const QString n = PreviewLayout::number(i);
            checkbox(i, n, CB1L, CB2L);
            details(i, n);
            image(i, n, ON1L, width, CL5L);
            put(CRLF);
        }
        line(F2);
    }

    // The row's ticked checkbox, its value the size text, and the number after it.
    void checkbox(int i, const QString& n, const QString& open, const QString& beforeValue) {
        put(open, n, beforeValue);
        esc(table_.sizeText[i]);
        put(END, n);
    }

    // Size text, link marker and the hidden page address that follow the number. The hidden field is the
    // second control of the row, after its checkbox (PreviewLayout).
    void details(int i, const QString& n) {
        if (options_.showSize) {
            put(SZ1);
            esc(table_.sizeText[i]);
            put(SZ2);
        }
        put(A1, n, A2);
        esc(table_.linkUrl[i]);
        if (table_.linkUrl[i] != kPlaceholderLinkUrl) {
            put(A3);
            esc(table_.linkUrl[i]);
            put(A4);
        } else {
            put(A5);
        }
        put(BR, H1, n, H2);
        esc(table_.pageUrl[i]);
        put(END);
    }

    void image(int i, const QString& n, const QString& onload, int width, const QString& close) {
        put(IMG1, n, IMG2);
        esc(table_.picUrl[i]);
        if (!options_.originSize) {
            const QString w = QString::number(width);
            put(onload, w, ON2, w);
        }
        put(CL1, n, CL2, n, CL3, CL4, n, close);
    }

    template <typename... Pieces>
    void put(const Pieces&... pieces) {
        (out_.append(pieces), ...);
    }
    void esc(const QString& value) { AppendHtmlEscaped(out_, value); }

    const CaptureTable& table_;
    const PreviewOptions& options_;
    QString out_;
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
