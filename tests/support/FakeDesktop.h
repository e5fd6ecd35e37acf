#pragma once

#include <utility>

#include <QList>
#include <QString>
#include <QStringList>

#include "common/Desktop.h"

namespace vorlaken {

// Desktop services for unit tests: records what commands show and do, answers from a queue.
class FakeDesktop : public Desktop {
  public:
    struct Question {
        QString text;
        QString caption;
        Buttons buttons;
    };

    QStringList messages;
    QStringList messageCaptions;
    QList<Question> questions;
    // Answers handed out in order; when empty, OK-only questions get Ok, others Cancel or No.
    QList<Answer> answers;
    QString folder;  // returned by chooseFolder; empty means cancelled
    QStringList folderDialogs;
    QStringList folderDialogStarts;
    QString clipboard;
    int clipboardWrites = 0;
    std::unique_ptr<QMimeData> clipboardPicture;  // what setClipboardPicture put there last
    int beeps = 0;
    QStringList openedPaths;
    bool openResult = true;
    QList<std::pair<QString, QStringList>> startedPrograms;
    bool startResult = true;
    int minimized = 0;
    int screenWidthValue = 1280;
    int scrollBarExtentValue = 17;

    void showMessage(const QString& text, const QString& caption) override;
    Answer ask(const QString& text, const QString& caption, Buttons buttons) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
    void setClipboardText(const QString& text) override;
    void setClipboardPicture(std::unique_ptr<QMimeData> data) override {
        clipboardPicture = std::move(data);
        ++clipboardWrites;
    }
    void beep() override;
    bool openPath(const QString& pathOrUrl) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    void minimizeApplication() override;
    int screenWidth() override { return screenWidthValue; }
    int scrollBarExtent() override { return scrollBarExtentValue; }
};

}  // namespace vorlaken
