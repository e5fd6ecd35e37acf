#include "modes/PictureLinks.h"

#include "capture/CaptureTable.h"
#include "results/PreviewReadBack.h"

namespace vorlaken {

const QString PictureLinks::kNoLinkMessage = QStringLiteral("No picture link is found.");

std::optional<QString> PictureLinks::OfCheckedPictures(Browser& previewZone, Desktop& desktop) {
    const std::optional<PreviewReadBack> page = PreviewReadBack::readForCommand(previewZone, desktop);
    if (!page)
        return std::nullopt;
    // Every picture of the preview page has its anchor, so no link means no picture.
    if (page->count == 0) {
        desktop.showMessage(kNoLinkMessage);
        return std::nullopt;
    }
    QStringList lines;
    for (int i : page->checkedRows()) {
        if (page->linkUrl[i] != kPlaceholderLinkUrl)
            lines << page->linkUrl[i];
    }
    return lines.join(u'\n');
}

}  // namespace vorlaken
