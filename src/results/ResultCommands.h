#pragma once

#include <functional>

#include "capture/CaptureState.h"
#include "capture/PageModel.h"
#include "common/Desktop.h"

namespace vorlaken {

// The commands of the arrow menu beside "Get" that work on the table as a whole: copy, sort, clear.
class ResultCommands {
  public:
    // "Copy Picture URLs", "Copy Link URLs" (placeholder links left out), "Copy UBB Code": every row of
    // the table, ticked or not, one line each followed by CR LF. Without a line nothing is copied.
    static void CopyPictureUrls(const CaptureTable& table, Desktop& desktop);
    static void CopyLinkUrls(const CaptureTable& table, Desktop& desktop);
    static void CopyUbbCode(const CaptureTable& table, Desktop& desktop);

    // Reorders the rows by picture address, locale-aware and without regard to case; descending is the
    // exact reverse of ascending. Then renders (every tick comes back). countLabel is not touched.
    static void SortByUrl(CaptureState& state, bool ascending, const std::function<void()>& renderPreview);

    // Empties the table and the preview zone's body ("<html></html>"). Labels and the comment panel keep
    // what they show. disableSave: the main panel's "Clear Result" also disables "Save".
    static void ClearResult(CaptureState& state, Browser& previewZone, bool disableSave);

  private:
    static void copyLines(const QStringList& lines, Desktop& desktop);
};

}  // namespace vorlaken
