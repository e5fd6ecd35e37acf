#pragma once

class QAbstractButton;
class QWidget;

namespace vorlaken {

// What makes a window usable from the keyboard and by assistive technology: the standard shortcuts,
// a name for every control and a tab order that follows the layout.
class KeyboardAccess {
  public:
    // The buttons behind F1, F5 and Ctrl+S; any may be null.
    struct Commands {
        QAbstractButton* help = nullptr;
        QAbstractButton* refresh = nullptr;
        QAbstractButton* save = nullptr;
    };
    // The keys press the buttons as a click would, from whichever page is shown, but not while the
    // program hid or disabled them; Ctrl+Q closes the window the ordinary way.
    static void addShortcuts(QWidget* window, const Commands& commands);
    // Names and tab order; when the window is first shown, with every control in place.
    static void prepare(QWidget* window);
};

}  // namespace vorlaken
