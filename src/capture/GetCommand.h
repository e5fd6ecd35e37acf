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
    // "Get from all tabs": as Run, over every tab of the window of the page the user looks at, in the
    // window's order, into one table. The first tab that captures replaces the table unless Merge is on;
    // the others merge into it. A tab that cannot be captured is passed over. The page the user looks at
    // stays attached and gives the title and location; the title list holds every tab's titles.
    void RunAllTabs(CaptureState& state, bool useEnhancedFilters);

  private:
    void begin(CaptureState& state, BrowserPtr attached);
    void finish(CaptureState& state);

    BrowserFinder& finder_;
    std::function<void()> renderPreview_;
};

}  // namespace vorlaken
