#pragma once

namespace vorlaken {

// The two looks built into the program, chosen by index: 0 "default" (light Fusion), 1 "vista"
// (Fusion in blue with rounded gradient buttons). Applies to every window of the application.
class Skins {
  public:
    static int count() { return 2; }
    // An index outside 0..count()-1 changes nothing.
    static void apply(int index);
    static int current() { return current_; }

  private:
    static inline int current_ = -1;
};

}  // namespace vorlaken
