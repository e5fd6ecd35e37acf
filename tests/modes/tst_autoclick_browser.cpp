// The auto-click ways and the big-picture finders against a real browser, over every way the program
// reaches one (one data row per back-end), on the pages of ClickSite: a gallery whose big picture
// leads on, thumbnails that show big pictures, "next" links of the four kinds with and without the code
// test, the navigation key (Firefox too, with the limit of its synthetic key events), the reference
// values of each kind, and the onclick addresses as browsers write them.
#include <QSet>
#include <QTest>

#include "RunBackEnds.h"
#include "capture/CaptureState.h"
#include "modes/AutoClickRun.h"
#include "modes/ModesState.h"
#include "modes/OnclickUrls.h"
#include "modes/ReferenceValues.h"
#include "modes/RunServices.h"
#include "support/ChromiumProcess.h"
#include "support/ClickSite.h"
#include "support/FakeDesktop.h"
#include "support/LoopbackHttpServer.h"

using namespace vorlaken;
using namespace vorlaken::test;

Q_DECLARE_METATYPE(vorlaken::FixedLinkKind)

namespace {

// One second of the pages' time controls, shortened: the click interval of 5 lasts 1.5 s.
constexpr int kSecondMs = 300;

// An auto-click run on the state the window would own, over a back-end's browser.
struct ClickRun {
    CaptureState capture;
    ModesState modes;
    StopSwitch stop;
    FakeDesktop desktop;
    RunServices services;

    explicit ClickRun(RunBackEnd& backEnd) {
        for (FilterSet* filters : {&capture.mainFilters, &capture.enhancedFilters}) {
            filters->widthLimit = 0;
            filters->heightLimit = 0;
        }
        services.finder = &backEnd.finder();
        services.desktop = &desktop;
        services.clearResult = [this] { capture.table.clear(); };
        services.refresh = [] {};
        services.secondMs = kSecondMs;
        modes.autoClick.clickInterval = 5;
    }

    QStringList pictures() const {
        QStringList paths;
        for (const QString& url : capture.table.picUrl)
            paths << QUrl(url).path();
        return paths;
    }
    void run() { AutoClickRun(services).Run(capture, modes, stop); }
};

}  // namespace

class AutoClickBrowserTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void bigToBigClicksTheLinkedPictureFirst_data() { RunBackEnds::addRows(); }
    void bigToBigClicksTheLinkedPictureFirst();
    void smallToBigClicksEachThumbnail_data() { RunBackEnds::addRows(); }
    void smallToBigClicksEachThumbnail();
    void fixedLinksOfEveryKind_data();
    void fixedLinksOfEveryKind();
    void navigationKey_data();
    void navigationKey();
    void referenceValuesOfEveryKind_data();
    void referenceValuesOfEveryKind();
    void onclickAddressesAsTheBrowserWritesThem_data() { RunBackEnds::addRows(true); }
    void onclickAddressesAsTheBrowserWritesThem();

  private:
    // The current row's back-end showing the page at path; null (test failed) otherwise.
    RunBackEnd* onPage(const QString& path);

    LoopbackHttpServer server_;
};

void AutoClickBrowserTest::initTestCase() {
    VORLAKEN_REQUIRE_CHROMIUM();
    QVERIFY(server_.listen());
    ClickSite::serve(server_);
}

void AutoClickBrowserTest::cleanupTestCase() {
    RunBackEnds::stopAll();
}

RunBackEnd* AutoClickBrowserTest::onPage(const QString& path) {
    RunBackEnd* backEnd = RunBackEnds::current();
    if (!backEnd)
        return nullptr;
    if (!backEnd->open(server_.url(path))) {
        QTest::qFail(qPrintable(QStringLiteral("The browser did not show %1.").arg(path)), __FILE__,
                     __LINE__);
        return nullptr;
    }
    server_.clearRequests();
    return backEnd;
}

void AutoClickBrowserTest::bigToBigClicksTheLinkedPictureFirst() {
    RunBackEnd* backEnd = onPage(QStringLiteral("/gallery/1.html"));
    if (!backEnd)
        return;
    ClickRun run(*backEnd);
    run.modes.autoClick.clickTimes = 3;
    run.run();
    // Each page's pictures once, in the order the captures met them; the wider picture outside the
    // link was never clicked until the last page, which has no link.
    QCOMPARE(run.pictures(), (QStringList{"/pic/wide1.png", "/pic/big1.png", "/pic/wide2.png",
                                          "/pic/big2.png", "/pic/wide3.png", "/pic/big3.png"}));
    QVERIFY(server_.requestsFor(QStringLiteral("/to/advert.html")).isEmpty());
    QCOMPARE(run.modes.autoClick.clickLabel, QStringLiteral("Click:3/3"));
    QCOMPARE(run.modes.autoClick.countLabel, QStringLiteral("Get pictures:6"));
    BrowserPtr page = backEnd->finder().discover();
    QVERIFY(page);
    QTRY_COMPARE_WITH_TIMEOUT(page->document()->title(), QStringLiteral("wide clicked"), 10000);
    QVERIFY(!run.capture.probe.probe);
    QVERIFY(run.desktop.messages.isEmpty());
}

