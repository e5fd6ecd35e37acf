#include "platform/desktop/QtDesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStyle>
#include <QUrl>
#include <QWidget>

namespace vorlaken {

namespace {

QWidget* dialogParent() {
    if (QWidget* active = QApplication::activeWindow())
        return active;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w->isVisible() && w->inherits("QMainWindow"))
            return w;
    }
    return nullptr;
}

}  // namespace

void QtDesktop::showMessage(const QString& text, const QString& caption) {
    if (inBusCall()) {
        collected_.append(text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

QString QtDesktop::takeAnswer() {
    QString answer = answer_;
    answer_.clear();
    return answer;
}

Desktop::Answer QtDesktop::ask(const QString& text, const QString& caption, Buttons buttons) {
    if (inBusCall()) {
        const QString answer = takeAnswer().trimmed().toLower();
        const bool positive = answer == QLatin1String("yes") || answer == QLatin1String("ok");
        switch (buttons) {
            case Buttons::Ok:
                return Answer::Ok;
            case Buttons::OkCancel:
                return positive ? Answer::Ok : Answer::Cancel;
            case Buttons::YesNo:
                return positive ? Answer::Yes : Answer::No;
        }
        return Answer::Cancel;
    }
    QMessageBox::StandardButtons choice = QMessageBox::Ok;
    if (buttons == Buttons::OkCancel)
        choice = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == Buttons::YesNo)
        choice = QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(QMessageBox::Question, caption, text, choice, dialogParent());
    switch (box.exec()) {
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Cancel;
    }
}

QString QtDesktop::chooseFolder(const QString& title, const QString& startFolder) {
    if (inBusCall()) {
        const QString answer = takeAnswer();
        const QString word = answer.trimmed().toLower();
        if (word.isEmpty() || word == QLatin1String("yes") || word == QLatin1String("no") ||
            word == QLatin1String("ok") || word == QLatin1String("cancel"))
            return QString();
        return answer;
    }
    return QFileDialog::getExistingDirectory(dialogParent(), title, startFolder);
}

void QtDesktop::setClipboardText(const QString& text) {
    lastClipboard_ = text;
    QApplication::clipboard()->setText(text);
}

void QtDesktop::beep() {
    QApplication::beep();
}

bool QtDesktop::openPath(const QString& pathOrUrl) {
    const QUrl url = QDir::isAbsolutePath(pathOrUrl) ? QUrl::fromLocalFile(pathOrUrl) : QUrl(pathOrUrl);
    return QDesktopServices::openUrl(url);
}

bool QtDesktop::startProgram(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments);
}

void QtDesktop::minimizeApplication() {
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        if (w->isVisible())
            w->showMinimized();
    }
}

int QtDesktop::screenWidth() {
    QScreen* screen = QApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

int QtDesktop::scrollBarExtent() {
    return QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

void QtDesktop::beginBusCall() {
    if (busDepth_++ == 0)
        collected_.clear();
}

QStringList QtDesktop::endBusCall() {
    if (busDepth_ > 0)
        --busDepth_;
    QStringList messages = collected_;
    if (busDepth_ == 0)
        collected_.clear();
    return messages;
}

}  // namespace vorlaken
