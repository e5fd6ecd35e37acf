#pragma once

class QWidget;

namespace vorlaken {

// Which Get/Save pair the window shows: the main panel's, one mode's, or none (options panel).
enum class PairPanel { Main, Options, Enhanced };

// Shows exactly the pair of that panel and mode (mode counts only for Enhanced) and hides every other.
// Each Save button is shown exactly when its Get button is; the auto-click Save only while its Get
// button is enabled. The auto-click page shows the popup way's "4.Get" and "5.Save" in its first step
// and its own pair in its second.
void ShowButtonPairs(QWidget* root, PairPanel panel, int mode);

}  // namespace vorlaken
