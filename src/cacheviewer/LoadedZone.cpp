#include "LoadedZone.h"

#include <QEventLoop>
#include <QTimer>

#include "platform/webzone/WebZone.h"

namespace vorlaken {

void LoadedZone::waitForLoad(const std::function<void()>& start) {
    QEventLoop loop;
    const QMetaObject::Connection done =
        QObject::connect(&zone_, &WebZone::documentComplete, &loop, &QEventLoop::quit);
    QTimer::singleShot(boundMs_, &loop, &QEventLoop::quit);
    start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(done);
}

void LoadedZone::loadHtml(const QString& html) {
    waitForLoad([&] { zone_.loadHtml(html); });
}

void LoadedZone::navigate(const QString& url) {
    waitForLoad([&] { zone_.navigate(url); });
}

DocumentPtr LoadedZone::document() {
    return zone_.document();
}

QString LoadedZone::locationUrl() {
    return zone_.locationUrl();
}

void LoadedZone::goBack() {
    zone_.goBack();
}

void LoadedZone::reload() {
    zone_.reload();
}

void LoadedZone::openInNewWindow(const QString& url) {
    zone_.openInNewWindow(url);
}

std::vector<BrowserPtr> LoadedZone::frames() {
    return zone_.frames();
}

void LoadedZone::postKey(int virtualKey, bool down) {
    zone_.postKey(virtualKey, down);
}

QString LoadedZone::cookieHeader(const QString& url) {
    return zone_.cookieHeader(url);
}

void LoadedZone::setSilent(bool silent) {
    zone_.setSilent(silent);
}

void LoadedZone::paste() {
    zone_.paste();
}

}  // namespace vorlaken
