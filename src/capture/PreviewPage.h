#pragma once

#include <QString>

#include "capture/CaptureState.h"
#include "capture/CaptureTable.h"
#include "capture/PageModel.h"

namespace vorlaken {

// The three view options of the preview and the width the pictures may take.
struct PreviewOptions {
    bool thumbnail = true;    // chkhorizontal
    bool originSize = false;  // CheckBox1
    bool showSize = true;     // whCheck
    int availableWidth = 0;   // see PreviewAvailableWidth
};

// The start colour of the main panel's background gradient, as the preview's bgcolor.
inline const QString kPreviewBgColor = QStringLiteral("#FEF9ED");

// Width left for the pictures: the page control less a scroll bar, a margin of 30 and, when shown,
// the comment panel.
int PreviewAvailableWidth(int pageControlWidth, int scrollBarExtent, bool commentPanelVisible,
                          int commentPanelWidth);

// The preview page: one ticked checkbox c<n>, anchor a<n>, hidden input h<n> and image p<n> per row,
// all in the single form "form1". Other commands read the user's choice back from it by position.
class PreviewPage {
  public:
    // The body text, every line (the last included) followed by CR LF. Table values are HTML-escaped.
    // shownSizes (case-folded address to displayed size) adds the displayed size to the size shown
    // where a picture was measured by its own size.
    static QString build(const CaptureTable& table, const PreviewOptions& options,
                         const QHash<QString, QString>& shownSizes = {});
};

// Copies state.pageLocation into state.locationText, sets state.pageDomain, and, when the table has
// rows, writes the preview page into the body of previewZone's document with the given bgcolor.
// A failure while writing is swallowed: the zone keeps what it showed.
void RenderPreview(CaptureState& state, Browser& previewZone, const PreviewOptions& options,
                   const QString& bgColor = kPreviewBgColor);

}  // namespace vorlaken
