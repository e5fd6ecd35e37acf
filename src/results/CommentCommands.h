#pragma once

#include "capture/CaptureTable.h"
#include "common/Desktop.h"
#include "results/CommentPanel.h"

namespace vorlaken {

// The comment menu's clean-ups of the comment panel's content.
class CommentCommands {
  public:
    // Shows the panel (width unchanged) and empties it. Failures leave the content as it was.
    static void ClearComments(CommentPanel& panel);
    // Shows the panel and replaces its content by its own plain text. Failures leave it as it was.
    static void RemoveFormat(CommentPanel& panel);
    // Reduces the content to its lines of text and the captured pictures it shows, in their places.
    // A failing page operation stops the command and tells the user.
    static void OnlyTextAndPictures(CommentPanel& panel, const CaptureTable& table, Desktop& desktop);

    // The lines that replace the content: the panel's text, in which each captured picture was turned
    // into a marker line "[##k##]" for pictures[k]. Every line followed by CR LF.
    static QString textAndPictures(const QString& text, const QStringList& pictures);
};

}  // namespace vorlaken
