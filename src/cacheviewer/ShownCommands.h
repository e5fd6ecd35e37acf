#pragma once

#include "cacheviewer/TIECache.h"
#include "cacheviewer/ViewerState.h"
#include "capture/PageModel.h"
#include "common/Desktop.h"
#include "common/ProgramDir.h"

namespace vorlaken {

// The commands of the "Show All" tab. wb1 is the view browser.
class ShownCommands {
  public:
    // cache: where the shown files come from; their bodies are materialised when first shown.
    ShownCommands(ViewerState& state, Zone& shownZone, Desktop& desktop, const ProgramDir& programDir,
                  TIECache* cache = nullptr)
        : state_(state), shownZone_(shownZone), desktop_(desktop), programDir_(programDir), cache_(cache) {}

    void ShowAll();
    void RenderShown();
    // The click handlers of "Thumbnail" and "Origin Size", after the box took its new state.
    void ThumbnailClicked();
    void OriginSizeClicked();
    void FilterShown();
    void SaveShown();
    void ChooseFolder();

  private:
    struct PageReading {
        std::vector<ElementData> images;
        std::vector<bool> ticked;  // per image; false where the form has no such element
    };
    // The view page's images (with sizes when asked) and the checked state of the first form's
    // elements. False when the page cannot be read.
    bool readPage(bool withSizes, PageReading* reading);
    bool keepsSize(int width, int height) const;

    ViewerState& state_;
    Zone& shownZone_;
    Desktop& desktop_;
    const ProgramDir& programDir_;
    TIECache* cache_;
};

}  // namespace vorlaken
