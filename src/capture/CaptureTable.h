#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// The captured pictures: four parallel columns of equal length. picUrl is unique without regard to case.
struct CaptureTable {
    QStringList picUrl;
    QStringList sizeText;
    QStringList linkUrl;
    QStringList pageUrl;

    int size() const { return int(picUrl.size()); }
    bool isEmpty() const { return picUrl.isEmpty(); }
    void clear();
    void append(const QString& pic, const QString& size, const QString& link, const QString& page);
    // Row of the first picUrl equal to url without regard to case, or -1.
    int indexOfPic(const QString& url) const;
};

// The link address stored for a picture without a link. No page can link to it: it is not a URL.
inline const QString kPlaceholderLinkUrl = QStringLiteral("vorlaken:no-link");

}  // namespace vorlaken
