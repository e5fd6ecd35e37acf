// Every page the programs write, built from hostile addresses, titles and file names and loaded in a real
// Qt WebEngine zone (offscreen) that would run any script it got: nothing of the values may run, add an
// element or an attribute, or reach the loopback beacon, and every value reads back as it was.
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include "cacheviewer/ShownPage.h"
#include "capture/CaptureState.h"
#include "capture/PreviewPage.h"
#include "common/HtmlValues.h"
#include "common/TextRoutines.h"
#include "platform/webzone/ScriptRunner.h"
#include "platform/webzone/SilentPage.h"
#include "platform/webzone/WebZone.h"
#include "results/CommentCommands.h"
#include "results/CommentPanel.h"
#include "results/OriginPage.h"
#include "results/UrlList.h"
#include "save/IndexPage.h"
#include "support/FakeDesktop.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

// Where a page of ours would send what an injected handler ran: the beacon's path prefix.
const QString kBeacon = QStringLiteral("/beacon");
// A value without anything special: the page built from it gives the shape every page must keep.
const QString kPlain = QStringLiteral("http://127.0.0.1:9/plain.png");

QByteArray pngBytes(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The names the save run and the cache viewer could give a picture of that address (the nine
// forbidden characters replaced), kept short enough for any file system.
QString fileNameFor(const QString& value, int n) {
    return SanitizeName(value).left(80) + QStringLiteral("_%1.png").arg(n);
}

}  // namespace

class HostilePagesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanup();

    void previewPage_data();
    void previewPage();
    void commentPanelPages_data();
    void commentPanelPages();
    void onlyTextAndPicturesKeepsAnAddressWhole_data();
    void onlyTextAndPicturesKeepsAnAddressWhole();
    void originPageInsert_data();
    void originPageInsert();
    void indexPage_data();
    void indexPage();
    void showAllPages_data();
    void showAllPages();

    void injectedMarkupWouldReachTheBeacon();
    void zonesOfOthersRunNoScript();
    void previewZoneRunsNoScriptOfAWebPage();

  private:
    void hostileTable();
    // A view with a zone of that access whose own folder (and base) is folder.
    WebZone* makeZone(const ZoneAccess& access, const QString& folder);
    void loadHtml(WebZone* zone, const QString& html);
    void navigate(WebZone* zone, const QString& target);
    QJsonValue js(WebZone* zone, const QString& body);
    // The tag and attribute names of every element, in document order.
    QString shape(WebZone* zone);
    // Waits until every picture has loaded or failed and a picture the test adds last has reached the
    // server, so handlers of failed pictures have had their turn; then gives the beacon hits.
    QStringList settledBeaconHits(WebZone* zone);
    QString beacon(const QString& value) const;
    QString beaconUrl(const QString& tag) const { return server_.url(kBeacon + QLatin1Char('/') + tag); }

    LoopbackHttpServer server_;
    QTemporaryDir dir_;
    QList<QWebEngineView*> views_;
    int sentinels_ = 0;
};

void HostilePagesTest::initTestCase() {
    QVERIFY(server_.listen());
    QVERIFY(dir_.isValid());
    server_.addPage(QStringLiteral("/pic.png"), pngBytes(12, 9), "image/png");
}

void HostilePagesTest::init() {
    server_.clearRequests();
}

void HostilePagesTest::cleanup() {
    qDeleteAll(views_);
    views_.clear();
}

