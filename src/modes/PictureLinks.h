#pragma once

#include <optional>

#include <QString>

#include "capture/PageModel.h"
#include "common/Desktop.h"

namespace vorlaken {

// FillFromCheckedPictureLinks ("picture links are webpage URLs"): the link addresses of the pictures
// ticked in the preview, one per line, for a URL list.
class PictureLinks {
  public:
    static const QString kNoLinkMessage;

    // The new list text. Nothing (and the list stays as it was) when the preview holds no picture, the
    // user then being told, or cannot be read as the preview page.
    static std::optional<QString> OfCheckedPictures(Browser& previewZone, Desktop& desktop);
};

}  // namespace vorlaken
