#include "results/CommentPanel.h"

#include "capture/PageBody.h"

namespace vorlaken {

void CommentPanel::showWide() {
    if (!state_.visible) {
        toggle();
    }
    if (state_.width < kWideWidth) {
        state_.width = kWideWidth;
    }
}

void CommentPanel::write(const QString& html) {
    try {
        PageBody(zone_)->setInnerHtml(html);
    } catch (const PageError&) {
    }
}

}  // namespace vorlaken