// Attribute breakers of every kind, a closing tag with a script, a script address, line breaks, text
// that is markup, non-ASCII text and names holding "%XX". BEACON stands for the beacon's address.
void HostilePagesTest::hostileTable() {
    QTest::addColumn<QString>("value");
    QTest::newRow("blank then handler")
        << QStringLiteral("data:image/png;base64,AAAA onerror=fetch('BEACON/blank') x=y");
    QTest::newRow("double quote breaks out")
        << QStringLiteral("http://127.0.0.1:9/a.png\" onerror=\"fetch('BEACON/dq')\" x=\"");
    QTest::newRow("single quote breaks out")
        << QStringLiteral("http://127.0.0.1:9/a.png' onerror='fetch(\"BEACON/sq\")' x='");
    QTest::newRow("closing tag and script") << QStringLiteral(
        "\"><script>fetch('BEACON/script')</script><img id=injected src=x onerror=fetch('BEACON/img')>");
    QTest::newRow("script address") << QStringLiteral("javascript:fetch('BEACON/js')");
    QTest::newRow("line breaks") << QStringLiteral(
        "http://127.0.0.1:9/a.png\r\n\" onerror=\"fetch('BEACON/crlf')\"\nx=\"\r");
    QTest::newRow("markup as text") << QStringLiteral(
        "</font></a></form></table></p><svg onload=fetch('BEACON/svg')></svg><!-- "
        "<iframe srcdoc=\"<script>parent.fetch('BEACON/frame')</script>\">");
    QTest::newRow("references and non-ASCII") << QStringLiteral(
        "http://127.0.0.1:9/bild-\u00e4-\u4e2d-\U0001F600.png?a=1&b=2&amp;c=&quot;&#39;\u00a0");
    QTest::newRow("percent names") << QStringLiteral("%3Cscript%3E.png.png a+b%0a%0dc %25 %");
}

QString HostilePagesTest::beacon(const QString& value) const {
    QString out = value;
    return out.replace(QStringLiteral("BEACON"), server_.url(kBeacon));
}

WebZone* HostilePagesTest::makeZone(const ZoneAccess& access, const QString& folder) {
    auto* view = new QWebEngineView;
    view->resize(900, 700);
    view->show();
    views_ << view;
    QString base = folder;
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    auto* zone = new WebZone(view, QUrl::fromLocalFile(base), access, 10000);
    zone->setSilent(true);
    return zone;
}

void HostilePagesTest::loadHtml(WebZone* zone, const QString& html) {
    QSignalSpy done(zone, &WebZone::documentComplete);
    zone->loadHtml(html);
    QVERIFY(done.wait(30000));
}

void HostilePagesTest::navigate(WebZone* zone, const QString& target) {
    QSignalSpy done(zone, &WebZone::documentComplete);
    zone->navigate(target);
    QVERIFY(done.wait(30000));
}

QJsonValue HostilePagesTest::js(WebZone* zone, const QString& body) {
    return ScriptRunner(zone->page(), 10000).run(body);
}

QString HostilePagesTest::shape(WebZone* zone) {
    return js(zone, QStringLiteral("return Array.from(document.querySelectorAll('*')).map(function(e){"
                                   "return e.tagName+'['+e.getAttributeNames().sort().join(' ')+']';})"
                                   ".join(',');"))
        .toString();
}

QStringList HostilePagesTest::settledBeaconHits(WebZone* zone) {
    const auto allComplete = [&] {
        return js(zone, QStringLiteral("return Array.from(document.images).every(function(i){"
                                       "return i.complete;});"))
            .toBool();
    };
    if (!QTest::qWaitFor(allComplete, 30000))
        return {QStringLiteral("pictures never finished loading")};
    const QString sentinel = QStringLiteral("/sentinel-%1").arg(++sentinels_);
    js(zone, QStringLiteral("var i=document.createElement('img'); i.src=%1; document.documentElement"
                            ".appendChild(i);")
                 .arg(ScriptRunner::quote(server_.url(sentinel))));
    if (!QTest::qWaitFor([&] { return !server_.requestsFor(sentinel).isEmpty(); }, 30000))
        return {QStringLiteral("the sentinel picture never reached the server")};
    js(zone, QStringLiteral("var s=document.documentElement.lastChild; s.parentNode.removeChild(s);"));
    QStringList hits;
    for (const HttpRequestRecord& request : server_.requests()) {
        if (request.path.startsWith(kBeacon))
            hits << request.path;
    }
    return hits;
}

// --- grabnest's preview: the real template, the real render into the zone ---------------------------

void HostilePagesTest::previewPage_data() {
    hostileTable();
}

