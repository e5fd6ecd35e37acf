#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "save/SaveRunData.h"

namespace vorlaken {

// The local index page of a run: thumbnails, normal size pictures and the lists of names and addresses.
class IndexPage {
  public:
    // (screen width / 100) - 2, at least 1.
    static int columns(int screenWidth);

    // The CommentPanel's HTML with each stored picture's address replaced by its file name; empty when
    // the panel is hidden, cannot be read or holds no text.
    static QString comments(const CommentPanelView& panel, const QList<SavedPicture>& saved);

    // Every line of the page. Values from the page are escaped; the comments keep their HTML.
    static QStringList lines(const SaveRunData& run, const QString& title, const QString& pageUrl,
                             const QString& commentsHtml, int columns);

    // Writes the page under the first free stamp name in the run's folder and returns that name. Empty
    // when no free name was left, or when writing failed: then no page is left behind and failure (when
    // given) holds the system's words.
    static QString write(const SaveRunData& run, const QStringList& lines, const QDateTime& now,
                         QString* failure = nullptr);
};

}  // namespace vorlaken
