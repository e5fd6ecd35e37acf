#pragma once

namespace vorlaken {

struct SaveState;
class MainWindowUi;

// Carries the saving options between the controls of the options page and the save menu and the
// SaveState the save commands work on.
class SaveBinding {
  public:
    static void toState(const MainWindowUi& ui, SaveState& save);
    // Writes the values back without running the controls' change handlers.
    static void toWidgets(const SaveState& save, MainWindowUi& ui);
};

}  // namespace vorlaken
