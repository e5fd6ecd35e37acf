// "Get from all tabs" against a real Chromium over both ways the program reaches it: two tabs in the
// window the user looks at and one in another window, captured into one table.
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSet>
#include <QTest>
#include <QUrl>

#include "RunBackEnds.h"
#include "capture/CaptureState.h"
#include "capture/GetCommand.h"
#include "support/ChromiumProcess.h"
#include "support/LoopbackHttpServer.h"
#include "support/SolidPng.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

// One request to the browser's DevTools endpoint, as a user's actions on tabs would be; the answer.
QByteArray askEndpoint(const QString& endpoint, const QString& pathAndQuery, QByteArray verb) {
    QNetworkAccessManager manager;
    manager.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(QUrl(endpoint + pathAndQuery));
    std::unique_ptr<QNetworkReply> reply(manager.sendCustomRequest(request, verb));
    if (!QTest::qWaitFor([&] { return reply->isFinished(); }, 30000))
        return {};
    return reply->readAll();
}

QString page(const char* title, const QStringList& pictures) {
    QString body = QStringLiteral("<!DOCTYPE html><title>%1</title>").arg(QLatin1String(title));
    for (const QString& picture : pictures)
        body += QStringLiteral("<img src=\"%1\" width=\"40\" height=\"30\">").arg(picture);
    return body;
}

// The paths of the table's pictures.
QStringList paths(const CaptureTable& table) {
    QStringList out;
    for (const QString& url : table.picUrl)
        out << QUrl(url).path();
    return out;
}

}  // namespace

class WindowTabsBrowserTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void tabsOfTheLookedAtWindowIntoOneTable_data() { RunBackEnds::addRows(); }
    void tabsOfTheLookedAtWindowIntoOneTable();

  private:
    LoopbackHttpServer server_;
};

void WindowTabsBrowserTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    server_.addPage("/a.html", page("Tab A", {"/a1.png", "/a2.png", "/both.png"}).toUtf8());
    server_.addPage("/b.html", page("Tab B", {"/both.png", "/b1.png"}).toUtf8());
    server_.addPage("/c.html", page("Tab C", {"/c1.png"}).toUtf8());
    for (const char* name : {"/a1.png", "/a2.png", "/both.png", "/b1.png", "/c1.png"})
        server_.addPage(QLatin1String(name), SolidPng(QSize(40, 30), Qt::darkCyan), "image/png");
}

void WindowTabsBrowserTest::cleanupTestCase() {
    RunBackEnds::stopAll();
}

void WindowTabsBrowserTest::tabsOfTheLookedAtWindowIntoOneTable() {
    QFETCH(QString, backEnd);
    RunBackEnd* run = RunBackEnds::current();
    QVERIFY(run);
    const QString endpoint = run->devToolsEndpoint();
    // The user looks at a page, opens another in a window of its own and a second tab beside it there.
    QVERIFY(run->open(server_.url("/c.html")));
    const auto showing = [&](const char* path) {
        return QTest::qWaitFor(
            [&] {
                try {
                    BrowserPtr found = run->finder().discover();
                    return found && found->locationUrl() == server_.url(QLatin1String(path));
                } catch (const PageError&) {
                    return false;
                }
            },
            30000);
    };
    BrowserPtr first = run->finder().discover();
    QVERIFY(first);
    first->openInNewWindow(server_.url("/a.html"));
    QVERIFY(showing("/a.html"));
    QVERIFY(!askEndpoint(endpoint, "/json/new?" + server_.url("/b.html"), "PUT").isEmpty());
    QVERIFY(showing("/b.html"));

    CaptureState state;
    state.mainFilters.widthLimit = 0;
    state.mainFilters.heightLimit = 0;
    state.table.append(server_.url("/old.png"), "1*1", kPlaceholderLinkUrl, server_.url("/"));
    int renders = 0;
    GetCommand(run->finder(), [&] { ++renders; }).RunAllTabs(state, false);

    const QStringList fromA = {"/a1.png", "/a2.png", "/both.png"};
    const QStringList fromB = {"/b1.png"};
    if (backEnd == "companion") {
        // The extension knows the tab strip: its order is the table's.
        QCOMPARE(paths(state.table), fromA + fromB);
    } else {
        // The endpoint does not tell the tab strip's order; each tab's pictures stay together.
        const QStringList got = paths(state.table);
        const QStringList bFirst = {"/both.png", "/b1.png", "/a1.png", "/a2.png"};
        QVERIFY2(got == fromA + fromB || got == bFirst, qPrintable(got.join(' ')));
    }
    QCOMPARE(renders, 1);
    QCOMPARE(state.attached->locationUrl(), server_.url("/b.html"));
    QCOMPARE(state.titleText, QStringLiteral("Tab B"));
    QCOMPARE(state.pageLocation, server_.url("/b.html"));
    QCOMPARE(QSet<QString>(state.titleItems.begin(), state.titleItems.end()),
             (QSet<QString>{"Tab A", "Tab B"}));
    QCOMPARE(state.countLabel, QStringLiteral("4"));
}

QTEST_MAIN(WindowTabsBrowserTest)
#include "tst_windowtabs_browser.moc"
