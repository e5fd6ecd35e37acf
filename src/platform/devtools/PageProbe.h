#pragma once

#include <vector>

#include <QDeadlineTimer>

#include "platform/devtools/PageTargets.h"

namespace vorlaken {

// What one page said about itself when asked whether the user looks at it.
struct PageLook {
    bool answered = false;
    bool visible = false;
    bool focused = false;
};

// Asks every page at once, each over a socket of its own and in an isolated world of its main frame
// (so the page's scripts cannot change the answer), whether its document is visible and has the focus.
// All questions share one deadline: a page that never answers costs that deadline once, not once per
// page. Returns one entry per page, in order; it returns as soon as the choice of
// ChooseLookedAtPage cannot change any more, at the deadline, or when the program is asked to end.
std::vector<PageLook> ProbePages(const std::vector<PageTarget>& pages, const QDeadlineTimer& deadline);

// Among pages in the order of their last activation: the first visible page with the focus, else the first
// visible one, else the first that answered. -1 when none answered. Pages not yet answered (undecided)
// block a choice behind them: 'decided' tells whether the answer is final.
int ChooseLookedAtPage(const std::vector<PageLook>& looks, const std::vector<bool>& finished, bool* decided);

}  // namespace vorlaken
