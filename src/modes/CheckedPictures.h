#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "capture/PageModel.h"
#include "common/Desktop.h"

namespace vorlaken {

// The pictures ticked in the preview that show (a displayed width above 0), by their sources as the
// preview page resolved them: FillFromCheckedPictures ("Fill with URLs of current got pictures") and the
// wanted set of the onclick scanner.
class CheckedPictures {
  public:
    static const QString kNothingMessage;

    // Their sources in preview order; nothing when the preview zone cannot be read as the preview page
    // (the user told so). An empty preview gives an empty list.
    static std::optional<QStringList> sources(Browser& previewZone, Desktop& desktop, int* pictureCount);
    // The new text of a URL list, one source per line: empty with "Nothing is found?" shown when no
    // picture is ticked and shown. Nothing (the list stays) when the preview cannot be read, and when it
    // holds no picture ("Nothing is found?" again).
    static std::optional<QString> Fill(Browser& previewZone, Desktop& desktop);
};

}  // namespace vorlaken
