#include "results/CommentCommands.h"

#include <QRegularExpression>

#include "capture/PageBody.h"
#include "common/HtmlValues.h"
#include "common/IniFile.h"
#include "common/TextRoutines.h"

namespace vorlaken {
namespace {

// Leading and trailing blanks and control characters.
QString trimmedLine(const QString& line) {
    qsizetype from = 0;
    qsizetype to = line.size();
    while (from < to && line[from].unicode() <= 0x20) {
        ++from;
    }
    while (to > from && line[to - 1].unicode() <= 0x20) {
        --to;
    }
    return line.mid(from, to - from);
}

QString marker(qsizetype k) {
    return QStringLiteral("<br>[##") + QString::number(k) + QStringLiteral("##]<br>");
}

}  // namespace

void CommentCommands::ClearComments(CommentPanel& panel) {
    panel.show();
    panel.write(QString());
}

void CommentCommands::RemoveFormat(CommentPanel& panel) {
    panel.show();
    try {
        ElementPtr body = PageBody(panel.zone());
        // The text is escaped: pasted text that looks like markup stays text instead of becoming
        // live elements (and scripts) in the panel.
        body->setInnerHtml(HtmlEscape(body->outerText()));
    } catch (const PageError&) {
    }
}

QString CommentCommands::textAndPictures(const QString& text, const QStringList& pictures) {
    static const QRegularExpression kLineBreak(QStringLiteral("\r\n|\n|\r"));
    QString out;
    for (const QString& line : text.split(kLineBreak)) {
        const QString t = trimmedLine(line);
        if (!t.startsWith(QLatin1String("[##"))) {
            out += t.isEmpty() ? QStringLiteral("<p></p>") : HtmlEscape(t) + QStringLiteral("<br>");
            out += QStringLiteral("\r\n");
            continue;
        }
        const QString rest = t.mid(3);
        const qsizetype q = rest.indexOf(u'#');
        if (q < 0 || rest.mid(q, 3) != QLatin1String("##]")) {
            continue;
        }
        int n = -1;
        if (!IniFile::parseInteger(rest.left(q), &n) || n < 0 || n >= pictures.size()) {
            continue;
        }
        // Quoted as well as escaped: an address with a blank would otherwise end the attribute there
        // and let the rest of it become attributes of its own (an onerror handler, say).
        out += QStringLiteral("<img src=") + QuotedAttribute(pictures[n]) + QStringLiteral("><br>\r\n");
    }
    return out;
}

void CommentCommands::OnlyTextAndPictures(CommentPanel& panel, const CaptureTable& table, Desktop& desktop) {
    try {
        Browser& zone = panel.zone();
        DocumentPtr document = zone.document();
        if (!document) {
            throw PageError(QStringLiteral("The comment panel shows no page."));
        }
        CollectionPtr images = document->images();
        if (!images) {
            throw PageError(QStringLiteral("The comment panel has no image collection."));
        }
        const std::vector<ElementData> shown = images->read(kSrc | kOuterHtml);
        ElementPtr body = PageBody(zone);
        QString html = body->innerHtml();

        QStringList pictures;
        for (const ElementData& image : shown) {
            if (image.src.isEmpty() || table.indexOfPic(image.src) < 0) {
                continue;  // pictures that were not captured are dropped in the end
            }
            qsizetype k = 0;
            while (k < pictures.size() && pictures[k].compare(image.src, Qt::CaseInsensitive) != 0) {
                ++k;
            }
            if (k == pictures.size()) {
                k = pictures.size();
                pictures << image.src;
            }
            html = ReplaceAllText(html, image.outerHtml, marker(k));
        }
        body->setInnerHtml(html);
        body->setInnerHtml(textAndPictures(body->outerText(), pictures));
    } catch (const PageError&) {
        desktop.showMessage(QStringLiteral("The comments could not be reduced to text and pictures."));
    }
}

}  // namespace vorlaken
