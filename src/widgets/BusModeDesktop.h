#pragma once

#include <utility>

#include <QStringList>

#include "common/Desktop.h"

namespace vorlaken {

// Any desktop, with the bus mode of the automation on top: while a bus call runs, nothing modal opens,
// messages are collected for the caller, questions and dialogs take the answer given beforehand, else
// No/Cancel. Outside a bus call every service goes to the desktop underneath.
class BusModeDesktop : public Desktop {
  public:
    explicit BusModeDesktop(Desktop& desktop) : desktop_(desktop) {}

    void showMessage(const QString& text, const QString& caption = QStringLiteral("Hint")) override;
    Answer ask(const QString& text, const QString& caption, Buttons buttons) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
    void setClipboardText(const QString& text) override;
    void setClipboardPicture(std::unique_ptr<QMimeData> data) override {
        desktop_.setClipboardPicture(std::move(data));
    }
    void beep() override { desktop_.beep(); }
    bool openPath(const QString& pathOrUrl) override { return desktop_.openPath(pathOrUrl); }
    bool startProgram(const QString& program, const QStringList& arguments) override {
        return desktop_.startProgram(program, arguments);
    }
    void minimizeApplication() override { desktop_.minimizeApplication(); }
    int screenWidth() override { return desktop_.screenWidth(); }
    int scrollBarExtent() override { return desktop_.scrollBarExtent(); }

    // Between begin and end, messages are collected instead of shown. Calls nest.
    void beginBusCall();
    // Ends the call and gives the messages shown during it.
    QStringList endBusCall();
    bool inBusCall() const { return busDepth_ > 0; }
    // The answer to the next question or dialog a bus call meets: "yes", "no", "ok", "cancel", or a
    // folder path. Used once.
    void setAnswer(const QString& answer) { answer_ = answer; }

    // The text last put on the clipboard by the program.
    const QString& lastClipboardText() const { return lastClipboard_; }

  private:
    QString takeAnswer();

    Desktop& desktop_;
    int busDepth_ = 0;
    QStringList collected_;
    QString answer_;
    QString lastClipboard_;
};

}  // namespace vorlaken
