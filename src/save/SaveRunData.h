#pragma once

#include <QList>
#include <QString>

#include "capture/PageModel.h"

namespace vorlaken {

// One ticked, loaded picture of the preview.
struct SaveEntry {
    QString pictureUrl;
    QString linkUrl;  // kPlaceholderLinkUrl when the picture has no link
};

// A picture the run stored.
struct SavedPicture {
    QString fileName;  // bare name, after any renaming
    QString linkUrl;
    QString pictureUrl;
};

// What a run hands to the index page and the zip package.
struct SaveRunData {
    QString folder;  // target folder, ends with "/"
    QList<SaveEntry> saveList;
    QList<SavedPicture> saved;
};

// The CommentPanel as the index page needs it: whether it is shown, and its zone (wb2).
struct CommentPanelView {
    bool visible = false;
    Browser* zone = nullptr;
};

}  // namespace vorlaken
