#pragma once

#include "capture/PageModel.h"
#include "common/Desktop.h"
#include "results/CommentPanel.h"

namespace vorlaken {

// "Show Picture URLs" and "Show Picture Links": the addresses of the ticked pictures, plain and as forum
// code, written into the comment panel (replacing what it held) and the panel shown wide.
class UrlList {
  public:
    enum class Kind { PictureUrls, PictureLinks };

    // Without pictures in the preview nothing happens.
    static void Show(Kind kind, Browser& previewZone, CommentPanel& panel, Desktop& desktop);
    // The panel's text for the ticked pictures of the page, every line followed by CR LF.
    static QString build(Kind kind, const QStringList& picUrls, const QStringList& linkUrls);
};

}  // namespace vorlaken
