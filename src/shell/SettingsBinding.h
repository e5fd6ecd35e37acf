#pragma once

#include <QRect>
#include <QString>

class QWidget;

namespace vorlaken {

class IniFile;

// Values of the settings file that are not held by a control.
struct WindowSettings {
    QString saveFolder;         // "dir"
    bool categoriesOn = false;  // "cat"
    QRect geometry;             // "fx", "fy", "fw", "fh"
};

// Binds the keys of section "config" of vorlaken.ini to the controls of the main window (found by
// component name below root). Reading fills each control without running its change handler;
// writing takes each value from its control at close, in the file's fixed key order.
class SettingsBinding {
  public:
    // The window's design placement, the default of "fx", "fy", "fw", "fh".
    static QRect designGeometry() { return QRect(160, 100, 860, 660); }

    // Reads every key into its control (in the order of the table) and returns the others. The stored
    // placement is fitted onto the available screen area (when known), whatever the file holds.
    static WindowSettings read(const IniFile& file, QWidget* root, const QRect& available = QRect());
    // Writes every key from its control and from values; the caller saves the file.
    static void write(IniFile& file, QWidget* root, const WindowSettings& values);
};

}  // namespace vorlaken
