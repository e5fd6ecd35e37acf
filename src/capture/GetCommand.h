#pragma once

#include <functional>

#include "capture/BrowserFinder.h"
#include "capture/CaptureState.h"

namespace vorlaken {

// The "Get" command: attach to the user's browser, capture its page, refresh the preview and the
// main panel's counters and buttons.
class GetCommand {
  public:
    // renderPreview is called after a capture that leaves rows; its PageError is swallowed.
    GetCommand(BrowserFinder& finder, std::function<void()> renderPreview);

    // Without a browser nothing changes. Otherwise sets state.attached, empties the title list and text,
    // captures (a failed capture leaves the table as it was), renders when the table has rows, sets
    // savedLabel "Saved:0/0" and countLabel to the row count, enables Get, and Save when there are rows.
    void Run(CaptureState& state, bool useEnhancedFilters);

  private:
    BrowserFinder& finder_;
    std::function<void()> renderPreview_;
};

}  // namespace vorlaken
