#include "support/FakeDesktop.h"

namespace vorlaken {

void FakeDesktop::showMessage(const QString& text, const QString& caption) {
    messages << text;
    messageCaptions << caption;
}

Desktop::Answer FakeDesktop::ask(const QString& text, const QString& caption, Buttons buttons) {
    questions.append({text, caption, buttons});
    if (!answers.isEmpty()) {
        return answers.takeFirst();
    }
    switch (buttons) {
        case Buttons::Ok:
            return Answer::Ok;
        case Buttons::OkCancel:
            return Answer::Cancel;
        case Buttons::YesNo:
            break;
    }
    return Answer::No;
}

QString FakeDesktop::chooseFolder(const QString& title, const QString& startFolder) {
    folderDialogs << title;
    folderDialogStarts << startFolder;
    return folder;
}

void FakeDesktop::setClipboardText(const QString& text) {
    clipboard = text;
    ++clipboardWrites;
}

void FakeDesktop::beep() {
    ++beeps;
}

bool FakeDesktop::openPath(const QString& pathOrUrl) {
    openedPaths << pathOrUrl;
    return openResult;
}

bool FakeDesktop::startProgram(const QString& program, const QStringList& arguments) {
    startedPrograms.append({program, arguments});
    return startResult;
}

void FakeDesktop::minimizeApplication() {
    ++minimized;
}

}  // namespace vorlaken
