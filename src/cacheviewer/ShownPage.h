#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vorlaken {

// The texts of the show-all page. Fixed pieces are exactly the viewer's; each cached file is given by
// its encoded file address.
class ShownPage {
  public:
    // The page "Show All" writes: for each shown file its number n (positions in the check list, so
    // the numbers may have gaps).
    static QStringList showAllLines(const QStringList& files, const QList<int>& numbers);
    // The page RenderShown writes, in table layout (thumbnail) or list layout; numbers run 1, 2, 3.
    // width: the layout width in pixels as computed by the caller.
    static QStringList renderLines(const QStringList& files, bool thumbnail, bool originSize, int width);
    // Lines joined with CR LF after each.
    static QString text(const QStringList& lines);
    // The "Picture Information" memo.
    static QStringList pictureInformation(const QStringList& urls, const QStringList& files);
};

}  // namespace vorlaken
