#include "modes/CheckedPictures.h"

#include "results/PreviewReadBack.h"

namespace vorlaken {

const QString CheckedPictures::kNothingMessage = QStringLiteral("Nothing is found?");

std::optional<QStringList> CheckedPictures::sources(Browser& previewZone, Desktop& desktop,
                                                    int* pictureCount) {
    const std::optional<PreviewReadBack> page = PreviewReadBack::readForCommand(previewZone, desktop);
    if (!page)
        return std::nullopt;
    *pictureCount = page->count;
    QStringList shown;
    for (int i : page->checkedRows()) {
        // A picture still loading or whose load failed shows no width.
        if (!page->loading[std::size_t(i)] && !page->loadFailed[std::size_t(i)])
            shown << page->picUrl[i];
    }
    return shown;
}

std::optional<QString> CheckedPictures::Fill(Browser& previewZone, Desktop& desktop) {
    int count = 0;
    const std::optional<QStringList> found = sources(previewZone, desktop, &count);
    if (!found)
        return std::nullopt;
    // An empty preview leaves the list as it is.
    if (count == 0) {
        desktop.showMessage(kNothingMessage);
        return std::nullopt;
    }
    if (found->isEmpty())
        desktop.showMessage(kNothingMessage);
    return found->join(u'\n');
}

}  // namespace vorlaken
