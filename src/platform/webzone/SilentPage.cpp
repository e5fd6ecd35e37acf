#include "platform/webzone/SilentPage.h"

#include <QDesktopServices>
#include <QDir>
#include <QWebEngineSettings>

namespace vorlaken {

namespace {

// Addresses a link may hand to the user's browser. Anything else (local files, which the desktop
// might open with a program, or script addresses) stays closed.
bool isWebAddress(const QUrl& url) {
    const QString scheme = url.scheme().toLower();
    return scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
           scheme == QLatin1String("ftp") || scheme == QLatin1String("mailto");
}

// Receives the first navigation of a would-be new window, hands its address to the desktop and goes.
class ExternalLinkPage : public QWebEnginePage {
  public:
    explicit ExternalLinkPage(QObject* parent) : QWebEnginePage(parent) {
        // Nothing runs here: a script address of a link must not run in the window it asked for.
        settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    }

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        if (isWebAddress(url))
            QDesktopServices::openUrl(url);
        deleteLater();
        return false;
    }
};

}  // namespace

void SilentPage::setScriptScope(bool ownScripts, const QUrl& ownFolder) {
    ownScripts_ = ownScripts;
    ownFolder_ = ownFolder.isLocalFile() ? QDir::cleanPath(ownFolder.toLocalFile()) : QString();
    if (!ownFolder_.isEmpty() && !ownFolder_.endsWith(QLatin1Char('/')))
        ownFolder_ += QLatin1Char('/');
    // Until a document of ours arrives, the zone shows nothing that may run.
    settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
}

bool SilentPage::isOwnDocument(const QUrl& url) const {
    // HTML text we load arrives as a data address; any other data address (one a page was shown
    // at, say) is not ours.
    if (url.scheme() == QLatin1String("data"))
        return ownHtmlPending_;
    if (!url.isLocalFile() || ownFolder_.isEmpty())
        return false;
    const QString path = QDir::cleanPath(url.toLocalFile());
    return path.startsWith(ownFolder_) && !path.mid(ownFolder_.size()).contains(QLatin1Char('/'));
}

bool SilentPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (programNavigationOnly_ && (!isMainFrame || type != NavigationTypeTyped))
        return false;
    if (isMainFrame) {
        settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, ownScripts_ && isOwnDocument(url));
        if (url.scheme() == QLatin1String("data"))
            ownHtmlPending_ = false;
    }
    return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

QWebEnginePage* SilentPage::createWindow(WebWindowType) {
    return new ExternalLinkPage(this);
}

SilentPage::SilentPage(QObject* parent) : QWebEnginePage(parent) {}

void SilentPage::javaScriptAlert(const QUrl& securityOrigin, const QString& msg) {
    if (!silent_)
        QWebEnginePage::javaScriptAlert(securityOrigin, msg);
}

bool SilentPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) {
    if (silent_)
        return false;
    return QWebEnginePage::javaScriptConfirm(securityOrigin, msg);
}

bool SilentPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                                  QString* result) {
    if (silent_)
        return false;
    return QWebEnginePage::javaScriptPrompt(securityOrigin, msg, defaultValue, result);
}

void SilentPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                          int lineNumber, const QString& sourceID) {
    // Script errors of the pages shown are theirs; a silent zone keeps them off the terminal.
    if (!silent_)
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

}  // namespace vorlaken
