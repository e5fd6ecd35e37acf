#pragma once

#include <QString>

#include "capture/PageModel.h"

namespace vorlaken {

// Visibility and width of the comment panel and its splitter, bound by the main window.
struct CommentPanelState {
    bool visible = false;
    int width = 205;
};

// The editable side page beside the preview: shown, hidden and written as one.
class CommentPanel {
  public:
    static constexpr int kWideWidth = 400;

    CommentPanel(CommentPanelState& state, Browser& zone) : state_(state), zone_(zone) {}

    void toggle() { state_.visible = !state_.visible; }
    void show() { state_.visible = true; }
    void hide() { state_.visible = false; }
    // Shows the panel at least kWideWidth wide.
    void showWide();
    // Replaces the body's content; a failing write leaves the panel as it was.
    void write(const QString& html);

    bool visible() const { return state_.visible; }
    Browser& zone() { return zone_; }

  private:
    CommentPanelState& state_;
    Browser& zone_;
};

}  // namespace vorlaken