void HostilePagesTest::previewPage() {
    QFETCH(QString, value);
    value = beacon(value);
    const QString folder = dir_.path() + QStringLiteral("/program");
    QVERIFY(QDir().mkpath(folder));
    const QString templ = folder + QStringLiteral("/grabnest.htm");
    if (!QFile::exists(templ))
        QVERIFY(QFile::copy(QString::fromUtf8(VORLAKEN_SOURCE_DIR "/data/grabnest.htm"), templ));

    for (const bool thumbnail : {true, false}) {
        QStringList shapes;
        for (const QString& v : {kPlain, value}) {
            WebZone* zone = makeZone(ZoneAccess::ownPageWithPictures(), folder);
            navigate(zone, templ);
            CaptureState state;
            state.table.append(v, v, v, v);
            state.table.append(server_.url(QStringLiteral("/pic.png")), QStringLiteral("12*9"),
                               kPlaceholderLinkUrl, v);
            PreviewOptions options;
            options.thumbnail = thumbnail;
            options.availableWidth = 800;
            RenderPreview(state, *zone, options);
            QCOMPARE(settledBeaconHits(zone), QStringList());
            shapes << shape(zone);
            const QJsonObject read =
                js(zone,
                   QStringLiteral("var f=document.forms.form1;return {src:f.querySelector('img[name=p1]')"
                                  ".getAttribute('src'),size:f.c1.value,href:document.getElementsByName('a1')"
                                  "[0].getAttribute('href'),title:document.getElementsByName('a1')[0]"
                                  ".getAttribute('title'),page:f.h1.value,n:document.images.length};"))
                    .toObject();
            QCOMPARE(read.value("src").toString(), v);
            QCOMPARE(read.value("size").toString(), v);
            QCOMPARE(read.value("href").toString(), v);
            QCOMPARE(read.value("title").toString(), v);
            QCOMPARE(read.value("page").toString(), v);
            QCOMPARE(read.value("n").toInt(), 2);
            // The pictures of web sites still show in the preview.
            QCOMPARE(js(zone, QStringLiteral("return document.images[1].naturalWidth;")).toInt(), 12);
        }
        QCOMPARE(shapes.at(1), shapes.at(0));
    }
}

// --- grabnest's comment panel: URL lists and "Only Text and Pictures" ------------------------------

void HostilePagesTest::commentPanelPages_data() {
    hostileTable();
}

void HostilePagesTest::commentPanelPages() {
    QFETCH(QString, value);
    value = beacon(value);
    // A zone that runs whatever script it gets: only the quoting and escaping keep the values inert.
    const ZoneAccess everything{true, true, true};
    const auto pages = [](const QString& v) {
        // The text line without its line breaks: each break would rightly start a line of its own.
        const QString line = QString(v).remove(u'\r').remove(u'\n');
        return QStringList{UrlList::build(UrlList::Kind::PictureUrls, {v, v}, {v, v}),
                           UrlList::build(UrlList::Kind::PictureLinks, {v}, {v}),
                           CommentCommands::textAndPictures(
                               QStringLiteral("[##0##]\n") + line + QStringLiteral("\n[##0##]"), {v})};
    };
    const QStringList plain = pages(kPlain);
    const QStringList hostile = pages(value);
    for (int i = 0; i < hostile.size(); ++i) {
        QStringList shapes;
        for (const QString& body : {plain.at(i), hostile.at(i)}) {
            WebZone* zone = makeZone(everything, dir_.path());
            loadHtml(zone, QStringLiteral("<html><body></body></html>"));
            zone->document()->body()->setInnerHtml(body);
            QCOMPARE(settledBeaconHits(zone), QStringList());
            shapes << shape(zone);
        }
        QCOMPARE(shapes.at(1), shapes.at(0));
    }
    // The lists show each value as text, unchanged.
    WebZone* zone = makeZone(everything, dir_.path());
    loadHtml(zone, QStringLiteral("<html><body></body></html>"));
    zone->document()->body()->setInnerHtml(hostile.at(0));
    const QString text = js(zone, QStringLiteral("return document.body.textContent;")).toString();
    QVERIFY(text.contains(value + QStringLiteral("\n")));
    QVERIFY(text.contains(QStringLiteral("[img]") + value + QStringLiteral("[/img]")));
    zone->document()->body()->setInnerHtml(hostile.at(2));
    QCOMPARE(js(zone, QStringLiteral("return document.images.length;")).toInt(), 2);
    QCOMPARE(js(zone, QStringLiteral("return document.images[1].getAttribute('src');")).toString(), value);
}

void HostilePagesTest::onlyTextAndPicturesKeepsAnAddressWhole_data() {
    hostileTable();
}

