#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "capture/Capture.h"
#include "capture/GetCommand.h"
#include "capture/PreviewPage.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "results/SelectionCommands.h"
#include "support/BrowserDiscovery.h"
#include "support/ChromiumProcess.h"
#include "support/FakeDesktop.h"
#include "support/LoopbackHttpServer.h"
#include "support/SolidPng.h"

using namespace vorlaken;
using vorlaken::test::ChromiumProcess;
using vorlaken::test::LoopbackHttpServer;

namespace {

// A transparent 1x1 GIF: every picture of the fixture pages loads.
const QByteArray kGif =
    QByteArray::fromBase64("R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAICRAEAOw==");

}  // namespace

// The capture and the preview read back through a real headless Chromium: a page with linked,
// duplicate and INPUT pictures, a same-origin frame holding a frame of its own, a cross-origin frame.
class CaptureChromiumTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void cleanupTestCase();
    void getCapturesPageAndDirectFrames();
    void previewValuesReadBackUnchanged();
    void linksAsTheBrowserFollowsThem_data();
    void linksAsTheBrowserFollowsThem();
    void localPicturesOnlyFromLocalPages();
    void largestVersionsWhenAsked();
    void ownSizeWhenAsked();

  private:
    BrowserPtr open(const QString& url);
    // Captures url with every filter open and near-by links on; rows by picture address.
    QMap<QString, QString> linksOf(const QString& url, int pictures);
    // The picture at index i of the link table below.
    QString linkPicture(int i) const;

    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;
    QTemporaryDir files_;
    // Links captured per page, captured once for all rows of the link table.
    QMap<QString, QMap<QString, QString>> linksByPage_;
};

namespace {

struct LinkCase {
    const char* name;
    const char* href;      // as written in the page
    const char* expected;  // {O}: the origin links resolve against; "-": no link
};

// Relative links of every form under a page at {O}/d/p.htm?q=1#top. The last two are special in
// their place: a picture without a link of its own takes the next link of the page; an empty HREF is
// no link, and nothing follows it.
const LinkCase kLinkCases[] = {
    {"plain relative", "big.htm", "{O}/d/big.htm"},
    {"parent folder", "../x/y.htm", "{O}/x/y.htm"},
    {"dot", "./here.htm", "{O}/d/here.htm"},
    {"root", "/root.htm", "{O}/root.htm"},
    {"query only", "?id=2", "{O}/d/p.htm?id=2"},
    {"fragment only", "#f", "{O}/d/p.htm?q=1#f"},
    {"protocol-relative", "//cdn.test/z.htm", "http://cdn.test/z.htm"},
    {"blanks around", "  spaced.htm\n", "{O}/d/spaced.htm"},
    {"blank inside", "a b.htm", "{O}/d/a%20b.htm"},
    {"absolute", "https://other.test/a?b", "https://other.test/a?b"},
    {"javascript as written", "JavaScript:go('a b')", "JavaScript:go('a b')"},
    {"mailto as written", "mailto:Someone@Example.test", "mailto:Someone@Example.test"},
    {"near-by link", nullptr, "{O}/d/next.htm"},
    {"empty href", "", "-"},
};
constexpr int kLinkCaseCount = int(sizeof(kLinkCases) / sizeof(kLinkCases[0]));

QByteArray linkPage(const QString& base, const QString& pictureFolder) {
    QString html = QStringLiteral("<html><head><title>Links</title>");
    if (!base.isEmpty()) {
        html += QStringLiteral("<base href=\"%1\">").arg(base.toHtmlEscaped());
    }
    html += QStringLiteral("</head><body>\n");
    for (int i = 0; i < kLinkCaseCount; ++i) {
        const QString picture =
            QStringLiteral("<img src=\"%1r%2.gif\" width=\"10\" height=\"10\">").arg(pictureFolder).arg(i);
        if (kLinkCases[i].href) {
            html += QStringLiteral("<a href=\"%1\">%2</a>\n")
                        .arg(QString::fromUtf8(kLinkCases[i].href).toHtmlEscaped(), picture);
        } else {
            html += picture + QStringLiteral("<p>text</p><a href=\"next.htm\">next</a>\n");
        }
    }
    return (html + QStringLiteral("</body></html>")).toUtf8();
}

}  // namespace

void CaptureChromiumTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    for (const char* name : {"1", "2", "small", "in", "f1", "f2", "f3", "f4", "f5", "nested", "c1"}) {
        server_.addPage(QStringLiteral("/g/%1.gif").arg(QLatin1String(name)), kGif, "image/gif");
    }
    server_.addPage("/G/1.GIF", kGif, "image/gif");
    server_.addPage(
        "/d/top.html",
        "<html><head><title>Top</title></head><body>\n"
        "<a href=\"/big/1.htm\"><img src=\"/g/1.gif\" width=\"120\" height=\"90\"></a>\n"
        "<a href=\"./b.htm\"><img src=\"/g/2.gif\" width=\"100\" height=\"100\"></a>\n"
        "<img src=\"/G/1.GIF\" width=\"50\" height=\"50\">\n"
        "<p><img src=\"/g/small.gif\" width=\"10\" height=\"10\"> <a href=\"/next.htm\">next</a></p>\n"
        "<input type=\"image\" src=\"/g/in.gif\" width=\"30\" height=\"20\">\n"
        "<iframe src=\"/frame.html\"></iframe>\n" +
            QString("<iframe src=\"%1\"></iframe>\n").arg(server_.localhostUrl("/cross.html")).toUtf8() +
            "</body></html>");
    server_.addPage(
        "/frame.html",
        "<html><head><title>Frame</title></head><body>"
        "<img src=\"/g/f1.gif\" width=\"11\" height=\"11\"><img src=\"/g/f2.gif\" width=\"12\" height=\"12\">"
        "<img src=\"/g/f3.gif\" width=\"13\" height=\"13\"><img src=\"/g/f4.gif\" width=\"14\" height=\"14\">"
        "<img src=\"/g/f5.gif\" width=\"15\" height=\"15\"><iframe src=\"/nested.html\"></iframe>"
        "</body></html>");
    server_.addPage("/nested.html",
                    "<html><head><title>Nested</title></head><body>"
                    "<img src=\"/g/nested.gif\" width=\"16\" height=\"16\"></body></html>");
    server_.addPage("/cross.html",
                    "<html><head><title>Cross</title></head><body>"
                    "<img src=\"/g/c1.gif\" width=\"17\" height=\"17\"></body></html>");
    for (int i = 0; i < kLinkCaseCount; ++i) {
        server_.addPage(QStringLiteral("/g/r%1.gif").arg(i), kGif, "image/gif");
    }
    const QString pictures = server_.url("/g/");
    server_.addPage("/d/p.htm", linkPage(QString(), pictures));
    server_.addPage("/based/p.htm", linkPage(QStringLiteral("http://site.test/d/p.htm?q=1#top"), pictures));

    chromium_ = std::make_unique<ChromiumProcess>();
    QVERIFY2(chromium_->start(QStringLiteral("about:blank")), qPrintable(chromium_->errorString()));
    qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toLatin1());
}

void CaptureChromiumTest::cleanupTestCase() {
    chromium_.reset();
    qunsetenv("VORLAKEN_DEVTOOLS");
}

BrowserPtr CaptureChromiumTest::open(const QString& url) {
    DevToolsBrowserFinder finder;
    BrowserPtr browser = test::DiscoverWhenReady(finder);
    if (!browser) {
        return nullptr;
    }
    browser->navigate(url);
    const bool loaded = QTest::qWaitFor(
        [&] {
            try {
                return browser->locationUrl() == url && browser->document()->url() == url;
            } catch (const PageError&) {
                return false;
            }
        },
        15000);
    return loaded ? browser : nullptr;
}

