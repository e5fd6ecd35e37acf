#pragma once

#include <memory>

#include <QObject>
#include <QPointer>
#include <QUrl>

#include "capture/PageModel.h"
#include "platform/webzone/ScriptRunner.h"

#include <QWebEngineView>

namespace vorlaken {

class SilentPage;

// One embedded web zone of a window: the page model over a QWebEngineView. Every read or write is a
// bounded script call (ScriptRunner); reads of whole collections are one call each.
class WebZone : public QObject, public Zone {
    Q_OBJECT
  public:
    // baseUrl: the address relative names in loaded HTML text resolve against (the program folder).
    WebZone(QWebEngineView* view, const QUrl& baseUrl, int boundMs = 3000);
    ~WebZone() override;

    QWebEngineView* view() const { return view_; }
    SilentPage* page() const { return page_; }

    DocumentPtr document() override;
    QString locationUrl() override;
    // A local path or an address; "about:blank" included.
    void navigate(const QString& url) override;
    void goBack() override;
    void reload() override;
    // Opens the address in the user's default browser.
    void openInNewWindow(const QString& url) override;
    std::vector<BrowserPtr> frames() override;
    void postKey(int virtualKey, bool down) override;
    QString cookieHeader(const QString& url) override;

    void loadHtml(const QString& html) override;
    void setSilent(bool silent) override;
    void paste() override;

    // A local file path becomes a file address; anything else is taken as an address.
    static QUrl toUrl(const QString& pathOrUrl);

  signals:
    // The top-level document finished loading (frames do not report here).
    void documentComplete(bool ok);

  private:
    QPointer<QWebEngineView> view_;
    SilentPage* page_;
    QUrl baseUrl_;
    std::shared_ptr<const ScriptRunner> runner_;
};

}  // namespace vorlaken