// The reported case on the real panel path: a captured picture whose address holds a blank and an
// attribute, reduced to text and pictures, in a zone that would run any handler.
void HostilePagesTest::onlyTextAndPicturesKeepsAnAddressWhole() {
    QFETCH(QString, value);
    value = beacon(value);
    QStringList shapes;
    for (const QString& v : {kPlain, value}) {
        WebZone* zone = makeZone(ZoneAccess{true, true, true}, dir_.path());
        loadHtml(zone, QStringLiteral("<html><body></body></html>"));
        js(zone, QStringLiteral("document.body.textContent='Nice one'; var i=document.createElement('img');"
                                "i.setAttribute('src',%1); document.body.appendChild(i);")
                     .arg(ScriptRunner::quote(v)));
        // The table holds the address as the page resolved it, as a capture reads it.
        const QString captured = js(zone, QStringLiteral("return document.images[0].src;")).toString();
        CommentPanelState state;
        CommentPanel panel(state, *zone);
        CaptureTable table;
        table.append(captured, QStringLiteral("1*1"), kPlaceholderLinkUrl, kPlain);
        FakeDesktop desktop;
        CommentCommands::OnlyTextAndPictures(panel, table, desktop);
        QVERIFY(desktop.messages.isEmpty());
        QCOMPARE(settledBeaconHits(zone), QStringList());
        shapes << shape(zone);
        const QJsonObject image =
            js(zone,
               QStringLiteral("var i=document.body.querySelector('img');return {src:i.getAttribute('src'),"
                              "names:i.getAttributeNames().join(' ')};"))
                .toObject();
        QCOMPARE(image.value("src").toString(), captured);
        QCOMPARE(image.value("names").toString(), QStringLiteral("src"));
    }
    QCOMPARE(shapes.at(1), shapes.at(0));
}

// --- pictures written into the origin page ----------------------------------------------------------

void HostilePagesTest::originPageInsert_data() {
    hostileTable();
}

void HostilePagesTest::originPageInsert() {
    QFETCH(QString, value);
    value = beacon(value);
    QStringList shapes;
    for (const QString& v : {kPlain, value}) {
        WebZone* zone = makeZone(ZoneAccess{true, true, true}, dir_.path());
        loadHtml(zone, QStringLiteral("<html><body><p>origin</p></body></html>"));
        const QString lines = OriginPage::pictureLines({v, v}, {v, kPlaceholderLinkUrl});
        zone->document()->body()->setInnerHtml(OriginPage::kHeadWithOrigin + lines +
                                               OriginPage::kTailWithOrigin + QStringLiteral("<p>origin</p>"));
        QCOMPARE(settledBeaconHits(zone), QStringList());
        shapes << shape(zone);
        const QJsonArray read =
            js(zone,
               QStringLiteral("return Array.from(document.body.querySelectorAll('img')).map(function(i){"
                              "var a=i.parentElement;return [i.getAttribute('src'),a.tagName=='A'?"
                              "a.getAttribute('href'):null];});"))
                .toArray();
        QCOMPARE(read.size(), 2);
        QCOMPARE(read.at(0).toArray().at(0).toString(), v);
        QCOMPARE(read.at(0).toArray().at(1).toString(), v);
        QCOMPARE(read.at(1).toArray().at(0).toString(), v);
        QVERIFY(read.at(1).toArray().at(1).isNull());
    }
    QCOMPARE(shapes.at(1), shapes.at(0));
}

// --- the saved index page, opened from its folder ---------------------------------------------------

void HostilePagesTest::indexPage_data() {
    hostileTable();
}

