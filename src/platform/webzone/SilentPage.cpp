#include "platform/webzone/SilentPage.h"

#include <QDesktopServices>

namespace vorlaken {

namespace {

// Receives the first navigation of a would-be new window, hands its address to the desktop and goes.
class ExternalLinkPage : public QWebEnginePage {
  public:
    explicit ExternalLinkPage(QObject* parent) : QWebEnginePage(parent) {}

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType, bool) override {
        QDesktopServices::openUrl(url);
        deleteLater();
        return false;
    }
};

}  // namespace

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