void AutoClickBrowserTest::smallToBigClicksEachThumbnail() {
    RunBackEnd* backEnd = onPage(QStringLiteral("/thumbs.html"));
    if (!backEnd)
        return;
    ClickRun run(*backEnd);
    run.modes.autoClick.way = ClickWay::SmallToBig;
    // Sources are compared without regard to case.
    run.modes.autoClick.smallPictures =
        QStringLiteral("%1\n%2\n%3")
            .arg(server_.url("/pic/t1.png"), server_.url("/pic/t2.png").toUpper(),
                 server_.url("/pic/t3.png"));
    run.modes.autoClick.clickTimes = 3;
    run.modes.autoClick.clickInterval = 3;
    run.run();
    QCOMPARE(run.pictures(), (QStringList{"/pic/t1.png", "/pic/t2.png", "/pic/t3.png", "/pic/b1.png",
                                          "/pic/b2.png", "/pic/b3.png"}));
    QCOMPARE(run.modes.autoClick.clickLabel, QStringLiteral("Click:3/3"));
}

void AutoClickBrowserTest::fixedLinksOfEveryKind_data() {
    QTest::addColumn<QString>("backEnd");
    QTest::addColumn<FixedLinkKind>("kind");
    QTest::addColumn<QString>("target");  // {} stands for the server's address
    QTest::addColumn<QString>("include");
    QTest::addColumn<QString>("shown");  // the page the click led to, by its picture
    struct Case {
        const char* name;
        FixedLinkKind kind;
        const char* target;
        const char* include;
        const char* shown;
    };
    const Case cases[] = {
        {"text, the first link of that text", FixedLinkKind::Text, "next", "", "advert"},
        {"text with its code", FixedLinkKind::Text, "Next", "class=\"real\"", "text"},
        {"image", FixedLinkKind::Image, "{}pic/next.png", "", "image"},
        {"script", FixedLinkKind::Script, "JavaScript:goOn()", "", "script"},
        {"image input", FixedLinkKind::ImageInput, "{}pic/go.png", "", "input"},
    };
    for (const QString& backEnd : {QStringLiteral("devtools"), QStringLiteral("companion")})
        for (const Case& c : cases)
            QTest::addRow("%s: %s", qPrintable(backEnd), c.name)
                << backEnd << c.kind << QString::fromLatin1(c.target).replace("{}", server_.url())
                << QString::fromLatin1(c.include) << QString::fromLatin1(c.shown);
}

void AutoClickBrowserTest::fixedLinksOfEveryKind() {
    QFETCH(FixedLinkKind, kind);
    QFETCH(QString, target);
    QFETCH(QString, include);
    QFETCH(QString, shown);
    RunBackEnd* backEnd = onPage(QStringLiteral("/next.html"));
    if (!backEnd)
        return;
    ClickRun run(*backEnd);
    run.modes.autoClick.way = ClickWay::FixedLink;
    run.modes.autoClick.linkKind = kind;
    run.modes.autoClick.linkText = target;
    run.modes.autoClick.testMode = true;
    run.modes.autoClick.clickTimes = 9;
    run.modes.linkCode = {!include.isEmpty(), include, QString()};
    run.run();
    QCOMPARE(run.pictures(), QStringList{QStringLiteral("/pic/%1.png").arg(shown)});
    QCOMPARE(server_.requestsFor(QStringLiteral("/to/%1.html").arg(shown)).size(), 1);
    QCOMPARE(run.modes.autoClick.clickLabel, QStringLiteral("Click:1/1"));
}

void AutoClickBrowserTest::navigationKey_data() {
    QTest::addColumn<QString>("backEnd");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("picture");  // what the page shows after the key
    // Chromium delivers the key as its own input, both over DevTools and through the companion's
    // debugger; Firefox's companion dispatches a synthetic event, which a page that asks for the
    // browser's own input does not take.
    const struct {
        const char* backEnd;
        const char* path;
        const char* picture;
    } rows[] = {
        {"devtools", "/keys.html", "k2"},  {"devtools", "/trusted-keys.html", "k2"},
        {"companion", "/keys.html", "k2"}, {"companion", "/trusted-keys.html", "k2"},
        {"firefox", "/keys.html", "k2"},   {"firefox", "/trusted-keys.html", "k1"},
    };
    for (const auto& row : rows)
        QTest::addRow("%s %s", row.backEnd, row.path)
            << QString::fromLatin1(row.backEnd) << QString::fromLatin1(row.path)
            << QString::fromLatin1(row.picture);
}

