#include "platform/webzone/WebZone.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QJsonArray>
#include <QKeyEvent>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "platform/webzone/SilentPage.h"
#include "platform/webzone/ZoneDocument.h"
#include "platform/webzone/ZoneFrame.h"

namespace vorlaken {

namespace {
const QString kTopWindow = QStringLiteral("window");
}

WebZone::WebZone(QWebEngineView* view, const QUrl& baseUrl, const ZoneAccess& access, int boundMs)
    : QObject(view), view_(view), page_(new SilentPage(view)), baseUrl_(baseUrl) {
    view->setPage(page_);
    QWebEngineSettings* settings = page_->settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, access.webResources);
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, access.localFiles);
    settings->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    settings->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, false);
    page_->setScriptScope(access.ownScripts, baseUrl);
    page_->setProgramNavigationOnly(access.programNavigationOnly);
    runner_ = std::make_shared<ScriptRunner>(page_, boundMs);
    connect(page_, &QWebEnginePage::loadFinished, this, &WebZone::documentComplete);
}

WebZone::~WebZone() = default;

QUrl WebZone::toUrl(const QString& pathOrUrl) {
    if (QDir::isAbsolutePath(pathOrUrl))
        return QUrl::fromLocalFile(pathOrUrl);
    return QUrl(pathOrUrl);
}

DocumentPtr WebZone::document() {
    ZoneDocument::requireHtml(*runner_, kTopWindow);
    return std::make_shared<ZoneDocument>(runner_, kTopWindow);
}

QString WebZone::locationUrl() {
    return page_->url().toString();
}

void WebZone::navigate(const QString& url) {
    const QUrl address = toUrl(url);
    if (!address.isValid())
        throw PageError(QStringLiteral("The zone refuses to go to %1.").arg(url));
    page_->load(address);
}

void WebZone::goBack() {
    page_->triggerAction(QWebEnginePage::Back);
}

void WebZone::reload() {
    page_->triggerAction(QWebEnginePage::Reload);
}

void WebZone::openInNewWindow(const QString& url) {
    QDesktopServices::openUrl(toUrl(url));
}

std::vector<BrowserPtr> WebZone::frames() {
    // Frames of another origin cannot be reached from the page's script; they count as no browser.
    const QJsonArray reachable =
        runner_
            ->run(QStringLiteral("var r=[],n=Math.min(window.frames.length,100);"
                                 "for(var i=0;i<n;i++){try{r.push(!!window.frames[i].document);}"
                                 "catch(e){r.push(false);}} return r;"))
            .toArray();
    std::vector<BrowserPtr> result;
    for (int i = 0; i < reachable.size(); ++i) {
        if (reachable.at(i).toBool())
            result.push_back(
                std::make_shared<ZoneFrame>(runner_, QStringLiteral("window.frames[%1]").arg(i)));
        else
            result.push_back(nullptr);
    }
    return result;
}

void WebZone::postKey(int virtualKey, bool down) {
    if (!view_)
        return;
    QWidget* target = view_->focusProxy() ? view_->focusProxy() : view_.data();
    QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, virtualKey, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

QString WebZone::cookieHeader(const QString&) {
    return QString();
}

void WebZone::loadHtml(const QString& html) {
    page_->expectOwnHtml();
    page_->setHtml(html, baseUrl_);
}

void WebZone::setSilent(bool silent) {
    page_->setSilent(silent);
}

void WebZone::paste() {
    page_->triggerAction(QWebEnginePage::Paste);
}

}  // namespace vorlaken
