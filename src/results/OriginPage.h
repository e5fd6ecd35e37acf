#pragma once

#include <QString>

#include "capture/PageModel.h"
#include "common/Desktop.h"

namespace vorlaken {

// The "More" menu: the ticked pictures written into the attached browser's page, and what undoes it.
class OriginPage {
  public:
    // The fixed pieces written around the pictures.
    static const QString kHeadWithOrigin;
    static const QString kTailWithOrigin;
    static const QString kHeadWithoutOrigin;
    static const QString kTailWithoutOrigin;

    // "Display pictures on origin webpage": the ticked pictures of the preview, with their links, above
    // the page's own body (or in its place with noOriginContent), and the page's scroll bar forced on.
    // Without an attached browser or a ticked picture nothing happens; failures on the page are ignored.
    static void Display(const BrowserPtr& attached, Browser& previewZone, bool noOriginContent,
                        Desktop& desktop);
    // The lines for the ticked pictures (src, href pairs), every line followed by CR LF.
    static QString pictureLines(const QStringList& picUrls, const QStringList& linkUrls);

    // "Refresh origin webpage". Failures and a missing browser are ignored.
    static void Refresh(const BrowserPtr& attached);
    // "Pictures invisible ?": the origin page, as the last capture read its address, in the preview zone.
    static void ShowInPreview(Browser& previewZone, const QString& originAddress);
    // "Restore preivew zone": the preview's start page (the template file) in the preview zone.
    static void RestorePreview(Browser& previewZone, const QString& templatePath);
    // "Show or hide preview zone scrollbar". scrollToggleCount (0 or 1) lives as long as the program.
    static void ToggleScrollBar(Browser& previewZone, int& scrollToggleCount);
};

}  // namespace vorlaken