void CaptureChromiumTest::getCapturesPageAndDirectFrames() {
    const QString top = server_.url("/d/top.html?x=1#y");
    QVERIFY(open(top));

    CaptureState state;
    state.mainFilters.widthLimit = 0;
    state.mainFilters.heightLimit = 0;
    state.specialProcess = true;
    state.linkNearBy = true;
    DevToolsBrowserFinder finder;
    int renders = 0;
    GetCommand get(finder, [&] { ++renders; });
    // The frames load on their own: wait until every picture of the top page and both frames is in.
    QVERIFY(QTest::qWaitFor(
        [&] {
            get.Run(state, false);
            return state.table.size() == 10;
        },
        15000));

    const QString frame = server_.url("/frame.html");
    const QString cross = server_.localhostUrl("/cross.html");
    QStringList expected = {
        server_.url("/g/1.gif") + "|120*90|" + server_.url("/big/1.htm") + "|" + top,
        server_.url("/g/2.gif") + "|100*100|" + server_.url("/d/b.htm") + "|" + top,
        server_.url("/g/small.gif") + "|10*10|" + server_.url("/next.htm") + "|" + top,  // near-by link
        server_.url("/g/in.gif") + "|30*20|-|" + top,
    };
    for (int i = 1; i <= 5; ++i) {
        expected << server_.url(QStringLiteral("/g/f%1.gif").arg(i)) + QStringLiteral("|1%1*1%1|-|").arg(i) +
                        frame;
    }
    expected << server_.localhostUrl("/g/c1.gif") + "|17*17|-|" + cross;
    QStringList rows;
    for (int i = 0; i < state.table.size(); ++i) {
        const QString link = state.table.linkUrl[i] == kPlaceholderLinkUrl ? "-" : state.table.linkUrl[i];
        rows << state.table.picUrl[i] + '|' + state.table.sizeText[i] + '|' + link + '|' +
                    state.table.pageUrl[i];
    }
    // Not captured: the case twin of 1.gif and the frame's own frame.
    QCOMPARE(rows, expected);

    QCOMPARE(state.titleItems, (QStringList{"Top", "Frame", "Cross"}));
    QCOMPARE(state.titleText, QString("Frame"));  // the frame has the most pictures
    QCOMPARE(state.locationText, top);            // the location stays the top page's
    QCOMPARE(state.countLabel, QString("10"));
    QCOMPARE(state.savedLabel, QString("Saved:0/0"));
    QVERIFY(state.getEnabled && state.saveEnabled);
    QVERIFY(renders > 0);
}

void CaptureChromiumTest::previewValuesReadBackUnchanged() {
    // The preview page lives in a local document; a web page is never read back as one.
    BrowserPtr zone = open("about:blank");
    QVERIFY(zone);

    CaptureState state;
    const QString hostile = "1*1\"><img src=x onerror=\"document.title='pwned'\">";
    state.table.append(server_.url("/g/1.gif?a=1&b=2"), hostile, server_.url("/l.htm?a=1&b=2"),
                       "x' onmouseover='document.title=1' \"&lt;");
    state.table.append(server_.url("/g/2.gif"), "100*100", kPlaceholderLinkUrl, server_.url("/p.htm"));
    const CaptureTable before = state.table;
    PreviewOptions options;
    options.availableWidth = 430;
    auto render = [&] { RenderPreview(state, *zone, options); };
    render();
    QCOMPARE(zone->document()->images()->length(), 2);

    FakeDesktop desktop;
    SelectionCommands selection(*zone, desktop, render);
    selection.DeselectAll();
    selection.SelectAll();
    selection.ReduceToSelection(state, SelectionCommands::Reduce::KeepChecked);
    QCOMPARE(state.table.picUrl, before.picUrl);
    QCOMPARE(state.table.sizeText, before.sizeText);
    QCOMPARE(state.table.linkUrl, before.linkUrl);
    QCOMPARE(state.table.pageUrl, before.pageUrl);
    QCOMPARE(zone->document()->title(), QString());  // no value turned into markup
    QVERIFY(desktop.messages.isEmpty());
}

QString CaptureChromiumTest::linkPicture(int i) const {
    return server_.url(QStringLiteral("/g/r%1.gif").arg(i));
}

QMap<QString, QString> CaptureChromiumTest::linksOf(const QString& url, int pictures) {
    QMap<QString, QString> links;
    if (!open(url)) {
        return links;
    }
    CaptureState state;
    state.mainFilters.widthLimit = 0;
    state.mainFilters.heightLimit = 0;
    state.linkNearBy = true;
    state.specialProcess = true;
    DevToolsBrowserFinder finder;
    state.attached = test::DiscoverWhenReady(finder);
    if (!state.attached) {
        return links;
    }
    // The caller checks what came; a page that never shows all pictures fails there.
    (void)QTest::qWaitFor(
        [&] {
            Capture(state, false);
            return state.table.size() >= pictures;
        },
        15000);
    for (int i = 0; i < state.table.size(); ++i) {
        const QString& link = state.table.linkUrl[i];
        links.insert(state.table.picUrl[i], link == kPlaceholderLinkUrl ? QStringLiteral("-") : link);
    }
    return links;
}

