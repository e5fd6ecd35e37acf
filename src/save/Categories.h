#pragma once

#include <QString>
#include <QStringList>

#include "common/Desktop.h"
#include "save/SaveState.h"

namespace vorlaken {

// The picture categories: the list in cat.txt, the captions of catPopup and the editor TfrmCat.
class Categories {
  public:
    static const QStringList& defaults();

    // The lines of the file (CR, LF or CR LF); false when it is missing or unreadable.
    static bool read(const QString& path, QStringList* lines);
    // One line each, ended by CR LF. False when it could not be written.
    static bool write(const QString& path, const QStringList& lines);

    // Start-up: the list from the file (empty when unreadable) and the hint of Label106.
    static void load(SaveState& save, const QString& path);

    // The captions of catPopup, "&" doubled so they show exactly.
    static QStringList menuCaptions(const QStringList& categories);
    // The name a caption was built from: every "&&" reduced to "&", left to right.
    static QString fromCaption(const QString& caption);

    static QString startupHint(bool on);
    static QString editorHint(bool on);
};

// The editor TfrmCat as its window binds it: the text of `cat`, CheckBox1, and whether `cat` is enabled.
class CategoryEditor {
  public:
    // Created for one use: the box ticked as the option, the default list as text.
    explicit CategoryEditor(bool categoriesOn);

    // When first shown: the file's text replaces the default list, when it can be read.
    void loadFile(const QString& path);
    void setChecked(bool checked);
    // "Default Category".
    void RestoreDefaults();

    // "Ok": cleans the lines (last to first), then writes them. Returns true when the dialog closes
    // (then applies the result to save); false, after "Please specify categories", when none remains.
    bool Confirm(SaveState& save, Desktop& desktop, const QString& path);

    QString text;          // cat
    bool checked = false;  // CheckBox1
    bool textEnabled() const { return checked; }
};

}  // namespace vorlaken
