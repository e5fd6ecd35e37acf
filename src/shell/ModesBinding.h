#pragma once

namespace vorlaken {

struct ModesState;
class ModePagesUi;
class MainWindowUi;

// Carries the values of the mode pages between their controls and the ModesState the mode commands
// work on. What the user sets (the list, the times, the boxes) goes into the state; what the commands
// set (counters, steps, the running look, the button bar) goes back into the controls.
class ModesBinding {
  public:
    // What the user may change, also while a run goes on.
    static void toState(const ModePagesUi& pages, ModesState& modes);
    static void toWidgets(const ModesState& modes, ModePagesUi& pages, MainWindowUi& ui);
    // Writes only what differs from shown and records it there, so that what the user types while a
    // run goes on stays as typed.
    static void changesToWidgets(const ModesState& modes, ModesState& shown, ModePagesUi& pages,
                                 MainWindowUi& ui);
};

}  // namespace vorlaken