// Links arrive absolute, as the browser itself would follow them: against the page address or its
// <base>; links of other schemes stay as the page wrote them.
void CaptureChromiumTest::linksAsTheBrowserFollowsThem_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("origin");
    QTest::addColumn<int>("row");
    for (const char* page : {"/d/p.htm?q=1#top", "/based/p.htm"}) {
        const bool based = QByteArray(page).startsWith("/based");
        const QString origin = based ? QStringLiteral("http://site.test") : server_.url("/").chopped(1);
        for (int i = 0; i < kLinkCaseCount; ++i) {
            QTest::addRow("%s, %s", based ? "base" : "page", kLinkCases[i].name)
                << server_.url(QString::fromLatin1(page)) << origin << i;
        }
    }
}

void CaptureChromiumTest::linksAsTheBrowserFollowsThem() {
    QFETCH(QString, page);
    QFETCH(QString, origin);
    QFETCH(int, row);
    if (!linksByPage_.contains(page)) {
        linksByPage_.insert(page, linksOf(page, kLinkCaseCount));
    }
    const QMap<QString, QString>& links = linksByPage_[page];
    QCOMPARE(links.size(), kLinkCaseCount);
    QString expected = QString::fromUtf8(kLinkCases[row].expected);
    expected.replace(QStringLiteral("{O}"), origin);
    QCOMPARE(links.value(linkPicture(row)), expected);
}

// Pictures that offer several versions: by width (a comma inside an address), by density, in a
// <picture> with <source> elements, and one offering none. "largest version" takes the largest
// offered; without it the capture takes what the browser shows.
void CaptureChromiumTest::largestVersionsWhenAsked() {
    for (const char* name : {"s1", "s2", "m", "l,q", "x1", "x2", "x3", "p1", "p2", "p3", "plain"})
        server_.addPage(QStringLiteral("/v/%1.gif").arg(QLatin1String(name)), kGif, "image/gif");
    server_.addPage(
        "/versions.html",
        "<html><head><title>Versions</title></head><body>"
        "<img src=\"/v/s1.gif\" srcset=\"/v/s2.gif 200w, /v/l,q.gif 1600w,/v/m.gif 800w\" "
        "sizes=\"50px\" width=\"50\" height=\"50\">"
        "<img src=\"/v/x1.gif\" srcset=\"/v/x1.gif, x3.gif 3x, /v/x2.gif 2x\" width=\"50\" "
        "height=\"50\">"
        "<picture><source srcset=\"/v/p3.gif 1200w, /v/p2.gif 600w\" media=\"(min-width: 9000px)\">"
        "<img src=\"/v/p1.gif\" width=\"50\" height=\"50\"></picture>"
        "<img src=\"/v/plain.gif\" width=\"50\" height=\"50\"></body></html>");
    const BrowserPtr page = open(server_.url("/versions.html"));
    QVERIFY(page);
    const auto capture = [&](bool largest) {
        CaptureState state;
        state.mainFilters.widthLimit = 0;
        state.mainFilters.heightLimit = 0;
        state.largestVersions = largest;
        state.attached = page;
        QStringList paths;
        (void)QTest::qWaitFor(
            [&] {
                Capture(state, false);
                return state.table.size() >= 4;
            },
            15000);
        for (const QString& url : state.table.picUrl)
            paths << QUrl(url).path();
        return paths;
    };
    // Relative candidates resolve against the page, as the browser resolves them.
    QCOMPARE(capture(true), (QStringList{"/v/l,q.gif", "/x3.gif", "/v/p3.gif", "/v/plain.gif"}));
    // What the browser chose for a 50-pixel slot on this screen, whatever it was, is not the largest.
    const QStringList shown = capture(false);
    QCOMPARE(shown.size(), 4);
    QVERIFY(!shown.contains(QStringLiteral("/v/l,q.gif")));
    QCOMPARE(shown.at(2), QStringLiteral("/v/p1.gif"));
    QCOMPARE(shown.at(3), QStringLiteral("/v/plain.gif"));
}

