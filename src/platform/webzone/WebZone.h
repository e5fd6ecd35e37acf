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

// What the documents of a zone may do. Script is for our own pages (the preview template, the pages we
// write with handlers of our own); the other documents a zone shows (pasted comments, cached files,
// pages of web sites) never run any. Local documents reach the web or other local files only where
// the zone's own pages need it, so nothing shown can read a file and send it away.
struct ZoneAccess {
    bool ownScripts = false;    // our own documents run script; documents of others never do
    bool webResources = false;  // a local document may load from the web (pictures of web sites)
    bool localFiles = false;    // a local document may load other local files (cached pictures)
    // Only the program moves the zone: no refresh, link or script of a document takes it elsewhere,
    // and no frame of one loads.
    bool programNavigationOnly = false;

    // grabnest's preview: our template and page, with the pictures of web sites and of local pages.
    // A web or local page shown there instead runs no script, so it cannot use that access.
    static ZoneAccess ownPageWithPictures() { return {true, true, true}; }
    // tidecove's show-all view: our page, with pictures from the cache on disk.
    static ZoneAccess ownPageWithLocalPictures() { return {true, false, true}; }
    // The welcome zone: our own pages without script, which lead on to the pages delivered beside the
    // program (a page may only go on to a local file when it has local file access).
    static ZoneAccess ownStaticPages() { return {false, false, true}; }
    // Zones that show what others made, or fixed text without script: nothing runs, nothing is reached.
    static ZoneAccess contentOnly() { return {false, false, false}; }
    // The scratch zone markup is put into to be read: it shows what it is given and stays where it is.
    static ZoneAccess scratch() { return {false, false, false, true}; }
};

// One embedded web zone of a window: the page model over a QWebEngineView. Every read or write is a
// bounded script call (ScriptRunner); reads of whole collections are one call each.
class WebZone : public QObject, public Zone {
    Q_OBJECT
  public:
    // baseUrl: the address relative names in loaded HTML text resolve against (the program folder).
    // Script runs only in the documents we write (loadHtml) and in local files in baseUrl's folder
    // itself, and only where access allows it.
    WebZone(QWebEngineView* view, const QUrl& baseUrl, const ZoneAccess& access, int boundMs = 3000);
    // A zone with the preview's access (ZoneAccess::ownPageWithPictures).
    WebZone(QWebEngineView* view, const QUrl& baseUrl, int boundMs = 3000)
        : WebZone(view, baseUrl, ZoneAccess::ownPageWithPictures(), boundMs) {}
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
