#include <csignal>

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "BrowserProbe.h"
#include "GalleryFixture.h"
#include "platform/devtools/DevToolsBrowser.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "platform/devtools/PageTargets.h"
#include "support/BrowserDiscovery.h"
#include "support/ChromiumProcess.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using vorlaken::test::ChromiumProcess;
using vorlaken::test::LoopbackHttpServer;

using probe::evaluate;
using probe::evaluateInPage;
using probe::waitFor;

class DevToolsBrowserTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void documentReadsMatchThePage();
    void collectionReadAgreesWithElementReads();
    void framesAreDirectChildrenInDocumentOrder();
    void framesAreAtMostAHundredAndOnlyBrowsers();
    void pageScriptsCannotFoolReads();
    void writesReachThePage();
    void formControlsAndCheckedStates();
    void postedKeysReachThePage();
    void navigationGoBackAndReload();
    void cookieHeaderForAddress();
    void nonHtmlDocumentThrows();
    void openInNewWindowAddsAPage();
    void pageInFrontIsDiscovered();
    void discoveryWithoutBrowserIsQuickAndSilent();
    void discoveryThroughProfilePortFile();
    void browserKilledDuringReadsThrows();
    void hungBrowserTimesOut();

  private:
    BrowserPtr openGallery();
    BrowserPtr open(const QString& path);

    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;
};

void DevToolsBrowserTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    gallery::serve(server_);
    chromium_ = std::make_unique<ChromiumProcess>();
    QVERIFY2(chromium_->start(QStringLiteral("about:blank")), qPrintable(chromium_->errorString()));
}

void DevToolsBrowserTest::init() {
    qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toLatin1());
}

void DevToolsBrowserTest::cleanupTestCase() {
    chromium_.reset();
    qunsetenv("VORLAKEN_DEVTOOLS");
}

BrowserPtr DevToolsBrowserTest::open(const QString& path) {
    return probe::openPage(server_.url(path));
}

BrowserPtr DevToolsBrowserTest::openGallery() {
    BrowserPtr browser = open(QStringLiteral("/gallery.html"));
    if (!browser) {
        return nullptr;
    }
    // The frames load on their own; the pictures that can load have loaded.
    const bool ready = QTest::qWaitFor(
        [&] {
            const auto frames = browser->frames();
            if (frames.size() != 3) {
                return false;
            }
            for (const BrowserPtr& frame : frames) {
                if (!waitFor(*frame,
                             QStringLiteral("document.readyState === 'complete' && document.title !== ''"),
                             100)) {
                    return false;
                }
            }
            return waitFor(*browser,
                           QStringLiteral("document.images[0].complete && document.images[1].complete"), 100);
        },
        10000);
    return ready ? browser : nullptr;
}

