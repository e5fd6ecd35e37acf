#pragma once

#include <QString>

class QWidget;

namespace vorlaken {

// Gives every control below a window a name that assistive technology reads out, where Qt finds none
// of its own (a button's caption, a label whose buddy it is): a label standing just before it in its
// layout becomes its buddy; else its hint names it; else a menu button without caption is named after
// what stands before it ("Save menu" for the arrow beside "Save"). Controls that later code adds to the
// window's layouts are named by the same rules.
class AccessibleNames {
  public:
    static void apply(QWidget* root);
    // The name assistive technology reads for the widget.
    static QString of(QWidget* widget);
};

}  // namespace vorlaken
