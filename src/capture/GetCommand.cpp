#include "capture/GetCommand.h"

#include "capture/Capture.h"

namespace vorlaken {

GetCommand::GetCommand(BrowserFinder& finder, std::function<void()> renderPreview)
    : finder_(finder), renderPreview_(std::move(renderPreview)) {}

void GetCommand::Run(CaptureState& state, bool useEnhancedFilters) {
    BrowserPtr browser = finder_.discover();
    if (!browser) {
        return;
    }
    state.attached = std::move(browser);

    state.getEnabled = false;
    state.saveEnabled = false;
    // Emptied even with "Lock": the lock only keeps the capture from choosing a title.
    state.titleItems.clear();
    state.titleText.clear();

    try {
        Capture(state, useEnhancedFilters);
    } catch (const PageError&) {
        // The table keeps what it held: the capture merges only at its very end.
    }

    if (!state.table.isEmpty() && renderPreview_) {
        try {
            renderPreview_();
        } catch (const PageError&) {
        }
    }

    state.savedLabel = QStringLiteral("Saved:0/0");
    state.countLabel = QString::number(state.table.size());
    state.getEnabled = true;
    state.saveEnabled = !state.table.isEmpty();
}

}  // namespace vorlaken
