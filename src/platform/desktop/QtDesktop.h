#pragma once

#include "common/Desktop.h"

namespace vorlaken {

// The desktop services over Qt: modal message boxes and dialogs over the active window.
class QtDesktop : public Desktop {
  public:
    void showMessage(const QString& text, const QString& caption = QStringLiteral("Hint")) override;
    Answer ask(const QString& text, const QString& caption, Buttons buttons) override;
    QString chooseFolder(const QString& title, const QString& startFolder) override;
    void setClipboardText(const QString& text) override;
    void setClipboardPicture(std::unique_ptr<QMimeData> data) override;
    void beep() override;
    bool openPath(const QString& pathOrUrl) override;
    bool startProgram(const QString& program, const QStringList& arguments) override;
    void minimizeApplication() override;
    int screenWidth() override;
    int scrollBarExtent() override;
};

}  // namespace vorlaken
