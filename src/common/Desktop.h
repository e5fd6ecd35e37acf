#pragma once

#include <memory>

#include <QMimeData>
#include <QString>
#include <QStringList>

namespace vorlaken {

// The desktop services commands need: messages, questions, dialogs, clipboard, shell, processes and
// screen metrics. The real one lives in platform/desktop; tests and the bus automation use others.
class Desktop {
  public:
    enum class Buttons { Ok, OkCancel, YesNo };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Desktop() = default;

    // A message box with one OK button.
    virtual void showMessage(const QString& text, const QString& caption = QStringLiteral("Hint")) = 0;
    virtual Answer ask(const QString& text, const QString& caption, Buttons buttons) = 0;
    // The folder dialog; an empty result means cancelled.
    virtual QString chooseFolder(const QString& title, const QString& startFolder) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    // Puts a picture on the clipboard in the forms the data carries (its file, its bytes, the image).
    virtual void setClipboardPicture(std::unique_ptr<QMimeData> data) = 0;
    virtual void beep() = 0;
    // The shell's "open" of a folder, file or address. False when nothing could open it.
    virtual bool openPath(const QString& pathOrUrl) = 0;
    // Starts a program without waiting for it. False when it could not be started.
    virtual bool startProgram(const QString& program, const QStringList& arguments) = 0;
    virtual void minimizeApplication() = 0;
    virtual int screenWidth() = 0;
    // The height of a horizontal scroll bar.
    virtual int scrollBarExtent() = 0;
};

}  // namespace vorlaken