void HostilePagesTest::indexPage() {
    QFETCH(QString, value);
    value = beacon(value);
    QStringList shapes;
    int round = 0;
    for (const QString& v : {kPlain, value}) {
        const QString folder =
            dir_.path() + QStringLiteral("/index-%1-%2/").arg(QTest::currentDataTag()).arg(++round);
        QVERIFY(QDir().mkpath(folder));
        SaveRunData run;
        run.folder = folder;
        // Five pictures, so the thumbnail table is written too; every one a real file.
        for (int n = 1; n <= 5; ++n) {
            const QString name = fileNameFor(v, n);
            QFile file(folder + name);
            QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(name));
            file.write(pngBytes(10 + n, 7));
            file.close();
            const QString link = n % 2 ? v : kPlaceholderLinkUrl;
            run.saveList << SaveEntry{v, link};
            run.saved << SavedPicture{name, link, v};
        }
        // The comment panel holds the first picture: the page takes it in as the stored file.
        WebZone* panel = makeZone(ZoneAccess::contentOnly(), folder);
        navigate(panel, QStringLiteral("about:blank"));
        panel->document()->body()->setInnerHtml(
            QStringLiteral("Nice one<br>") +
            CommentCommands::textAndPictures(QStringLiteral("[##0##]"), {v}));
        const QString comments = IndexPage::comments({true, panel}, run.saved);
        QVERIFY(!comments.isEmpty());
        const QStringList lines = IndexPage::lines(run, v, v, comments, 8);
        const QString page = IndexPage::write(run, lines, QDateTime::currentDateTime());
        QVERIFY(QFile::exists(page));

        // A zone that grants everything, as a browser opening the saved page would run its scripts.
        WebZone* zone = makeZone(ZoneAccess{true, true, true}, folder);
        navigate(zone, page);
        QCOMPARE(settledBeaconHits(zone), QStringList());
        shapes << shape(zone);

        // Each stored picture is found by its name and loads from its own file: the one of the
        // comments, the thumbnails, the pictures at normal size.
        const QJsonArray widths =
            js(zone,
               QStringLiteral("return Array.from(document.images).map(function(i){return i.naturalWidth;});"))
                .toArray();
        QCOMPARE(widths, (QJsonArray{11, 11, 12, 13, 14, 15, 11, 12, 13, 14, 15}));
        // The addresses and the title read back as they were.
        const QJsonArray hrefs =
            js(zone,
               QStringLiteral(
                   "return Array.from(document.links).map(function(a){return a.getAttribute('href');});"))
                .toArray();
        int links = 0;
        for (const QJsonValue& href : hrefs)
            links += href.toString() == v ? 1 : 0;
        // Thumbnails 3, normal size 3, webpage URL 1, picture URLs 5, picture links 3.
        QCOMPARE(links, 15);
        const QString text = js(zone, QStringLiteral("return document.body.textContent;")).toString();
        QVERIFY(text.contains(QStringLiteral("Webpage Title:") + v));
        for (const SavedPicture& picture : run.saved)
            QVERIFY(text.contains(picture.fileName));
    }
    QCOMPARE(shapes.at(1), shapes.at(0));
}

// --- tidecove's show-all page on real files with such names -----------------------------------------

void HostilePagesTest::showAllPages_data() {
    hostileTable();
}

void HostilePagesTest::showAllPages() {
    QFETCH(QString, value);
    value = beacon(value);
    const QString program = dir_.path() + QStringLiteral("/tidecove-program");
    QVERIFY(QDir().mkpath(program));
    QStringList shapes;
    int round = 0;
    for (const QString& v : {kPlain, value}) {
        const QString cache =
            dir_.path() + QStringLiteral("/shown-%1-%2/").arg(QTest::currentDataTag()).arg(++round);
        QVERIFY(QDir().mkpath(cache));
        QStringList files;
        for (int n = 1; n <= 3; ++n) {
            files << cache + fileNameFor(v, n);
            QFile file(files.last());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(pngBytes(20 + n, 5));
        }
        const QList<QStringList> pages = {ShownPage::showAllLines(files, {1, 3, 4}),
                                          ShownPage::renderLines(files, true, true, 400),
                                          ShownPage::renderLines(files, false, false, 400)};
        QString roundShapes;
        for (const QStringList& lines : pages) {
            // The viewer's own zone settings: its page runs its handlers and reaches local files only.
            WebZone* zone = makeZone(ZoneAccess::ownPageWithLocalPictures(), program);
            loadHtml(zone, ShownPage::text(lines));
            QTRY_VERIFY_WITH_TIMEOUT(js(zone, QStringLiteral("return Array.from(document.images).every("
                                                             "function(i){return i.complete;});"))
                                         .toBool(),
                                     30000);
            const QJsonArray widths =
                js(zone, QStringLiteral(
                             "return Array.from(document.images).map(function(i){return i.naturalWidth;});"))
                    .toArray();
            QCOMPARE(widths, (QJsonArray{21, 22, 23}));
            // No picture failed, so every checkbox is still ticked.
            QCOMPARE(
                js(zone, QStringLiteral("return Array.from(document.forms.form1.elements).every(function(e){"
                                        "return e.checked;});"))
                    .toBool(),
                true);
            roundShapes += shape(zone) + QLatin1Char('\n');
        }
        shapes << roundShapes;
    }
    QCOMPARE(shapes.at(1), shapes.at(0));
}

