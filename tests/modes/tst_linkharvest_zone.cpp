// The drop handler in a real scratch zone (Qt WebEngine, offscreen): the links of dropped fragments
// with the addresses the browser resolves them to, and fragments that try to do more than show.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include "modes/LinkHarvest.h"
#include "platform/webzone/WebZone.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

class LinkHarvestZoneTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void harvest_data();
    void harvest();
    void fragmentsOnlyShow();

  private:
    QStringList harvestFrom(const QString& html, const QString& page, bool includeItself = false,
                            bool scriptLinks = false);

    std::unique_ptr<QWebEngineView> view_;
    WebZone* zone_ = nullptr;
    LoopbackHttpServer server_;
};

void LinkHarvestZoneTest::initTestCase() {
    QVERIFY(server_.listen());
    view_ = std::make_unique<QWebEngineView>();
    view_->resize(300, 200);
    zone_ = new WebZone(view_.get(), QUrl(), ZoneAccess::scratch());
    QSignalSpy done(zone_, &WebZone::documentComplete);
    zone_->navigate(QStringLiteral("about:blank"));
    QVERIFY(done.wait(30000));
}

QStringList LinkHarvestZoneTest::harvestFrom(const QString& html, const QString& page, bool includeItself,
                                             bool scriptLinks) {
    DropContent drop;
    drop.html = html;
    drop.sourceUrl = page;
    return LinkHarvest::Harvest(drop, {includeItself, scriptLinks}, *zone_);
}

void LinkHarvestZoneTest::harvest_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("scriptLinks");
    QTest::addColumn<QStringList>("links");
    // As Chromium on Linux puts a selection on a drag: a charset line before the markup.
    const QString meta =
        QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=utf-8\">");
    QTest::newRow("relative to the page")
        << meta +
               "<p><a href='two.html'>2</a> <a href='/top.html?a=1&amp;b=2'>t</a> <a "
               "href='../up.html'>u</a></p>"
        << "http://h.test/dir/page.html" << false
        << QStringList{"http://h.test/dir/two.html", "http://h.test/top.html?a=1&b=2",
                       "http://h.test/up.html"};
    QTest::newRow("the fragment's base")
        << "<base href='http://other.test/sub/'><a href='x.html'>x</a><a href='http://h.test/abs.html'>a</a>"
        << "http://h.test/dir/page.html" << false
        << QStringList{"http://other.test/sub/x.html", "http://h.test/abs.html"};
    QTest::newRow("a relative base of the fragment")
        << "<base href='/other/'><a href='x.html'>x</a>"
        << "http://h.test/dir/page.html" << false << QStringList{"http://h.test/other/x.html"};
    QTest::newRow("without the page only absolute links")
        << "<a href='two.html'>2</a><a href='https://h.test/abs.html'>a</a>"
        << "" << false << QStringList{"https://h.test/abs.html"};
    QTest::newRow("no # links") << "<a href='#top'>top</a><a href='p.html#part'>p</a><a href='p.html'>p</a>"
                                << "http://h.test/" << false << QStringList{"http://h.test/p.html"};
    QTest::newRow("script links left out")
        << "<a href='javascript:show(1)'>1</a><a href=' JavaScript:show(2)'>2</a><a href='q.html'>q</a>"
        << "http://h.test/" << false << QStringList{"http://h.test/q.html"};
    QTest::newRow("script links kept with jscript link")
        << "<a href='javascript:show(1)'>1</a><a href='JAVASCRIPT:show(1)'>again</a><a href='q.html'>q</a>"
        << "http://h.test/" << true << QStringList{"javascript:show(1)", "http://h.test/q.html"};
    QTest::newRow("once whatever the case")
        << "<a href='http://h.test/A.html'>a</a><a href='HTTP://H.TEST/A.HTML'>A</a><area href='b.html'>"
        << "http://h.test/" << false << QStringList{"http://h.test/A.html", "http://h.test/b.html"};
}

void LinkHarvestZoneTest::harvest() {
    QFETCH(QString, html);
    QFETCH(QString, page);
    QFETCH(bool, scriptLinks);
    QFETCH(QStringList, links);
    QCOMPARE(harvestFrom(html, page, false, scriptLinks), links);
    if (!page.isEmpty())
        QCOMPARE(harvestFrom(html, page, true, scriptLinks), QStringList{page} + links);
}

void LinkHarvestZoneTest::fragmentsOnlyShow() {
    // Script of every kind, a refresh to another page, a frame, and a page address that closes its
    // quotes. The picture at the end is loaded as any picture of a fragment is; once it has been asked
    // for, the frame before it would have been too.
    server_.addPage("/elsewhere.html", "<html><body><a href='/trap.html'>trap</a></body></html>");
    server_.addPage("/marker.png",
                    QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAICRAEAOw=="),
                    "image/gif");
    const QString hostile =
        QStringLiteral(
            "<script>document.title = 'ran';</script><img src='x.png' onerror=\"document.title = 'ran'\">"
            "<meta http-equiv='refresh' content='0; url=%1'><iframe src='%1'></iframe>"
            "<a href='keep.html'>keep</a><img src='%2'>")
            .arg(server_.url("/elsewhere.html"), server_.url("/marker.png"));
    const QString page = QStringLiteral("http://h.test/\"><a href='http://evil.test/'>");
    const QStringList links = harvestFrom(hostile, page, true);
    QCOMPARE(links.size(), 2);
    QCOMPARE(links[0], page);
    QVERIFY(links[1].startsWith(QLatin1String("http://h.test/")));
    QVERIFY(links[1].endsWith(QLatin1String("/keep.html")));
    QTRY_VERIFY_WITH_TIMEOUT(!server_.requestsFor("/marker.png").isEmpty(), 30000);
    QVERIFY(server_.requestsFor("/elsewhere.html").isEmpty());
    QCOMPARE(zone_->locationUrl(), QStringLiteral("about:blank"));
    QCOMPARE(zone_->document()->title(), QString());
    // The next drop finds the zone as ever.
    QCOMPARE(harvestFrom(QStringLiteral("<a href='b.html'>b</a>"), QStringLiteral("http://h.test/")),
             QStringList{"http://h.test/b.html"});
}

QTEST_MAIN(LinkHarvestZoneTest)
#include "tst_linkharvest_zone.moc"
