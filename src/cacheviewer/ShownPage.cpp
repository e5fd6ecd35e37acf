#include "ShownPage.h"

#include "common/HtmlValues.h"
#include "common/TextRoutines.h"

namespace vorlaken {

namespace {

const QString kHtml = QStringLiteral("<html>");
const QString kBody = QStringLiteral("<body>");
const QString kFormOpen = QStringLiteral("<form name=\"form1\" method=\"POST\" action=\"#\">");
const QString kFormClose = QStringLiteral("</form>");
const QString kFontOpen = QStringLiteral("<font style=\"font-size:9pt\">");
const QString kFontClose = QStringLiteral("</font>");
const QString kCheckboxStart = QStringLiteral("<input type=\"checkbox\" name=\"c");
const QString kShowAllCheckboxEnd = QStringLiteral("\" checked=true><br>");
const QString kPictureStart = QStringLiteral("<img  name=p");
const QString kWideSource = QStringLiteral(" border=0  src=\"");
const QString kNarrowSource = QStringLiteral(" border=0 src=\"");
const QString kClosingQuote = QStringLiteral("\"");
const QString kShowAllClickStart = QStringLiteral(" onclick=\"javascript:c");
const QString kClickStart = QStringLiteral("\" onclick=\"javascript:c");
const QString kClickMiddle = QStringLiteral(".checked=!c");
const QString kClickEnd = QStringLiteral(".checked;\"");
const QString kErrorStart = QStringLiteral(" onerror='javascript:c");
const QString kErrorEnd = QStringLiteral(".checked=false;this.onerror=\"\";this.width=0;'>");
const QString kListErrorEnd = QStringLiteral(".checked=false;this.onerror=\"\";this.width=0;'></p>");
const QString kTableOpen = QStringLiteral("<table  border=0 width=\"100%\" >");
const QString kTableClose = QStringLiteral("</table>");
const QString kRowOpen = QStringLiteral("<tr>");
const QString kRowClose = QStringLiteral("</tr>");
const QString kCellStart = QStringLiteral("<td valign=top>");
const QString kCellEnd = QStringLiteral("</td>");
const QString kEmptyCell = QStringLiteral("<td></td>");
const QString kTableCheckboxEnd = QStringLiteral("\" checked=true>");
const QString kListCheckboxStart = QStringLiteral("<p><input type=\"checkbox\" name=\"c");
const QString kListCheckboxEnd = QStringLiteral("\"  checked=true >");
const QString kBreak = QStringLiteral("<br>");
const QString kTableWidthLimitStart = QStringLiteral("\" onload=\"if (this.width>");
const QString kListWidthLimitStart = QStringLiteral("\" onload=\"javascript:if (this.width>");
const QString kWidthLimitMiddle = QStringLiteral(") this.width=");

// The cached file as the picture's address: encoded, so that a name holding "%3C" or a quote is still
// exactly that file and stays inside its attribute.
QString source(const QString& file) {
    return HtmlEscape(LocalFileAddress(file));
}

QString clicks(const QString& number) {
    return kClickStart + number + kClickMiddle + number + kClickEnd + kErrorStart + number;
}

}  // namespace

QStringList ShownPage::showAllLines(const QStringList& files, const QList<int>& numbers) {
    QStringList lines = {kHtml, kBody, kFormOpen};
    for (qsizetype i = 0; i < files.size() && i < numbers.size(); ++i) {
        const QString number = QString::number(numbers.at(i));
        lines << kCheckboxStart + number + kShowAllCheckboxEnd
              << kPictureStart + number + kWideSource + source(files.at(i)) + kClosingQuote
              << kShowAllClickStart + number + kClickMiddle + number + kClickEnd
              << kErrorStart + number + kErrorEnd;
    }
    lines << kFormClose;
    return lines;
}

QStringList ShownPage::renderLines(const QStringList& files, bool thumbnail, bool originSize, int width) {
    QStringList lines = {kHtml, kBody, kFormOpen};
    QString limit = QString::number(width);
    if (thumbnail) {
        const int columns = qMax(1, width / 100);
        limit = QStringLiteral("100");
        lines << kTableOpen;
        int column = 0;
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString number = QString::number(i + 1);
            if (++column == 1) {
                lines << kRowOpen;
            }
            QString picture = kPictureStart + number + kWideSource + source(files.at(i));
            if (!originSize) {
                picture += kTableWidthLimitStart + limit + kWidthLimitMiddle + limit;
            }
            lines << kCellStart + kFontOpen + kCheckboxStart + number + kTableCheckboxEnd + number + kBreak +
                         picture + clicks(number) + kErrorEnd + kFontClose + kCellEnd;
            if (column == columns) {
                lines << kRowClose;
                column = 0;
            }
        }
        if (column > 0) {
            for (; column < columns; ++column) {
                lines << kEmptyCell;
            }
            lines << kRowClose;
        }
        lines << kTableClose;
    } else {
        lines << kFontOpen;
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString number = QString::number(i + 1);
            const QString picture = originSize ? kPictureStart + number + kNarrowSource + source(files.at(i))
                                               : kPictureStart + number + kWideSource + source(files.at(i)) +
                                                     kListWidthLimitStart + limit + kWidthLimitMiddle + limit;
            lines << kListCheckboxStart + number + kListCheckboxEnd + number + kBreak + picture +
                         clicks(number) + kListErrorEnd;
        }
        lines << kFontClose;
    }
    lines << kFormClose;
    return lines;
}

QString ShownPage::text(const QStringList& lines) {
    QString page;
    for (const QString& line : lines) {
        page += line + QLatin1String("\r\n");
    }
    return page;
}

QStringList ShownPage::pictureInformation(const QStringList& urls, const QStringList& files) {
    QStringList memo = {QStringLiteral("Picture URLs:")};
    memo << urls << QString() << QStringLiteral("Cached Pictures:") << files;
    return memo;
}

}  // namespace vorlaken
