#include "capture/GetCommand.h"

#include <optional>

#include "capture/Capture.h"
#include "common/Termination.h"

namespace vorlaken {

namespace {

// What a capture shows of its page, kept for the page the user looks at while other tabs are captured.
struct PageShown {
    QString titleText;
    QString locationText;
    QString pageTitle;
    QString pageLocation;

    static PageShown of(const CaptureState& state) {
        return {state.titleText, state.locationText, state.pageTitle, state.pageLocation};
    }
    void restore(CaptureState& state) const {
        state.titleText = titleText;
        state.locationText = locationText;
        state.pageTitle = pageTitle;
        state.pageLocation = pageLocation;
    }
};

}  // namespace

GetCommand::GetCommand(BrowserFinder& finder, std::function<void()> renderPreview)
    : finder_(finder), renderPreview_(std::move(renderPreview)) {}

void GetCommand::Run(CaptureState& state, bool useEnhancedFilters) {
    BrowserPtr browser = finder_.discover();
    if (!browser) {
        return;
    }
    begin(state, std::move(browser));
    try {
        Capture(state, useEnhancedFilters);
    } catch (const PageError&) {
        // The table keeps what it held: the capture merges only at its very end.
    }
    finish(state);
}

void GetCommand::RunAllTabs(CaptureState& state, bool useEnhancedFilters) {
    WindowTabs window = finder_.discoverWindowTabs();
    if (window.tabs.empty()) {
        return;
    }
    const BrowserPtr lookedAt = window.tabs[std::size_t(window.lookedAt)];
    begin(state, lookedAt);

    const bool merge = state.merge;
    bool captured = false;
    std::optional<PageShown> shown;
    // A window of many tabs takes a while: a request to end the program ends it after the tab in hand.
    for (std::size_t i = 0; i < window.tabs.size() && !Termination::requested(); ++i) {
        state.attached = window.tabs[i];
        state.merge = merge || captured;
        try {
            Capture(state, useEnhancedFilters);
            captured = true;
            if (int(i) == window.lookedAt) {
                shown = PageShown::of(state);
            }
        } catch (const PageError&) {
            // A tab that went away, never loaded or shows no document costs only its own pictures.
        }
    }
    state.merge = merge;
    state.attached = lookedAt;
    if (shown) {
        shown->restore(state);
    }
    finish(state);
}

void GetCommand::begin(CaptureState& state, BrowserPtr attached) {
    state.attached = std::move(attached);
    state.getEnabled = false;
    state.saveEnabled = false;
    // Emptied even with "Lock": the lock only keeps the capture from choosing a title.
    state.titleItems.clear();
    state.titleText.clear();
}

void GetCommand::finish(CaptureState& state) {
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
