#include "shell/SettingsBinding.h"

#include <QWidget>

#include "common/IniFile.h"
#include "common/WindowPlacement.h"
#include "save/SaveSettings.h"
#include "widgets/ControlAccess.h"

namespace vorlaken {

namespace {

const QString kSection = QStringLiteral("config");

enum class Kind { Bool, Int, Text };

struct ControlKey {
    const char* key;
    const char* control;
    Kind kind;
    int defaultNumber;
    const char* defaultText;
};

// Keys held by a control, in reading order.
const ControlKey kControlKeys[] = {
    {"skin", "cb1", Kind::Int, 1, ""},
    {"autoupgrade", "chkupgrade", Kind::Bool, 1, ""},
    {"horizontal", "chkhorizontal", Kind::Bool, 1, ""},
    {"w", "SpinEdit1", Kind::Int, 80, ""},
    {"h", "SpinEdit2", Kind::Int, 80, ""},
    {"size", "cbsize", Kind::Int, 0, ""},
    {"w2", "SpinEdit12", Kind::Int, 80, ""},
    {"h2", "spinedit22", Kind::Int, 80, ""},
    {"size2", "cbsize2", Kind::Int, 0, ""},
    {"rep1", "Edit6", Kind::Text, 0, "/thumb/"},
    {"rep2", "Edit7", Kind::Text, 0, "/"},
    {"noorg", "noorgChk", Kind::Bool, 0, ""},
    {"keepdir", "N32", Kind::Bool, 1, ""},
    {"domore", "inputchk", Kind::Bool, 0, ""},
    {"save", "savechk", Kind::Bool, 1, ""},
    {"zip", "zipChk", Kind::Bool, 0, ""},
    {"wh", "whCheck", Kind::Bool, 1, ""},
    {"saveext", "extchk", Kind::Bool, 1, ""},
    {"autoext", "autoextchk", Kind::Bool, 1, ""},
    {"way2", "cb2", Kind::Int, 2, ""},
    {"way3", "cb3", Kind::Int, 3, ""},
    // Options of our own, beyond the table: written only once they have been turned on, so that a
    // file of the table's keys stays exactly that.
    {"largest", "largestChk", Kind::Bool, 0, ""},
    {"ownsize", "ownSizeChk", Kind::Bool, 0, ""},
};

// The order in which the keys are written at close.
const char* const kWriteOrder[] = {
    "dir",  "keepdir", "way2",    "way3",    "w",          "h",      "size", "w2",         "h2", "size2",
    "save", "zip",     "saveext", "autoext", "horizontal", "domore", "wh",   "runfirst",   "fw", "fh",
    "fx",   "fy",      "rep1",    "rep2",    "noorg",      "cat",    "skin", "autoupgrade"};

const char* const kOwnKeys[] = {"largest", "ownsize"};

const ControlKey* controlKey(const QString& key) {
    for (const ControlKey& entry : kControlKeys) {
        if (key == QLatin1String(entry.key))
            return &entry;
    }
    return nullptr;
}

void readControl(const IniFile& file, QWidget* root, const ControlKey& entry) {
    QObject* control = root->findChild<QObject*>(QLatin1String(entry.control));
    if (!control)
        return;
    const QString key = QLatin1String(entry.key);
    switch (entry.kind) {
        case Kind::Bool:
            ControlAccess::setBoolQuietly(control, file.readBool(kSection, key, entry.defaultNumber != 0));
            break;
        case Kind::Int:
            ControlAccess::setIntQuietly(control, file.readInteger(kSection, key, entry.defaultNumber));
            break;
        case Kind::Text:
            ControlAccess::setTextQuietly(control,
                                          file.readString(kSection, key, QLatin1String(entry.defaultText)));
            break;
    }
}

void writeControl(IniFile& file, QWidget* root, const ControlKey& entry) {
    QObject* control = root->findChild<QObject*>(QLatin1String(entry.control));
    if (!control)
        return;
    const QString key = QLatin1String(entry.key);
    switch (entry.kind) {
        case Kind::Bool:
            file.writeBool(kSection, key, ControlAccess::boolOf(control));
            break;
        case Kind::Int:
            file.writeInteger(kSection, key, ControlAccess::intOf(control));
            break;
        case Kind::Text:
            file.writeString(kSection, key, ControlAccess::textOf(control));
            break;
    }
}

}  // namespace

WindowSettings SettingsBinding::read(const IniFile& file, QWidget* root, const QRect& available) {
    WindowSettings values;
    const QRect design = designGeometry();
    for (const ControlKey& entry : kControlKeys) {
        readControl(file, root, entry);
        const QString key = QLatin1String(entry.key);
        // "cat" and "dir" sit between the controls' keys in the file's table.
        if (key == QLatin1String("horizontal"))
            values.categoriesOn = file.readBool(kSection, QStringLiteral("cat"), false);
        else if (key == QLatin1String("noorg"))
            values.saveFolder = ReadSaveFolder(file);
    }
    values.geometry = PlaceStoredWindow(file.readInteger(kSection, QStringLiteral("fx"), design.x()),
                                        file.readInteger(kSection, QStringLiteral("fy"), design.y()),
                                        file.readInteger(kSection, QStringLiteral("fw"), design.width()),
                                        file.readInteger(kSection, QStringLiteral("fh"), design.height()),
                                        design, available);
    return values;
}

void SettingsBinding::write(IniFile& file, QWidget* root, const WindowSettings& values) {
    const bool keepFolder = ControlAccess::boolOf(root->findChild<QObject*>(QStringLiteral("N32")));
    for (const char* name : kWriteOrder) {
        const QString key = QLatin1String(name);
        if (const ControlKey* entry = controlKey(key)) {
            writeControl(file, root, *entry);
        } else if (key == QLatin1String("dir")) {
            WriteSaveFolder(file, values.saveFolder, keepFolder);
        } else if (key == QLatin1String("runfirst")) {
            file.writeBool(kSection, key, false);
        } else if (key == QLatin1String("cat")) {
            file.writeBool(kSection, key, values.categoriesOn);
        } else if (key == QLatin1String("fw")) {
            file.writeInteger(kSection, key, values.geometry.width());
        } else if (key == QLatin1String("fh")) {
            file.writeInteger(kSection, key, values.geometry.height());
        } else if (key == QLatin1String("fx")) {
            file.writeInteger(kSection, key, values.geometry.x());
        } else if (key == QLatin1String("fy")) {
            file.writeInteger(kSection, key, values.geometry.y());
        }
    }
    for (const char* name : kOwnKeys) {
        const ControlKey* entry = controlKey(QLatin1String(name));
        QObject* control = root->findChild<QObject*>(QLatin1String(entry->control));
        if (file.hasKey(kSection, QLatin1String(name)) || (control && ControlAccess::boolOf(control)))
            writeControl(file, root, *entry);
    }
}

}  // namespace vorlaken
