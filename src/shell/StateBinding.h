#pragma once

namespace vorlaken {

struct CaptureState;
class MainWindowUi;

// Carries the values a command reads from the controls into the state it works on, and its results
// back into the controls. Commands never touch a widget.
class StateBinding {
  public:
    static void toState(const MainWindowUi& ui, CaptureState& state);
    static void toWidgets(const CaptureState& state, MainWindowUi& ui);
    // Writes only the values that differ from shown (what the controls showed when the command began,
    // or at the last such write) and records them there: a command that lets events in while it runs
    // leaves alone what the user types meanwhile.
    static void changesToWidgets(const CaptureState& state, CaptureState& shown, MainWindowUi& ui);
};

}  // namespace vorlaken
