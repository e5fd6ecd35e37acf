#include "capture/CaptureTable.h"

namespace vorlaken {

void CaptureTable::clear() {
    picUrl.clear();
    sizeText.clear();
    linkUrl.clear();
    pageUrl.clear();
}

void CaptureTable::append(const QString& pic, const QString& size, const QString& link, const QString& page) {
    picUrl.append(pic);
    sizeText.append(size);
    linkUrl.append(link);
    pageUrl.append(page);
}

int CaptureTable::indexOfPic(const QString& url) const {
    for (qsizetype i = 0; i < picUrl.size(); ++i) {
        if (picUrl[i].compare(url, Qt::CaseInsensitive) == 0) {
            return int(i);
        }
    }
    return -1;
}

}  // namespace vorlaken