void DevToolsBrowserTest::documentReadsMatchThePage() {
    const BrowserPtr browser = openGallery();
    QVERIFY(browser);
    const DocumentPtr document = browser->document();
    QCOMPARE(document->url(), server_.url(QStringLiteral("/gallery.html")));
    QCOMPARE(browser->locationUrl(), server_.url(QStringLiteral("/gallery.html")));
    QCOMPARE(document->title(), QStringLiteral("Gallery & friends"));

    const unsigned fields =
        kTagName | kSrc | kWidth | kHeight | kParentTagName | kParentHrefAttribute | kSourceIndex | kComplete;
    const std::vector<ElementData> images = document->images()->read(fields);
    QCOMPARE(images.size(), std::size_t(4));
    struct Expected {
        const char* path;
        int width;
        int height;
        const char* parent;
        const char* parentHref;
    };
    const Expected expected[] = {
        {"/img/red.png", 40, 30, "A", "/big/1.html"},  // size attributes
        {"/img/green.png", 20, 10, "BODY", ""},        // natural size, relative src made absolute
        {"/img/blue.png", 50, 60, "A", "./rel.html"},  // size from style, link as written
    };
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(images[i].tagName, QStringLiteral("IMG"));
        QCOMPARE(images[i].src, server_.url(QString::fromLatin1(expected[i].path)));
        QCOMPARE(images[i].width, expected[i].width);
        QCOMPARE(images[i].height, expected[i].height);
        QCOMPARE(images[i].parentTagName, QString::fromLatin1(expected[i].parent));
        QCOMPARE(images[i].parentHrefAttribute, QString::fromLatin1(expected[i].parentHref));
        QVERIFY(images[i].complete);
    }
    // The picture still loading has its absolute address already; its size is what the browser shows.
    QVERIFY(!images[3].complete);
    QCOMPARE(images[3].src, server_.url(QStringLiteral("/img/slow.png")));
    QCOMPARE(images[3].width, document->images()->item(3)->width());

    // Source indexes are positions in the collection of all elements.
    const std::vector<ElementData> all = document->all()->read(kTagName | kType | kSrc | kWidth | kHeight);
    QCOMPARE(int(all.size()), document->all()->length());
    for (const ElementData& image : images) {
        QVERIFY(image.sourceIndex >= 0 && image.sourceIndex < int(all.size()));
        QCOMPARE(all[image.sourceIndex].src, image.src);
    }
    QCOMPARE(all.front().tagName, QStringLiteral("HTML"));
    const auto input =
        std::find_if(all.begin(), all.end(), [](const ElementData& e) { return e.tagName == "INPUT"; });
    QVERIFY(input != all.end());
    QCOMPARE(input->type, QStringLiteral("image"));
    QCOMPARE(input->src, server_.url(QStringLiteral("/img/input.png")));
    QCOMPARE(input->width, 25);
    QCOMPARE(input->height, 15);

    const std::vector<ElementData> links = document->links()->read(kHref | kHrefAttribute | kOuterText);
    QCOMPARE(links.size(), std::size_t(3));
    QCOMPARE(links[0].href, server_.url(QStringLiteral("/big/1.html")));
    QCOMPARE(links[1].hrefAttribute, QStringLiteral("./rel.html"));
    QCOMPARE(links[1].href, server_.url(QStringLiteral("/rel.html")));
    QCOMPARE(links[2].outerText, QStringLiteral("last"));
    QVERIFY(!document->images()->item(4));
    QVERIFY(!document->images()->item(-1));
}

void DevToolsBrowserTest::collectionReadAgreesWithElementReads() {
    const BrowserPtr browser = openGallery();
    QVERIFY(browser);
    const DocumentPtr document = browser->document();
    for (const CollectionPtr& collection : {document->images(), document->links(), document->all()}) {
        const unsigned every = (1u << 15) - 1;
        const std::vector<ElementData> rows = collection->read(every);
        QCOMPARE(int(rows.size()), collection->length());
        for (int i = 0; i < int(rows.size()); i += 3) {
            const ElementPtr element = collection->item(i);
            QVERIFY(element);
            QCOMPARE(element->tagName(), rows[i].tagName);
            QCOMPARE(element->src(), rows[i].src);
            QCOMPARE(element->href(), rows[i].href);
            QCOMPARE(element->getAttribute(QStringLiteral("HREF")), rows[i].hrefAttribute);
            QCOMPARE(element->width(), rows[i].width);
            QCOMPARE(element->height(), rows[i].height);
            QCOMPARE(element->type(), rows[i].type);
            QCOMPARE(element->value(), rows[i].value);
            QCOMPARE(element->checked(), rows[i].checked);
            QCOMPARE(element->sourceIndex(), rows[i].sourceIndex);
            QCOMPARE(element->outerHtml(), rows[i].outerHtml);
            QCOMPARE(element->outerText(), rows[i].outerText);
            QCOMPARE(element->innerHtml(), rows[i].innerHtml);
            const ElementPtr parent = element->parentElement();
            QCOMPARE(parent ? parent->tagName() : QString(), rows[i].parentTagName);
            QCOMPARE(parent ? parent->getAttribute(QStringLiteral("href")) : QString(),
                     rows[i].parentHrefAttribute);
        }
    }
    // The root element has no parent.
    QVERIFY(!document->all()->item(0)->parentElement());
}

