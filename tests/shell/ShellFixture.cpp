#include "ShellFixture.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace vorlaken::test {

ShellFixture::ShellFixture(bool withTemplate) {
    if (withTemplate)
        QFile::copy(QStringLiteral(VORLAKEN_SOURCE_DATA "/grabnest.htm"),
                    dir_.filePath(QStringLiteral("grabnest.htm")));
    // The maker's pages are delivered beside the program like the template.
    for (const QString& page : {QStringLiteral("welcome.htm"), QStringLiteral("help.htm")})
        QFile::copy(QStringLiteral(VORLAKEN_SOURCE_DATA "/") + page, dir_.filePath(page));
}

ProgramDir ShellFixture::programDir() const {
    return ProgramDir(dir_.path(), dir_.filePath(QStringLiteral("user-config")));
}

MainWindow& ShellFixture::create(BrowserFinder& finder) {
    return create(finder, desktop);
}

MainWindow& ShellFixture::create(BrowserFinder& finder, Desktop& services) {
    window_ = std::make_unique<MainWindow>(programDir(), finder, services, makeCache, toolbarButtons);
    return *window_;
}

bool ShellFixture::showAndWaitForStartup(int timeoutMs) {
    QSignalSpy done(window_.get(), &MainWindow::startupCaptureFinished);
    window_->show();
    return done.wait(timeoutMs);
}

QString ShellFixture::previewHtml() {
    try {
        return window_->zone(QStringLiteral("wb1"))->document()->body()->innerHtml();
    } catch (const PageError&) {
        return QString();
    }
}

void ShellFixture::writeSettings(const QByteArray& text) {
    QFile file(dir_.filePath(QStringLiteral("vorlaken.ini")));
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

QByteArray ShellFixture::settingsText() const {
    QFile file(dir_.filePath(QStringLiteral("vorlaken.ini")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace vorlaken::test
