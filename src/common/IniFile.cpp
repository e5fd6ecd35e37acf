#include "common/IniFile.h"

#include <QFile>
#include <QSaveFile>

namespace vorlaken {

IniFile::IniFile(QString path) : path_(std::move(path)) {}

void IniFile::load() {
    lines_.clear();
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QString text = QString::fromUtf8(file.readAll());
    lines_ = text.split(QLatin1Char('\n'));
    for (QString& line : lines_) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
    }
    while (!lines_.isEmpty() && lines_.last().isEmpty()) {
        lines_.removeLast();
    }
}

bool IniFile::save() {
    QSaveFile file(path_);
    // Unbuffered: a buffered write reports the whole length even when the disk takes only part of
    // it, and the short file would then be committed over the good one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    QByteArray data;
    for (const QString& line : lines_) {
        data += line.toUtf8();
        data += "\r\n";
    }
    if (file.write(data) != data.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool IniFile::isSectionLine(const QString& line, QString* name) {
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(QLatin1Char('[')) || !t.endsWith(QLatin1Char(']'))) {
        return false;
    }
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool IniFile::splitKey(const QString& line, QString* key, QString* value) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq <= 0) {
        return false;
    }
    *key = line.left(eq).trimmed();
    *value = line.mid(eq + 1);
    return !key->isEmpty();
}

IniFile::Found IniFile::find(const QString& section, const QString& key) const {
    Found found;
    bool inSection = false;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        QString name;
        if (isSectionLine(lines_[i], &name)) {
            if (inSection) {
                found.sectionEnd = i;
                return found;
            }
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection) {
                found.sectionEnd = lines_.size();
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        QString k, v;
        if (found.line < 0 && splitKey(lines_[i], &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
            found.line = i;
        }
    }
    return found;
}

bool IniFile::hasKey(const QString& section, const QString& key) const {
    return find(section, key).line >= 0;
}

QString IniFile::readString(const QString& section, const QString& key, const QString& defaultValue) const {
    const Found f = find(section, key);
    if (f.line < 0) {
        return defaultValue;
    }
    QString k, v;
    splitKey(lines_[f.line], &k, &v);
    return v;
}

bool IniFile::parseInteger(const QString& text, int* value) {
    bool ok = false;
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        return false;
    }
    for (qsizetype i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        const bool sign = i == 0 && (c == u'-' || c == u'+');
        if (!sign && !(c >= u'0' && c <= u'9')) {
            return false;
        }
    }
    const int v = t.toInt(&ok, 10);
    if (ok) {
        *value = v;
    }
    return ok;
}

int IniFile::readInteger(const QString& section, const QString& key, int defaultValue) const {
    int v = 0;
    if (!hasKey(section, key) || !parseInteger(readString(section, key, QString()), &v)) {
        return defaultValue;
    }
    return v;
}

bool IniFile::readBool(const QString& section, const QString& key, bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void IniFile::removeSection(const QString& section) {
    qsizetype start = -1;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        QString name;
        if (!isSectionLine(lines_[i], &name))
            continue;
        if (start >= 0) {
            lines_.remove(start, i - start);
            return;
        }
        if (name.compare(section, Qt::CaseInsensitive) == 0)
            start = i;
    }
    if (start >= 0)
        lines_.remove(start, lines_.size() - start);
}

bool IniFile::isEmpty() const {
    for (const QString& line : lines_) {
        if (!line.trimmed().isEmpty())
            return false;
    }
    return true;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    // A value is one line: a line break in it would open a new key when read back.
    QString clean = value;
    clean.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString line = key + QLatin1Char('=') + clean;
    const Found f = find(section, key);
    if (f.line >= 0) {
        lines_[f.line] = line;
    } else if (f.sectionEnd >= 0) {
        qsizetype at = f.sectionEnd;
        while (at > 0 && lines_[at - 1].trimmed().isEmpty()) {
            --at;
        }
        lines_.insert(at, line);
    } else {
        lines_.append(QLatin1Char('[') + section + QLatin1Char(']'));
        lines_.append(line);
    }
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace vorlaken
