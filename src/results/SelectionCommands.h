#pragma once

#include <functional>

#include "capture/CaptureState.h"
#include "capture/PageModel.h"
#include "common/Desktop.h"

namespace vorlaken {

// The "Select" menu's commands on the ticks of the preview page.
class SelectionCommands {
  public:
    enum class Reduce { KeepChecked, CheckedBefore, CheckedAfter };

    // renderPreview draws the table into previewZone again (RenderPreview with the current options).
    SelectionCommands(Browser& previewZone, Desktop& desktop, std::function<void()> renderPreview);

    // "Select all" / "Deselect All": ticks or unticks every picture; the table is not touched.
    void SelectAll() { setAll(true); }
    void DeselectAll() { setAll(false); }
    // "Invert selection": every ticked picture unticked and every other ticked.
    void InvertSelection();

    // "Keep Cheked", "Checked Before", "Checked After": rebuilds the table from the values the page
    // holds for the kept pictures, sets countLabel and renders. Nothing to keep: nothing changes.
    // A failing page leaves table and preview as they were.
    void ReduceToSelection(CaptureState& state, Reduce mode);

  private:
    void setAll(bool checked);

    Browser& previewZone_;
    Desktop& desktop_;
    std::function<void()> renderPreview_;
};

}  // namespace vorlaken