void DevToolsBrowserTest::framesAreDirectChildrenInDocumentOrder() {
    const BrowserPtr browser = openGallery();
    QVERIFY(browser);
    const std::vector<BrowserPtr> frames = browser->frames();
    QCOMPARE(frames.size(), std::size_t(3));
    QStringList titles;
    for (const BrowserPtr& frame : frames) {
        QVERIFY(frame);
        titles << frame->document()->title();
    }
    // The script-made frame stands first in the document although it was made last; the inner frame of
    // the same-origin frame is not a direct child.
    QCOMPARE(titles, QStringList({"Late frame", "Same frame", "Cross frame"}));

    const DocumentPtr same = frames[1]->document();
    QCOMPARE(same->url(), server_.url(QStringLiteral("/frame-same.html")));
    QCOMPARE(same->images()->read(kSrc).front().src, server_.url(QStringLiteral("/img/frame.png")));

    // The cross-origin frame runs in another process and is read all the same.
    const DocumentPtr cross = frames[2]->document();
    QCOMPARE(cross->url(), server_.localhostUrl(QStringLiteral("/frame-cross.html")));
    QCOMPARE(frames[2]->locationUrl(), server_.localhostUrl(QStringLiteral("/frame-cross.html")));
    const std::vector<ElementData> pictures = cross->images()->read(kSrc | kWidth | kParentHrefAttribute);
    QCOMPARE(pictures.size(), std::size_t(1));
    QCOMPARE(pictures[0].src, server_.localhostUrl(QStringLiteral("/img/cross.png")));
    QCOMPARE(pictures[0].width, 33);
    QCOMPARE(pictures[0].parentHrefAttribute, QStringLiteral("/c.html"));
    QCOMPARE(cross->images()->item(0)->parentElement()->tagName(), QStringLiteral("A"));

    // A frame that goes to another site moves to another process; the same browser still finds it, in
    // its place.
    const QString moved = server_.localhostUrl(QStringLiteral("/frame-late.html"));
    frames[1]->navigate(moved);
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            try {
                const auto now = browser->frames();
                return now.size() == 3 && now[1]->locationUrl() == moved &&
                       now[1]->document()->title() == QLatin1String("Late frame");
            } catch (const PageError&) {
                return false;
            }
        }(),
        10000);
    QCOMPARE(browser->frames()[2]->document()->url(),
             server_.localhostUrl(QStringLiteral("/frame-cross.html")));
}

void DevToolsBrowserTest::framesAreAtMostAHundredAndOnlyBrowsers() {
    // A picture in <object> or <embed> is no browser frame; an HTML document in <object> is one.
    QString html = QStringLiteral(
        "<html><body><object data=\"/img/red.png\" type=\"image/png\"></object>"
        "<embed src=\"/img/green.png\" type=\"image/png\"><object data=\"/frame-inner.html\" "
        "type=\"text/html\"></object>");
    for (int i = 1; i <= 105; ++i) {
        html += QStringLiteral("<iframe srcdoc=\"<title>F%1</title>\" width=10 height=10></iframe>").arg(i);
    }
    server_.addPage(QStringLiteral("/many.html"), html.toUtf8() + "</body></html>");
    const BrowserPtr browser = open(QStringLiteral("/many.html"));
    QVERIFY(browser);
    QVERIFY(waitFor(*browser, QStringLiteral("document.readyState === 'complete'")));

    const std::vector<BrowserPtr> frames = browser->frames();
    QCOMPARE(frames.size(), std::size_t(100));
    QCOMPARE(frames[0]->document()->title(), QStringLiteral("Inner frame"));
    QCOMPARE(frames[1]->document()->title(), QStringLiteral("F1"));
    QCOMPARE(frames[99]->document()->title(), QStringLiteral("F99"));
}

