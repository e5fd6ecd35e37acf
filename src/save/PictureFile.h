#pragma once

#include <QHash>
#include <QString>

#include "capture/PageModel.h"
#include "common/BrowserCache.h"
#include "save/Transfer.h"

namespace vorlaken {

// A picture of the preview as a file of its own, for handing to other programs (drag and drop, the
// clipboard): a local page's picture is its own file; any other is copied into folder from the
// browser's cache, else fetched as a save run fetches it. Files made here are named after their
// address with the save's naming helpers, so nothing an address holds puts one outside folder, and a
// name that is taken is never reused: nothing already in folder is replaced.
class PictureFile {
  public:
    struct Limits {
        // Bigger pictures are refused: what is handed over is held in memory too.
        qint64 maxBytes = 64 * 1024 * 1024;
        // A fetch that has not ended by then is given up: the user waits for it with the mouse held.
        int deadlineMs = 20000;
        int connectTimeoutMs = 3000;
        int stallWindowMs = 10000;
    };

    explicit PictureFile(const QString& folder) : PictureFile(folder, Limits{}) {}
    PictureFile(const QString& folder, const Limits& limits);

    // The local file holding the picture at pictureUrl, shown for the page at pageUrl. cache may be
    // null; attached, when given, is asked for the cookies the fetch sends. A picture made once is
    // taken again while its file is there. Throws PlatformError with a message for the user when the
    // picture cannot be had; no file is left behind then.
    QString fileFor(const QString& pictureUrl, const QString& pageUrl, BrowserCache* cache = nullptr,
                    Browser* attached = nullptr);

    const QString& folder() const { return folder_; }

  private:
    QString targetFor(const QString& pictureUrl) const;
    void fetch(const QString& pictureUrl, const QString& target, Browser* attached);

    QString folder_;  // ends in "/"
    Limits limits_;
    QHash<QString, QString> made_;  // file by picture address
};

}  // namespace vorlaken
