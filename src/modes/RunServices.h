#pragma once

#include <functional>

#include "capture/BrowserFinder.h"
#include "common/Desktop.h"

namespace vorlaken {

// What the runs of the enhanced modes work with besides the state. The window fills it; tests use
// fakes.
struct RunServices {
    BrowserFinder* finder = nullptr;
    Desktop* desktop = nullptr;
    // RenderPreview of the table; its PageError ends a multipage run.
    std::function<void()> renderPreview;
    // The clearing behind "Clear Result": the table and the preview page, nothing else.
    std::function<void()> clearResult;
    // Shows what the run changed so far and takes in what the user may change while it goes on (the
    // URL list, the filters). Lets no events in itself.
    std::function<void()> refresh;
    // Milliseconds in one second of the pages' time controls; tests make it shorter.
    int secondMs = 1000;
};

}  // namespace vorlaken