void DevToolsBrowserTest::pageScriptsCannotFoolReads() {
    const BrowserPtr browser = openGallery();
    QVERIFY(browser);
    evaluateInPage(*browser, QStringLiteral(R"(
        Object.defineProperty(HTMLImageElement.prototype, 'src', { get() { return 'http://evil.example/x.png'; } });
        Object.defineProperty(HTMLImageElement.prototype, 'width', { get() { return 9999; } });
        Object.defineProperty(Document.prototype, 'title', { get() { return 'fooled'; } });
        Object.defineProperty(Element.prototype, 'getAttribute', { value() { return 'fooled'; } });
        Object.defineProperty(HTMLAnchorElement.prototype, 'href', { get() { return 'http://evil.example/'; } });
        Object.defineProperty(Node.prototype, 'baseURI', { get() { return 'http://evil.example/'; } });
        document.getElementsByTagName = () => [];
        true)"));
    QCOMPARE(evaluateInPage(*browser, QStringLiteral("document.images[0].src")).toString(),
             QStringLiteral("http://evil.example/x.png"));

    const DocumentPtr document = browser->document();
    QCOMPARE(document->title(), QStringLiteral("Gallery & friends"));
    const std::vector<ElementData> images =
        document->images()->read(kSrc | kWidth | kParentHrefAttribute | kParentLinkAddress | kSourceIndex);
    QCOMPARE(images[0].src, server_.url(QStringLiteral("/img/red.png")));
    QCOMPARE(images[0].width, 40);
    QCOMPARE(images[0].parentHrefAttribute, QStringLiteral("/big/1.html"));
    QCOMPARE(images[0].parentLinkAddress, server_.url(QStringLiteral("/big/1.html")));
    QVERIFY(images[0].sourceIndex > 0);
    QCOMPARE(document->images()->item(0)->src(), server_.url(QStringLiteral("/img/red.png")));
}

void DevToolsBrowserTest::writesReachThePage() {
    const BrowserPtr browser = open(QStringLiteral("/frame-inner.html"));
    QVERIFY(browser);
    const ElementPtr body = browser->document()->body();
    QVERIFY(body);
    const QString html =
        QStringLiteral("<p id=\"w\" title=\"a &quot;b&quot; &amp; 'c'\">Written \u00e9 \u2028</p>");
    body->setInnerHtml(html);
    QCOMPARE(evaluate(*browser, QStringLiteral("document.getElementById('w').title")).toString(),
             QStringLiteral("a \"b\" & 'c'"));
    QCOMPARE(body->outerText(), QStringLiteral("Written \u00e9 \u2028"));
    QCOMPARE(browser->document()->all()->read(kTagName).back().tagName, QStringLiteral("P"));

    body->setStyleAttribute(QStringLiteral("overflow"), QStringLiteral("scroll"));
    QCOMPARE(evaluate(*browser, QStringLiteral("document.body.style.overflow")).toString(),
             QStringLiteral("scroll"));
    body->setStyleAttribute(QStringLiteral("overflow"), QString());
    QCOMPARE(evaluate(*browser, QStringLiteral("document.body.style.overflow")).toString(), QString());
    body->setStyleAttribute(QStringLiteral("backgroundColor"), QStringLiteral("red"));
    QCOMPARE(evaluate(*browser, QStringLiteral("document.body.style.backgroundColor")).toString(),
             QStringLiteral("red"));

    body->setBgColor(QStringLiteral("#FEF9ED"));
    QCOMPARE(evaluate(*browser, QStringLiteral("document.body.getAttribute('bgcolor')")).toString(),
             QStringLiteral("#FEF9ED"));
    body->setContentEditable(true);
    QVERIFY(evaluate(*browser, QStringLiteral("document.body.isContentEditable")).toBool());
    body->setContentEditable(false);
    QVERIFY(!evaluate(*browser, QStringLiteral("document.body.isContentEditable")).toBool());

    // A click acts like the user's: page listeners run.
    body->setInnerHtml(QStringLiteral("<button onclick=\"this.textContent = 'clicked'\">press</button>"));
    browser->document()->all()->item(4)->click();
    QCOMPARE(body->innerHtml(),
             QStringLiteral("<button onclick=\"this.textContent = 'clicked'\">clicked</button>"));
}

void DevToolsBrowserTest::formControlsAndCheckedStates() {
    const BrowserPtr browser = open(QStringLiteral("/frame-inner.html"));
    QVERIFY(browser);
    // A control named "elements" must not hide the form's controls.
    browser->document()->body()->setInnerHtml(
        QStringLiteral("<form name=\"form1\"><input type=\"checkbox\" name=\"c1\" value=\"1*2\" checked>"
                       "<input type=\"hidden\" name=\"elements\" value=\"p\"><input type=\"checkbox\" "
                       "name=\"c2\" value=\"3*4\" checked>"
                       "<input type=\"hidden\" name=\"h2\" value=\"q\"></form>"));
    const CollectionPtr forms = browser->document()->forms();
    QCOMPARE(forms->length(), 1);
    const CollectionPtr controls = forms->item(0)->formElements();
    QCOMPARE(controls->length(), 4);
    std::vector<ElementData> rows = controls->read(kType | kValue | kChecked);
    QCOMPARE(rows[1].value, QStringLiteral("p"));
    QCOMPARE(rows[2].value, QStringLiteral("3*4"));
    QVERIFY(rows[0].checked && rows[2].checked);

    controls->setChecked({0, 2, 17}, false);
    rows = controls->read(kChecked);
    QVERIFY(!rows[0].checked && !rows[2].checked);
    controls->item(2)->setChecked(true);
    QVERIFY(controls->item(2)->checked());
    QVERIFY(!controls->item(0)->checked());
    QVERIFY(!controls->item(4));
}

void DevToolsBrowserTest::postedKeysReachThePage() {
    const BrowserPtr browser = open(QStringLiteral("/frame-inner.html"));
    QVERIFY(browser);
    evaluateInPage(
        *browser,
        QStringLiteral(
            "window.keys = []; document.addEventListener('keydown', e => keys.push(e.key + ':' + e.keyCode));"
            " document.addEventListener('keyup', e => keys.push('up:' + e.keyCode)); true"));
    for (int key : {37, 40, 13, 32, 34, 65, 55, 27, 112, 97}) {
        browser->postKey(key, true);
        browser->postKey(key, false);
    }
    QVERIFY(waitFor(*browser, QStringLiteral("true")));
    const QJsonArray keys = evaluateInPage(*browser, QStringLiteral("window.keys")).toArray();
    QStringList seen;
    for (const QJsonValue& key : keys) {
        seen << key.toString();
    }
    QCOMPARE(seen, QStringList({"ArrowLeft:37", "up:37",  "ArrowDown:40", "up:40",       "Enter:13",
                                "up:13",        " :32",   "up:32",        "PageDown:34", "up:34",
                                "a:65",         "up:65",  "7:55",         "up:55",       "Escape:27",
                                "up:27",        "F1:112", "up:112",       "1:97",        "up:97"}));
}

void DevToolsBrowserTest::navigationGoBackAndReload() {
    const BrowserPtr browser = open(QStringLiteral("/frame-inner.html"));
    QVERIFY(browser);
    const QString second = server_.url(QStringLiteral("/frame-late.html"));
    browser->navigate(second);
    QTRY_COMPARE_WITH_TIMEOUT(browser->locationUrl(), second, 10000);
    // The address changes before the new document can be read.
    const auto title = [&browser] {
        try {
            return browser->document()->title();
        } catch (const PageError&) {
            return QString();
        }
    };
    QTRY_COMPARE_WITH_TIMEOUT(title(), QStringLiteral("Late frame"), 10000);

    browser->goBack();
    QTRY_COMPARE_WITH_TIMEOUT(browser->locationUrl(), server_.url(QStringLiteral("/frame-inner.html")),
                              10000);

    const qsizetype before = server_.requestsFor(QStringLiteral("/frame-inner.html")).size();
    evaluateInPage(*browser, QStringLiteral("window.marker = 1; true"));
    browser->reload();
    QTRY_VERIFY_WITH_TIMEOUT(server_.requestsFor(QStringLiteral("/frame-inner.html")).size() > before, 10000);
    QVERIFY(waitFor(*browser, QStringLiteral("document.readyState === 'complete'")));
    QVERIFY(evaluateInPage(*browser, QStringLiteral("window.marker === undefined")).toBool());
    // The isolated world of the new document is made anew.
    QCOMPARE(browser->document()->title(), QStringLiteral("Inner frame"));
}

void DevToolsBrowserTest::cookieHeaderForAddress() {
    vorlaken::test::HttpRoute route;
    route.body = "<html><body>cookies</body></html>";
    route.headers = {{"Set-Cookie", "a=b; Path=/"},
                     {"Set-Cookie", "c=d; Path=/shop"},
                     {"Set-Cookie", "h=i; Path=/; HttpOnly"}};
    server_.addRoute(QStringLiteral("/shop/cookies.html"), route);
    const BrowserPtr browser = open(QStringLiteral("/shop/cookies.html"));
    QVERIFY(browser);
    const QString header = browser->cookieHeader(server_.url(QStringLiteral("/shop/x.png")));
    // The cookie of the longer path comes first, as the browser sends it; HttpOnly cookies count.
    QStringList pairs = header.split(QStringLiteral("; "));
    QCOMPARE(pairs.first(), QStringLiteral("c=d"));
    pairs.sort();
    QCOMPARE(pairs, QStringList({"a=b", "c=d", "h=i"}));
    QCOMPARE(
        browser->cookieHeader(server_.url(QStringLiteral("/other.png"))).split(QStringLiteral("; ")).size(),
        2);
    QCOMPARE(browser->cookieHeader(server_.localhostUrl(QStringLiteral("/shop/x.png"))), QString());
}

void DevToolsBrowserTest::nonHtmlDocumentThrows() {
    const BrowserPtr browser = open(QStringLiteral("/img/red.png"));
    QVERIFY(browser);
    QVERIFY_THROWS_EXCEPTION(PageError, browser->document());
}

void DevToolsBrowserTest::openInNewWindowAddsAPage() {
    const BrowserPtr browser = open(QStringLiteral("/frame-inner.html"));
    QVERIFY(browser);
    const QString url = server_.url(QStringLiteral("/frame-late.html"));
    browser->openInNewWindow(url);
    const auto hasPage = [&] {
        for (const PageTarget& page : ListPageTargets(QUrl(chromium_->endpoint()), 3000)) {
            if (page.url == url) {
                return true;
            }
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(hasPage(), 10000);
    // The browser keeps its own page.
    QCOMPARE(browser->locationUrl(), server_.url(QStringLiteral("/frame-inner.html")));
}

void DevToolsBrowserTest::pageInFrontIsDiscovered() {
    const BrowserPtr first = open(QStringLiteral("/frame-inner.html"));
    QVERIFY(first);
    // A headless browser puts the newest window in front and gives it the focus.
    const QString secondUrl = server_.url(QStringLiteral("/frame-same.html"));
    first->openInNewWindow(secondUrl);
    DevToolsBrowserFinder finder;
    const auto secondFound = [&] {
        const BrowserPtr found = finder.discover();
        return found && found->locationUrl() == secondUrl;
    };
    QTRY_VERIFY_WITH_TIMEOUT(secondFound(), 20000);
    const BrowserPtr second = test::DiscoverWhenReady(finder);
    QVERIFY(second);
    QVERIFY(evaluate(*second, QStringLiteral("document.hasFocus()")).toBool());

    // Once it is closed, the page behind it is found again.
    const QString secondId = static_cast<DevToolsBrowser&>(*second).frame().frameId();
    static_cast<DevToolsBrowser&>(*first).frame().connection()->call(
        QStringLiteral("Target.closeTarget"), {{QStringLiteral("targetId"), secondId}});
    const auto firstFoundAgain = [&] {
        const BrowserPtr found = finder.discover();
        return found && found->locationUrl() != secondUrl;
    };
    QTRY_VERIFY_WITH_TIMEOUT(firstFoundAgain(), 20000);
}

void DevToolsBrowserTest::discoveryWithoutBrowserIsQuickAndSilent() {
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    for (const QString& endpoint : {QStringLiteral("http://127.0.0.1:%1").arg(port),
                                    QStringLiteral("http://192.0.2.1:%1").arg(chromium_->port())}) {
        qputenv("VORLAKEN_DEVTOOLS", endpoint.toLatin1());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!DevToolsBrowserFinder().discover());
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }
}

void DevToolsBrowserTest::discoveryThroughProfilePortFile() {
    // Without the variable, the port file of a profile folder leads to the browser, and the finder
    // tells which folder that was. A stale file of another browser, written earlier, is passed over.
    QTemporaryDir config;
    const auto writePort = [&config](const QString& folder, const QByteArray& text, int ageSeconds) {
        QDir(config.path()).mkpath(folder);
        QFile file(QDir(config.filePath(folder)).filePath(QStringLiteral("DevToolsActivePort")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.flush();
        file.setFileTime(QDateTime::currentDateTime().addSecs(-ageSeconds),
                         QFileDevice::FileModificationTime);
    };
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const QByteArray stalePort = QByteArray::number(closed.serverPort());
    closed.close();
    writePort(QStringLiteral("google-chrome"), stalePort + "\n/devtools/browser/old\n", 1);
    writePort(QStringLiteral("chromium"), QByteArray::number(chromium_->port()) + "\n/devtools/browser/x\n",
              60);

    qunsetenv("VORLAKEN_DEVTOOLS");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    DevToolsBrowserFinder finder;
    const BrowserPtr browser = test::DiscoverWhenReady(finder);
    if (oldConfig.isEmpty()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
    // The browser answered at the port of the older file, the only one open: its profile is the attached one.
    QVERIFY(browser);
    QCOMPARE(finder.attachedProfile(), config.filePath(QStringLiteral("chromium")));
}

void DevToolsBrowserTest::browserKilledDuringReadsThrows() {
    ChromiumProcess doomed;
    QVERIFY2(doomed.start(server_.url(QStringLiteral("/gallery.html"))), qPrintable(doomed.errorString()));
    qputenv("VORLAKEN_DEVTOOLS", doomed.endpoint().toLatin1());
    BrowserPtr browser;
    QTRY_VERIFY_WITH_TIMEOUT((browser = DevToolsBrowserFinder().discover()), 10000);

    QElapsedTimer clock;
    clock.start();
    bool thrown = false;
    bool killing = false;
    try {
        // The reads of a capture, over and over, until the browser is gone. Once a round has gone
        // through, the browser is killed while the next one waits for its answers.
        while (clock.elapsed() < 20000) {
            const DocumentPtr document = browser->document();
            document->images()->read(kSrc | kWidth | kHeight | kParentTagName | kSourceIndex);
            browser->frames();
            document->all()->read(kTagName | kHrefAttribute);
            if (!killing) {
                killing = true;
                clock.restart();
                QTimer::singleShot(0, [&doomed] { doomed.kill(); });
            }
        }
    } catch (const PageError&) {
        thrown = true;
    }
    QVERIFY(killing && thrown);
    QVERIFY(clock.elapsed() < 2 * DevToolsConnection::kBoundMs);
    // Later operations fail at once.
    clock.restart();
    QVERIFY_THROWS_EXCEPTION(BrowserGoneError, browser->locationUrl());
    QVERIFY_THROWS_EXCEPTION(BrowserGoneError, browser->postKey(13, true));
    QVERIFY(clock.elapsed() < 100);
    QVERIFY(!DevToolsBrowserFinder().discover());
}

void DevToolsBrowserTest::hungBrowserTimesOut() {
    ChromiumProcess frozen;
    QVERIFY2(frozen.start(server_.url(QStringLiteral("/frame-inner.html"))),
             qPrintable(frozen.errorString()));
    qputenv("VORLAKEN_DEVTOOLS", frozen.endpoint().toLatin1());
    BrowserPtr browser;
    QTRY_VERIFY_WITH_TIMEOUT((browser = DevToolsBrowserFinder().discover()), 10000);
    QVERIFY(browser->document());

    // A browser that stops answering costs one bound per operation, not a hang.
    QCOMPARE(::kill(-pid_t(frozen.processId()), SIGSTOP), 0);
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(TimeoutError, browser->document()->images()->read(kSrc));
    QVERIFY(clock.elapsed() >= DevToolsConnection::kBoundMs - 100);
    QVERIFY(clock.elapsed() < DevToolsConnection::kBoundMs + 1500);
    clock.restart();
    QVERIFY(!DevToolsBrowserFinder().discover());
    QVERIFY(clock.elapsed() < DevToolsConnection::kBoundMs + 1500);
    ::kill(-pid_t(frozen.processId()), SIGCONT);
}

QTEST_GUILESS_MAIN(DevToolsBrowserTest)
#include "tst_DevToolsBrowser.moc"
