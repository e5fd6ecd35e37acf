#pragma once

#include <QWebEnginePage>

namespace vorlaken {

// A page that, when silent, answers the page's script dialogs itself instead of showing them.
class SilentPage : public QWebEnginePage {
    Q_OBJECT
  public:
    explicit SilentPage(QObject* parent = nullptr);

    void setSilent(bool silent) { silent_ = silent; }

    // With ownScripts, documents we write ourselves (HTML text we load) and local files in ownFolder
    // itself run their script; every other document (web pages, cached files, anything else) runs
    // none. Without it no document runs script.
    void setScriptScope(bool ownScripts, const QUrl& ownFolder);
    // Documents never navigate the page nor load frames; only load() and setHtml() move it.
    void setProgramNavigationOnly(bool only) { programNavigationOnly_ = only; }
    // Call before loading HTML text of ours: the next document given as text is ours.
    void expectOwnHtml() { ownHtmlPending_ = true; }
    // Whether a document at url is one of ours in the sense above.
    bool isOwnDocument(const QUrl& url) const;

  protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    // Links that open a new window (target _blank) go to the user's default browser.
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                          QString* result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int lineNumber,
                                  const QString& sourceID) override;

  private:
    bool silent_ = false;
    bool ownScripts_ = false;
    bool ownHtmlPending_ = false;
    bool programNavigationOnly_ = false;
    QString ownFolder_;  // local path, ending in "/"
};

}  // namespace vorlaken
