#include "save/IndexPage.h"

#include <QFile>

#include "capture/CaptureTable.h"
#include "common/HtmlValues.h"
#include "common/TextRoutines.h"
#include "save/FileNaming.h"

namespace vorlaken {

namespace {

// Turning the mouse wheel over a picture zooms it in steps of ten percent.
const char* const kZoomScript[] = {
    R"(<script>)",
    R"(var count = 10;)",
    R"(function zoompic(obj))",
    R"({)",
    R"()",
    R"(  var s=obj.style.zoom;)",
    R"(  if ((s== "undefined") || (s=="")))",
    R"(  {)",
    R"(     count=10;)",
    R"(  })",
    R"(  else)",
    R"(  {)",
    R"(    l=s.length;)",
    R"(    l=l-1;)",
    R"(    s2=s.substr(0,l);)",
    R"(    count=parseInt(s2);)",
    R"(    count=count /10;)",
    R"(    // alert(count);)",
    R"(  })",
    R"(  )",
    R"(  if (count<2) count=2;)",
    R"(  if (count>90) count=90;)",
    R"(  )",
    R"(  if (event.wheelDelta >= 120)  count++;)",
    R"(  else if (event.wheelDelta <= -120) count--; )",
    R"()",
    R"()",
    R"(  obj.alt= 'Zoom:'+count+'0%';)",
    R"(  obj.style.zoom = count + '0%';)",
    R"(  return false;)",
    R"(})",
    R"()",
    R"(function Counting(count))",
    R"({ )",
    R"(  if (event.wheelDelta >= 120)  count++;)",
    R"(  else if (event.wheelDelta <= -120) count--; )",
    R"(  return count; )",
    R"(})",
    R"(</script>)",
};

// On load every thumbnail (named p1, p2, ...) wider than 100 pixels is shown 100 pixels wide.
const char* const kResizeScript[] = {
    R"(<script>)",
    R"(function resizeimg())",
    R"({)",
    R"( for (j=0;j<document.images.length;j++))",
    R"( {)",
    R"(  n= document.images[j].name;)",
    R"(  if  (n.indexOf("p")==0))",
    R"(     document.images[j].width=(document.images[j].width>100)?"100":document.images[j].width;)",
    R"( })",
    R"()",
    R"(})",
    R"(</script>)",
};

const QString kGreen = QStringLiteral("<p><strong><font color=#008000>");
const QString kZoomHandler = QStringLiteral(R"(  onmousewheel="return zoompic(this);")");

bool hasLink(const SavedPicture& picture) {
    return picture.linkUrl != kPlaceholderLinkUrl;
}

}  // namespace

int IndexPage::columns(int screenWidth) {
    const int count = screenWidth / 100 - 2;
    return count > 0 ? count : 1;
}

QString IndexPage::comments(const CommentPanelView& panel, const QList<SavedPicture>& saved) {
    if (!panel.visible || !panel.zone)
        return QString();
    QString html;
    try {
        ElementPtr body = panel.zone->document()->body();
        if (!body || body->outerText().trimmed().isEmpty())
            return QString();
        html = body->innerHtml();
    } catch (const AppError&) {
        return QString();
    }
    for (const SavedPicture& picture : saved) {
        // The name goes in as an encoded reference: a name holding a quote or "%XX" would otherwise
        // end the attribute it lands in, or name another file.
        const QString reference = FileNameReference(picture.fileName);
        // Addresses inside attributes appear as the browser serializes attribute values.
        const QString serialized = SerializedAttributeValue(picture.pictureUrl);
        if (serialized != picture.pictureUrl)
            html = ReplaceAllText(html, serialized, reference);
        html = ReplaceAllText(html, picture.pictureUrl, reference);
    }
    return html;
}

QStringList IndexPage::lines(const SaveRunData& run, const QString& title, const QString& pageUrl,
                             const QString& commentsHtml, int columns) {
    QStringList out;
    out << QStringLiteral("<html>") << QStringLiteral(R"(<body onload="resizeimg();">)")
        << QStringLiteral("<style> a {text-decoration: none;}</style>");
    for (const char* line : kZoomScript)
        out << QString::fromLatin1(line);
    for (const char* line : kResizeScript)
        out << QString::fromLatin1(line);

    if (!commentsHtml.isEmpty()) {
        out << commentsHtml << QStringLiteral(R"(<hr width='100%' size="1" color="#008000">)");
    }

    const QList<SavedPicture>& saved = run.saved;
    if (saved.size() >= 5) {
        out << kGreen + QStringLiteral("Thumbnail:</font></strong></p>")
            << QStringLiteral(R"(<table  border=0 width="100%" >)");
        int cells = 0;
        for (qsizetype i = 0; i < saved.size(); ++i) {
            const QString file = HtmlEscape(FileNameReference(saved[i].fileName));
            const QString target = hasLink(saved[i]) ? HtmlEscape(saved[i].linkUrl) : file;
            if (cells == 0)
                out << QStringLiteral("<tr>");
            out << QStringLiteral(
                       R"(<td valign=top><a href="%1" target=_blank><img name="p%2" border=0 src="%3")")
                           .arg(target, QString::number(i + 1), file) +
                       kZoomHandler + QStringLiteral("></a></td>");
            if (++cells == columns) {
                out << QStringLiteral("</tr>");
                cells = 0;
            }
        }
        if (cells > 0) {
            for (; cells < columns; ++cells)
                out << QStringLiteral("<td></td>");
            out << QStringLiteral("</tr>");
        }
        out << QStringLiteral("</table>") << kGreen + QStringLiteral("Normal size:</font></strong></p>");
    }

    for (const SavedPicture& picture : saved) {
        const QString image =
            QStringLiteral(R"(<img border=0 src="%1")").arg(HtmlEscape(FileNameReference(picture.fileName))) +
            kZoomHandler + u'>';
        if (hasLink(picture)) {
            out << QStringLiteral(R"(<a href="%1" target=_blank>)").arg(HtmlEscape(picture.linkUrl)) + image +
                       QStringLiteral("</a><br><br>");
        } else {
            out << image + QStringLiteral("<br><br>");
        }
    }

    auto linked = [](const QString& address, const QString& text) {
        return QStringLiteral(R"(<a target=_blank href="%1">%2</a><br>)")
            .arg(HtmlEscape(address), HtmlEscape(text));
    };
    auto listed = [&linked](const QString& value) { return linked(value, value); };
    out << kGreen + QStringLiteral("Local File Name:</font></strong><br>");
    for (const SavedPicture& picture : saved)
        out << linked(FileNameReference(picture.fileName), picture.fileName);
    out << kGreen + QStringLiteral("Webpage Title:</font></strong><br>") + HtmlEscape(title) +
               QStringLiteral("<br>");
    const QString page = HtmlEscape(pageUrl);
    out << kGreen + QStringLiteral(R"(Webpage URL:</font></strong><br><a href="%1" target=_blank>%1</a><br>)")
                        .arg(page);
    out << kGreen + QStringLiteral("Picture URLs:</font></strong><br>");
    for (const SaveEntry& entry : run.saveList)
        out << listed(entry.pictureUrl);
    out << kGreen + QStringLiteral("Picture Links:</font></strong><br>");
    for (const SavedPicture& picture : saved) {
        if (hasLink(picture))
            out << listed(picture.linkUrl);
    }
    out << QStringLiteral("<br><br>");
    out << kGreen + QStringLiteral("This page was generated by Vorlaken 8.1</font></strong>")
        << QStringLiteral("<br>Hint: you can zoom pictures by mouse wheel.") << QStringLiteral("</p>");
    return out;
}

QString IndexPage::write(const SaveRunData& run, const QStringList& lines, const QDateTime& now,
                         QString* failure) {
    const QString name = StampedFileName(run.folder, FormatStamp(now), QStringLiteral(".htm"));
    if (name.isEmpty())
        return name;
    QByteArray text;
    for (const QString& line : lines) {
        text += line.toUtf8();
        text += "\r\n";
    }
    QFile file(name);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::NewOnly) &&
                         file.write(text) == text.size() && file.flush();
    if (written)
        return name;
    if (failure)
        *failure = file.errorString();
    // A page cut short would show a run that did not happen; one that was never made is not there.
    if (file.isOpen()) {
        file.close();
        file.remove();
    }
    return QString();
}

}  // namespace vorlaken