void AutoClickBrowserTest::navigationKey() {
    QFETCH(QString, path);
    QFETCH(QString, picture);
    RunBackEnd* backEnd = onPage(path);
    if (!backEnd)
        return;
    ClickRun run(*backEnd);
    run.modes.autoClick.way = ClickWay::Keyboard;
    run.modes.autoClick.keyCode = QStringLiteral("39");
    run.modes.autoClick.testMode = true;
    run.run();
    QCOMPARE(run.pictures(), QStringList{QStringLiteral("/pic/%1.png").arg(picture)});
}

void AutoClickBrowserTest::referenceValuesOfEveryKind_data() {
    QTest::addColumn<QString>("backEnd");
    QTest::addColumn<FixedLinkKind>("kind");
    QTest::addColumn<QString>("include");
    QTest::addColumn<QStringList>("values");  // trimmed; {} stands for the server's address
    QTest::addColumn<QString>("code");        // a part of the first value's code
    const struct {
        const char* name;
        FixedLinkKind kind;
        const char* include;
        QStringList values;
        const char* code;
    } cases[] = {
        {"text", FixedLinkKind::Text, "", {"Next", "NEXT", "further"}, "class=\"advert\""},
        {"text with its code", FixedLinkKind::Text, "real", {"NEXT"}, "href=\"/to/text.html\""},
        {"image", FixedLinkKind::Image, "", {"{}pic/next.png"}, "<a href=\"/to/image.html\">"},
        {"script", FixedLinkKind::Script, "", {"javascript:goOn()"}, ">further</a>"},
        {"image input", FixedLinkKind::ImageInput, "", {"{}pic/go.png"}, "type=\"image\""},
    };
    for (const QString& backEnd : {QStringLiteral("devtools"), QStringLiteral("companion")})
        for (const auto& c : cases) {
            QStringList values = c.values;
            values.replaceInStrings(QStringLiteral("{}"), server_.url());
            QTest::addRow("%s: %s", qPrintable(backEnd), c.name)
                << backEnd << c.kind << QString::fromLatin1(c.include) << values
                << QString::fromLatin1(c.code);
        }
}

void AutoClickBrowserTest::referenceValuesOfEveryKind() {
    QFETCH(FixedLinkKind, kind);
    QFETCH(QString, include);
    QFETCH(QStringList, values);
    QFETCH(QString, code);
    RunBackEnd* backEnd = onPage(QStringLiteral("/next.html"));
    if (!backEnd)
        return;
    BrowserPtr page = backEnd->finder().discover();
    QVERIFY(page);
    // With "view code" the codes are read as the list shows them.
    const ReferenceValues found = ReferenceValues::Collect(*page, kind, {true, include, QString()});
    QStringList trimmed;
    for (const QString& value : found.values)
        trimmed << value.trimmed();
    QCOMPARE(trimmed, values);
    QCOMPARE(found.codes.size(), found.values.size());
    QVERIFY2(found.codes.first().contains(code), qPrintable(found.codes.first()));
    for (const QString& each : found.codes)
        QVERIFY(!each.contains(u'\n') && !each.contains(u'\r'));
}

void AutoClickBrowserTest::onclickAddressesAsTheBrowserWritesThem() {
    RunBackEnd* backEnd = onPage(QStringLiteral("/popup.html"));
    if (!backEnd)
        return;
    BrowserPtr page = backEnd->finder().discover();
    QVERIFY(page);
    QSet<QString> wanted;
    for (int n = 1; n <= 3; ++n)
        wanted.insert(server_.url(QStringLiteral("/pic/p%1.png").arg(n)).toCaseFolded());
    QCOMPARE(OnclickUrls::fromPages(*page, wanted),
             (QStringList{ClickSite::popupBigUrl(server_, 1), ClickSite::popupBigUrl(server_, 2)}));
    // Only the ticked pictures count.
    wanted.remove(server_.url(QStringLiteral("/pic/p1.png")).toCaseFolded());
    QCOMPARE(OnclickUrls::fromPages(*page, wanted), QStringList{ClickSite::popupBigUrl(server_, 2)});
}

QTEST_MAIN(AutoClickBrowserTest)
#include "tst_autoclick_browser.moc"
