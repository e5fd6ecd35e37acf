#pragma once

#include <QString>

namespace vorlaken {

// What a browser's key event carries for a Windows virtual key code.
struct KeyEventFields {
    QString key;   // DOM key value ("ArrowLeft", "a", "Enter")
    QString code;  // DOM code value ("ArrowLeft", "KeyA", "Enter")
    QString text;  // the character typed, empty for keys that type none
};

// Arrows (37-40), Enter (13), Space (32), Page Up/Down (33/34), Home/End, Insert/Delete, Tab, Escape,
// Backspace, letters (65-90, typed lower case), digits (48-57), the number pad (96-105) and F1-F12.
// Other codes give empty key and code; the browser still receives the virtual key code.
KeyEventFields KeyForVirtualKey(int virtualKey);

}  // namespace vorlaken
