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
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

Desktop::Answer QtDesktop::ask(const QString& text, const QString& caption, Buttons buttons) {
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
    return QFileDialog::getExistingDirectory(dialogParent(), title, startFolder);
}

void QtDesktop::setClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

void QtDesktop::setClipboardPicture(std::unique_ptr<QMimeData> data) {
    // The clipboard owns what it is given.
    QApplication::clipboard()->setMimeData(data.release());
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

}  // namespace vorlaken
