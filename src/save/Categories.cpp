#include "save/Categories.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include "common/TextRoutines.h"

namespace vorlaken {

const QStringList& Categories::defaults() {
    static const QStringList list = {
        QStringLiteral("Animals & Wildlife"),
        QStringLiteral("Architecture"),
        QStringLiteral("Backgrounds"),
        QStringLiteral("Business"),
        QStringLiteral("Education"),
        QStringLiteral("Finance"),
        QStringLiteral("Food & Drink"),
        QStringLiteral("Health Care"),
        QStringLiteral("Holidays & Occasions"),
        QStringLiteral("Household Items"),
        QStringLiteral("Industry & Agriculture"),
        QStringLiteral("Lifestyles & Arts"),
        QStringLiteral("Nature"),
        QStringLiteral("People"),
        QStringLiteral("Religion & Myth"),
        QStringLiteral("Science & Technology"),
        QStringLiteral("Signs & Symbols"),
        QStringLiteral("Social Issues"),
        QStringLiteral("Sports & Recreation"),
        QStringLiteral("Transportation"),
    };
    return list;
}

namespace {

QStringList splitLines(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = text.split(lineEnd);
    // A final line end closes the last line; it does not start another.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

}  // namespace

bool Categories::read(const QString& path, QStringList* lines) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *lines = splitLines(QString::fromUtf8(file.readAll()));
    return true;
}

bool Categories::write(const QString& path, const QStringList& lines) {
    // Written beside the old list and renamed over it, so a failed write keeps the old list whole.
    QSaveFile file(path);
    // Unbuffered so a short write shows at once and a partial list is never committed.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + "\r\n";
    if (file.write(text) != text.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void Categories::load(SaveState& save, const QString& path) {
    QStringList lines;
    save.categories = read(path, &lines) ? lines : QStringList();
    save.categoryHint = startupHint(save.categoriesOn);
}

QStringList Categories::menuCaptions(const QStringList& categories) {
    QStringList captions;
    for (const QString& name : categories)
        captions << QString(name).replace(u'&', QLatin1String("&&"));
    return captions;
}

QString Categories::fromCaption(const QString& caption) {
    return ReplaceAllText(caption, QStringLiteral("&&"), QStringLiteral("&"));
}

QString Categories::startupHint(bool on) {
    return on ? QStringLiteral("pictures are saved under categories")
              : QStringLiteral("pictures are not saved under categories");
}

QString Categories::editorHint(bool on) {
    return on ? QStringLiteral("Pictures are saved under categories")
              : QStringLiteral("Pictures aren't saved under categories");
}

CategoryEditor::CategoryEditor(bool categoriesOn)
    : text(Categories::defaults().join(u'\n')), checked(categoriesOn) {}

void CategoryEditor::loadFile(const QString& path) {
    QStringList lines;
    if (Categories::read(path, &lines))
        text = lines.join(u'\n');
}

void CategoryEditor::setChecked(bool on) {
    checked = on;
}

void CategoryEditor::RestoreDefaults() {
    text = Categories::defaults().join(u'\n');
}

bool CategoryEditor::Confirm(SaveState& save, Desktop& desktop, const QString& path) {
    QStringList lines = splitLines(text);
    for (qsizetype i = lines.size() - 1; i >= 0; --i) {
        const QString line = SanitizeName(lines[i].trimmed());
        if (line.isEmpty()) {
            lines.removeAt(i);
        } else {
            lines[i] = line;
        }
    }
    text = lines.join(u'\n');
    if (lines.isEmpty()) {
        desktop.showMessage(QStringLiteral("Please specify categories"));
        return false;
    }
    if (!Categories::write(path, lines))
        desktop.showMessage(QStringLiteral("Save fail"));
    save.categories = lines;
    save.categoriesOn = checked;
    save.categoryHint = Categories::editorHint(checked);
    return true;
}

}  // namespace vorlaken
