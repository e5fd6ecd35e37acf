#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// A classic key=value settings file with [section] lines. Keys and section names are matched without
// regard to letter case. Reading never fails: anything missing or unreadable gives the caller's default.
// Writes change the text in memory; save() replaces the file whole and atomically, so a failed or
// interrupted save leaves the previous file as it was.
class IniFile {
  public:
    explicit IniFile(QString path);

    // Reads the file; a missing or unreadable file leaves an empty one in memory.
    void load();
    // Writes the whole file beside the old one, then renames it over. False when that failed.
    bool save();

    const QString& path() const { return path_; }

    int readInteger(const QString& section, const QString& key, int defaultValue) const;
    bool readBool(const QString& section, const QString& key, bool defaultValue) const;
    QString readString(const QString& section, const QString& key, const QString& defaultValue) const;
    bool hasKey(const QString& section, const QString& key) const;

    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);
    void writeString(const QString& section, const QString& key, const QString& value);
    // Takes the section out, its heading and every line of it. A missing section changes nothing.
    void removeSection(const QString& section);
    // True when no line has anything but blanks.
    bool isEmpty() const;

    // Strict decimal integer parsing shared with other readers: optional sign, digits, surrounding blanks.
    static bool parseInteger(const QString& text, int* value);

  private:
    struct Found {
        qsizetype line = -1;
        qsizetype sectionEnd = -1;  // index of the first line after the section, or -1 without section
    };
    Found find(const QString& section, const QString& key) const;
    static bool isSectionLine(const QString& line, QString* name);
    static bool splitKey(const QString& line, QString* key, QString* value);

    QString path_;
    QStringList lines_;
};

}  // namespace vorlaken