// A photo the page's style shows 300 pixels wide: by its displayed size a width limit of 400 drops it,
// by its own size it passes and is listed at that size, the displayed one kept for the preview. A
// picture that never loads keeps its displayed size either way.
void CaptureChromiumTest::ownSizeWhenAsked() {
    server_.addPage("/own/photo.png", test::SolidPng(QSize(1600, 900), Qt::darkCyan), "image/png");
    server_.addPage("/own.html",
                    "<html><head><title>Own</title></head><body>"
                    "<img src=\"/own/photo.png\" style=\"width:300px\">"
                    "<img src=\"/own/gone.png\" width=\"500\" height=\"450\"></body></html>");
    const BrowserPtr page = open(server_.url("/own.html"));
    QVERIFY(page);
    const auto capture = [&](bool own) {
        CaptureState state;
        state.mainFilters.widthLimit = 400;
        state.mainFilters.heightLimit = 0;
        state.ownSize = own;
        state.attached = page;
        Capture(state, false);
        return state;
    };
    const CaptureState shown = capture(false);
    QCOMPARE(shown.table.picUrl, QStringList{server_.url("/own/gone.png")});
    QVERIFY(shown.shownSizes.isEmpty());
    const CaptureState own = capture(true);
    QCOMPARE(own.table.picUrl, (QStringList{server_.url("/own/photo.png"), server_.url("/own/gone.png")}));
    QCOMPARE(own.table.sizeText, (QStringList{"1600*900", "500*450"}));
    QCOMPARE(own.shownSizes.size(), 1);
    QVERIFY2(own.shownSizes.value(server_.url("/own/photo.png").toCaseFolded()).startsWith("300*"),
             qPrintable(own.shownSizes.value(server_.url("/own/photo.png").toCaseFolded())));
    // The preview shows both sizes of the photo.
    PreviewOptions options;
    options.availableWidth = 500;
    QVERIFY(PreviewPage::build(own.table, options, own.shownSizes)
                .contains(QStringLiteral("<i>1600*900 (shown 300*")));
}

// A web page cannot hand the program its visitor's local files; a local page shows its own.
void CaptureChromiumTest::localPicturesOnlyFromLocalPages() {
    QVERIFY(files_.isValid());
    const QString privatePicture = files_.filePath(QStringLiteral("private.gif"));
    QFile file(privatePicture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(kGif);
    file.close();
    const QString privateUrl = QUrl::fromLocalFile(privatePicture).toString();

    const QByteArray upper = "FILE://" + privateUrl.mid(7).toUtf8();
    // A data: frame cannot resolve a path: its picture keeps the bare path, which the preview would
    // read from the disk.
    const QByteArray dataFrame = QUrl::toPercentEncoding(
        QStringLiteral(
            "<img src='%1' width=90 height=90><a href='big.htm'><img src='%2' width=9 height=9></a>")
            .arg(privatePicture, server_.url("/g/small.gif")));
    server_.addPage("/web.html",
                    "<html><head><title>Web</title></head><body>"
                    "<img src=\"/g/1.gif\" width=\"10\" height=\"10\">"
                    "<a href=\"/big.htm\"><img src=\"" +
                        privateUrl.toUtf8() +
                        "\" width=\"90\" height=\"90\"></a>"
                        "<img src=\" " +
                        upper +
                        "?2 \" width=\"90\" height=\"90\">"
                        "<input type=\"image\" src=\"" +
                        privateUrl.toUtf8() +
                        "?3\" width=\"90\" height=\"90\">"
                        "<img src=\"/g/2.gif\" width=\"10\" height=\"10\">"
                        "<iframe src=\"data:text/html," +
                        dataFrame + "\"></iframe></body></html>");
    const QString web = server_.url("/web.html");
    const QMap<QString, QString> fromWeb = linksOf(web, 3);
    QCOMPARE(fromWeb.keys(),
             (QStringList{server_.url("/g/1.gif"), server_.url("/g/2.gif"), server_.url("/g/small.gif")}));
    // Nor does it resolve a relative link: the picture has none rather than one into the program folder.
    QCOMPARE(fromWeb.value(server_.url("/g/small.gif")), QStringLiteral("-"));

    QFile local(files_.filePath(QStringLiteral("local.html")));
    QVERIFY(local.open(QIODevice::WriteOnly));
    local.write(
        "<html><head><title>Local</title></head><body>"
        "<a href=\"big.htm\"><img src=\"private.gif\" width=\"90\" height=\"90\"></a>"
        "</body></html>");
    local.close();
    const QString localUrl = QUrl::fromLocalFile(local.fileName()).toString();
    const QMap<QString, QString> fromLocal = linksOf(localUrl, 1);
    QCOMPARE(fromLocal.keys(), QStringList{privateUrl});
    QCOMPARE(fromLocal.value(privateUrl), QUrl::fromLocalFile(files_.filePath("big.htm")).toString());
}

QTEST_GUILESS_MAIN(CaptureChromiumTest)
#include "tst_capture_chromium.moc"
