#pragma once

#include <QStringList>

#include "common/Desktop.h"

namespace vorlaken {

// The desktop services over Qt. While a bus call runs (automation), nothing modal opens: messages are
// collected for the caller, questions and dialogs take the answer given beforehand, else No/Cancel.
class QtDesktop : public Desktop {
  public:
    void showMessage(const QString& text, const QString& caption = QStringLiteral("Hint")) override;
    Answer ask(const QString& text, const QString& caption, Buttons buttons) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
    void setClipboardText(const QString& text) override;
    void beep() override;
    bool openPath(const QString& pathOrUrl) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    void minimizeApplication() override;
    int screenWidth() override;
    int scrollBarExtent() override;

    // Automation: between begin and end, messages are collected instead of shown. Calls nest.
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

    int busDepth_ = 0;
    QStringList collected_;
    QString answer_;
    QString lastClipboard_;
};

}  // namespace vorlaken
