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
};

}  // namespace vorlaken
