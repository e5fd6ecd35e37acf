#pragma once

#include <optional>

#include <QSet>
#include <QString>
#include <QStringList>

#include "capture/PageModel.h"
#include "common/Desktop.h"

namespace vorlaken {

// ExtractOnclickUrls: the addresses of the big pictures that the onclick code of the pictures ticked in
// the preview opens, found in the attached page and its frames.
class OnclickUrls {
  public:
    static const QString kNoPicturesMessage;
    static const QString kNoneCheckedMessage;

    // The address in a picture's outer HTML: the first http://, else https://, else ftp:// address of
    // its onclick value (character references read as their characters) with every blank removed, up to
    // the quote that stood before it. Nothing when the picture has no onclick value, it holds none of
    // the schemes, or a quoted value is not closed.
    static std::optional<QString> urlOf(const QString& outerHtml);

    // The lines for the list: one per picture of the page and its frames, in document order, whose
    // source is one of the ticked and shown preview pictures (letter case aside) and whose onclick
    // code gives an address; not de-duplicated. Nothing, the user told why, when the preview holds no
    // picture or none is ticked; the list then stays as it is.
    static std::optional<QStringList> Extract(Browser& previewZone, Browser* attached, Desktop& desktop);
    // The same lines for the pictures of the page and its frames whose sources, case-folded, are in
    // wanted. A document that cannot be read adds nothing.
    static QStringList fromPages(Browser& page, const QSet<QString>& wanted);

  private:
    static void scan(Browser& browser, const QSet<QString>& wanted, QStringList& lines);
};

}  // namespace vorlaken
