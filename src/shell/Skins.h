#pragma once

#include <QStringList>

namespace vorlaken {

// The looks built into the program, chosen by index: 0 "default" (light Fusion), 1 "vista" (Fusion in
// blue with rounded gradient buttons), 2 "desktop" (the style and colours the desktop gave the program,
// dark ones included). Applies to every window of the application.
class Skins {
  public:
    enum { Default, Vista, Desktop };
    static int count() { return 3; }
    static QStringList names();
    // An index outside 0..count()-1 changes nothing.
    static void apply(int index);
    static int current() { return current_; }

  private:
    static inline int current_ = -1;
};

}  // namespace vorlaken