// --- the checks above can fail: the same zones do run markup that is not escaped ---------------------

void HostilePagesTest::injectedMarkupWouldReachTheBeacon() {
    WebZone* zone = makeZone(ZoneAccess{true, true, true}, dir_.path());
    loadHtml(zone, QStringLiteral("<html><body></body></html>"));
    zone->document()->body()->setInnerHtml(
        QStringLiteral("<img src=") + beacon("data:,x onerror=fetch('BEACON/raw')") + QStringLiteral(">"));
    QTRY_VERIFY_WITH_TIMEOUT(!server_.requestsFor(kBeacon + QStringLiteral("/raw")).isEmpty(), 30000);
}

// The comment panel and the welcome zone of grabnest and tidecove's preview show what others made:
// neither inline handlers nor scripts run there, whatever the markup.
void HostilePagesTest::zonesOfOthersRunNoScript() {
    WebZone* zone = makeZone(ZoneAccess::contentOnly(), dir_.path());
    navigate(zone, QStringLiteral("about:blank"));
    zone->document()->body()->setContentEditable(true);
    zone->document()->body()->setInnerHtml(beacon(
        QStringLiteral("<img src=x onerror=\"fetch('BEACON/panel')\"><script>fetch('BEACON/s')</script>"
                       "<svg onload=\"fetch('BEACON/svg')\"></svg>")));
    QCOMPARE(settledBeaconHits(zone), QStringList());
    // The page model still reads and writes it.
    QCOMPARE(zone->document()->images()->length(), 1);

    WebZone* html = makeZone(ZoneAccess::contentOnly(), dir_.path());
    loadHtml(html, beacon(QStringLiteral("<body><script>document.title='ran';</script>"
                                         "<img src=x onerror=\"document.title='ran'\"></body>")));
    QTRY_VERIFY_WITH_TIMEOUT(js(html, QStringLiteral("return document.images[0].complete;")).toBool(), 30000);
    QCOMPARE(html->document()->title(), QString());
}

// "Pictures invisible ?" shows the origin page itself in the preview: its own script does not run there,
// while the template, navigated to again, runs its own.
void HostilePagesTest::previewZoneRunsNoScriptOfAWebPage() {
    server_.addPage(QStringLiteral("/origin.html"),
                    beacon(QStringLiteral("<html><body><script>fetch('BEACON/origin');document.title='ran';"
                                          "</script><img src='/pic.png' onload=\"fetch('BEACON/onload')\">"
                                          "</body></html>"))
                        .toUtf8());
    const QString folder = dir_.path() + QStringLiteral("/program");
    QVERIFY(QDir().mkpath(folder));
    const QString templ = folder + QStringLiteral("/grabnest.htm");
    if (!QFile::exists(templ))
        QVERIFY(QFile::copy(QString::fromUtf8(VORLAKEN_SOURCE_DIR "/data/grabnest.htm"), templ));
    WebZone* zone = makeZone(ZoneAccess::ownPageWithPictures(), folder);
    // From the template, whose script runs, to the web page, whose script must not.
    navigate(zone, templ);
    navigate(zone, server_.url(QStringLiteral("/origin.html")));
    QCOMPARE(settledBeaconHits(zone), QStringList());
    QCOMPARE(zone->document()->title(), QString());
    // A page shown at a data address is not HTML of ours either.
    navigate(zone, beacon(QStringLiteral("data:text/html,<script>fetch('BEACON/data')</script>"
                                         "<img src=x onerror=\"fetch('BEACON/data-img')\">")));
    QCOMPARE(settledBeaconHits(zone), QStringList());
    navigate(zone, templ);
    QCOMPARE(js(zone, QStringLiteral(
                          "document.body.innerHTML='<img id=t src=x onerror=\"this.title=typeof zoompic\">';"
                          "return 1;"))
                 .toInt(),
             1);
    QTRY_COMPARE_WITH_TIMEOUT(
        js(zone, QStringLiteral("return document.getElementById('t').getAttribute('title');")).toString(),
        QStringLiteral("function"), 30000);
}

QTEST_MAIN(HostilePagesTest)
#include "tst_hostilepages.moc"
