#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QMimeData>
#include <QTemporaryDir>

#include "capture/PageModel.h"
#include "common/BrowserCache.h"
#include "common/Desktop.h"
#include "save/PictureFile.h"

namespace vorlaken {

// Hands pictures of the preview to other programs: as drag data and on the clipboard. The files it
// makes live in a temporary folder of this process, removed when the program ends. Failures are told
// to the user and hand nothing over.
class PictureExport {
  public:
    struct Sources {
        // The browser cache to take pictures from (may give null), and the browser whose cookies a
        // fetch sends (null when none is attached). Asked for each picture.
        std::function<BrowserCache*()> cache;
        std::function<Browser*()> attached;
    };

    PictureExport(Desktop& desktop, Sources sources, const PictureFile::Limits& limits = {});

    // The drag or clipboard data of the picture; null after telling the user why there is none.
    std::unique_ptr<QMimeData> dataFor(const QString& pictureUrl, const QString& pageUrl);
    // Puts the picture on the clipboard; false after telling the user why it is not there.
    bool copy(const QString& pictureUrl, const QString& pageUrl);

    // The folder the files are made in (made on first use).
    QString folder();

  private:
    Desktop& desktop_;
    Sources sources_;
    PictureFile::Limits limits_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<PictureFile> files_;
};

}  // namespace vorlaken
