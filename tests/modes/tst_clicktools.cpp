// The tools of the auto-click page, the big-picture finders and the URL page over fakes: the onclick
// scanner, the builder's sequences, "replace", the step checks, the key codes, the element-click
// routines' rules, the reference values' page, and the auto-click run's counting and ending.
#include <QElapsedTimer>
#include <QTest>

#include "RunFixture.h"
#include "modes/AutoClickRun.h"
#include "modes/AutoClickSteps.h"
#include "modes/CheckedPictures.h"
#include "modes/ElementClicks.h"
#include "modes/MultipageRun.h"
#include "modes/NavigableUrl.h"
#include "modes/OnclickUrls.h"
#include "modes/ReferenceValues.h"
#include "modes/RunSteps.h"
#include "modes/UrlPage.h"
#include "modes/UrlSerial.h"
#include "modes/VirtualKeys.h"
#include "results/PreviewFixture.h"

using namespace vorlaken;

Q_DECLARE_METATYPE(vorlaken::ClickWay)

namespace {

// A page of links and pictures for the element-click routines, each link given its text and HTML.
struct LinkPage {
    FakeBrowser browser;
    FakeDocumentPtr page = browser.showPage(QStringLiteral("http://h/page.htm"), QStringLiteral("Page"));

    FakeElementPtr link(const QString& href, const QString& text, const QString& html) {
        FakeElementPtr a = page->addLink(href);
        a->data.href = href;
        a->data.outerText = text;
        a->data.outerHtml = html;
        return a;
    }
};

// A preview whose pictures have all loaded, as the commands find it once the user sees them.
void loadPictures(PreviewFixture& preview) {
    QHash<QString, QSize> loadable;
    for (const QString& url : preview.state.table.picUrl)
        loadable.insert(url, QSize(20, 20));
    preview.zone.page->endPictureLoads(loadable);
}

}  // namespace

class ClickToolsTest : public QObject {
    Q_OBJECT
  private slots:
    void onclickUrl_data();
    void onclickUrl();
    void onclickScanTakesTheTickedPicturesEachTime();
    void onclickNeedsTickedPictures();
    void numbers_data();
    void numbers();
    void sequencesAndBuild();
    void replace_data();
    void replace();
    void displayNeedsAList();
    void runStepChecks_data();
    void runStepChecks();
    void virtualKeys();
    void navigable_data();
    void navigable();
    void textLinksMatchTrimmedAndInAnyCase();
    void viewCodeKeepsToTheIncludeAndExcludeTexts();
    void picturesAreTestedWithTheirLinksCode();
    void imageInputsOnly();
    void referenceValuesPageShowsValuesAsText();
    void fillFromTheTickedPictures();
    void stopTickedBeforeGetOnlyUnticksIt();
    void testModeClicksOnce();
    void smallPicturesAreClickedLineByLineInPageOrFrames();
    void bigToBigEndsWhenNothingCanBeClicked();
    void keyIsPressedAndReleased();
};

void ClickToolsTest::onclickUrl_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("url");  // empty: nothing found
    QTest::newRow("single-quoted http address")
        << R"x(<img src="s.jpg" onclick="window.open('http://h/b.jpg','w')">)x"
        << "http://h/b.jpg";
    QTest::newRow("bare address runs to the end") << R"x(<img onclick="show(http://h/b.jpg)" src=s.jpg>)x"
                                                  << "http://h/b.jpg)";
    QTest::newRow("https with a single quote") << R"x(<img onclick="w('https://h/b.jpg')">)x"
                                               << "https://h/b.jpg";
    QTest::newRow("ftp with a single quote") << R"x(<img onclick="w('ftp://h/b.jpg')">)x"
                                             << "ftp://h/b.jpg";
    QTest::newRow("http wins over an earlier https")
        << R"x(<img onclick="w('https://a/1.jpg');v('http://b/2.jpg')">)x"
        << "http://b/2.jpg";
    QTest::newRow("no onclick") << R"x(<img src="http://h/s.jpg">)x"
                                << "";
    QTest::newRow("no scheme") << R"x(<img onclick="next()">)x"
                               << "";
    QTest::newRow("double quote not closed") << R"x(<img onclick="w('http://h/b.jpg')>)x"
                                             << "";
    QTest::newRow("blanks inside are removed") << "<img onclick=\"w('http://h/a b\t.jpg')\">"
                                               << "http://h/ab.jpg";
    QTest::newRow("single-quoted value") << R"x(<img onclick='w("http://h/b.jpg")'>)x"
                                         << "http://h/b.jpg";
    QTest::newRow("unquoted value ends at a blank") << R"x(<img onclick=w(http://h/b.jpg) src=x>)x"
                                                    << "http://h/b.jpg)";
    QTest::newRow("blanks after the equals sign") << "<img onclick=\n  \"w('http://h/b.jpg')\">"
                                                  << "http://h/b.jpg";
    QTest::newRow("letter case of the attribute and scheme") << R"x(<IMG ONCLICK="W('HTTP://H/B.JPG')">)x"
                                                             << "HTTP://H/B.JPG";
    // Browsers write the value anew, its quotes as references.
    QTest::newRow("double quotes as references")
        << R"x(<img onclick="show(&quot;http://h/b.jpg?a=1&amp;b=2&quot;)">)x"
        << "http://h/b.jpg?a=1&b=2";
    QTest::newRow("empty after the quote") << R"x(<img onclick=")x"
                                           << "";
}

void ClickToolsTest::onclickUrl() {
    QFETCH(QString, html);
    QFETCH(QString, url);
    const std::optional<QString> found = OnclickUrls::urlOf(html);
    QCOMPARE(found.value_or(QString()), url);
    QCOMPARE(found.has_value(), !url.isEmpty());
}

void ClickToolsTest::onclickScanTakesTheTickedPicturesEachTime() {
    // Two ticked pictures that the page shows three times each, one of them in a frame: six lines.
    PreviewFixture preview(3);
    loadPictures(preview);
    preview.tickOnly({1, 3});
    FakeBrowser page;
    page.showPage(QStringLiteral("http://h/page.htm"), QStringLiteral("Page"));
    auto addPicture = [](FakeDocument& document, int n, const QString& big) {
        FakeElementPtr img = document.addImage(QStringLiteral("HTTP://h/%1.jpg").arg(n), 10, 10);
        img->data.outerHtml = QStringLiteral("<img onclick=\"w('%1')\">").arg(big);
    };
    for (int i = 0; i < 2; ++i) {
        addPicture(*page.page, 1, QStringLiteral("http://h/big1.jpg"));
        addPicture(*page.page, 2, QStringLiteral("http://h/big2.jpg"));
        addPicture(*page.page, 3, QStringLiteral("http://h/big3.jpg"));
    }
    std::shared_ptr<FakeBrowser> frame = page.addFrame(QStringLiteral("http://h/f.htm"), QString());
    addPicture(*frame->page, 3, QStringLiteral("http://h/big3.jpg"));
    addPicture(*frame->page, 1, QStringLiteral("http://h/big1.jpg"));
    const std::optional<QStringList> lines = OnclickUrls::Extract(preview.zone, &page, preview.desktop);
    QVERIFY(lines);
    QCOMPARE(*lines, (QStringList{"http://h/big1.jpg", "http://h/big3.jpg", "http://h/big1.jpg",
                                  "http://h/big3.jpg", "http://h/big3.jpg", "http://h/big1.jpg"}));
    // A frame that cannot be read keeps what the page gave.
    frame->page->failing.insert(QStringLiteral("images.read"));
    QCOMPARE(OnclickUrls::Extract(preview.zone, &page, preview.desktop)->size(), 4);
    QVERIFY(preview.desktop.messages.isEmpty());
}

void ClickToolsTest::onclickNeedsTickedPictures() {
    PreviewFixture empty(0);
    FakeBrowser page;
    QVERIFY(!OnclickUrls::Extract(empty.zone, &page, empty.desktop));
    QCOMPARE(empty.desktop.messages, QStringList{OnclickUrls::kNoPicturesMessage});
    PreviewFixture preview(2);
    preview.tickOnly({});
    QVERIFY(!OnclickUrls::Extract(preview.zone, &page, preview.desktop));
    QCOMPARE(preview.desktop.messages, QStringList{OnclickUrls::kNoneCheckedMessage});
}

void ClickToolsTest::numbers_data() {
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("zeros");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("1 to 10 with zeros")
        << 1 << 10 << true << QStringList{"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"};
    QTest::newRow("10 down to 8") << 10 << 8 << false << QStringList{"10", "9", "8"};
    QTest::newRow("10 down to 8 with zeros") << 10 << 8 << true << QStringList{"10", "09", "08"};
    QTest::newRow("5 to 5") << 5 << 5 << true << QStringList{"5"};
    QTest::newRow("below zero, the sign counts")
        << -12 << -9 << true << QStringList{"-12", "-11", "-10", "-9"};
    QTest::newRow("the zeros go before the sign") << -5 << -3 << false << QStringList{"-5", "-4", "-3"};
    QTest::newRow("whole int range refused") << INT_MIN << INT_MAX << false << QStringList();
}

void ClickToolsTest::numbers() {
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, zeros);
    QFETCH(QStringList, lines);
    QCOMPARE(UrlSerial::numbers(from, to, zeros), lines);
}

void ClickToolsTest::sequencesAndBuild() {
    QCOMPARE(UrlSerial::characters('a', 'z').size(), 26);
    QCOMPARE(UrlSerial::characters('A', 'Z').first(), QStringLiteral("A"));
    QCOMPARE(UrlSerial::characters('0', '9'),
             (QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
    QCOMPARE(UrlSerial::build({"1", "2"}, "http://h/p", ".jpg"),
             (QStringList{"http://h/p1.jpg", "http://h/p2.jpg"}));
    QCOMPARE(UrlSerial::numbers(0, int(UrlSerial::kMaxNumbers) - 1, false).size(), UrlSerial::kMaxNumbers);
    // A wider bound pads a negative number in front of its sign.
    const QStringList wide = UrlSerial::numbers(-1, 100, true);
    QCOMPARE(wide.size(), 102);
    QCOMPARE(wide.mid(0, 3), (QStringList{"0-1", "000", "001"}));
    QCOMPARE(wide.last(), QStringLiteral("100"));
}

void ClickToolsTest::replace_data() {
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("urls");
    QTest::addColumn<QString>("replaced");
    QTest::newRow("defaults") << "/thumb/"
                              << "/"
                              << "http://h/thumb/1.jpg\nhttp://h/x/2.jpg\nhttp://h/THUMB/3.jpg"
                              << "http://h/1.jpg\nhttp://h/x/2.jpg\nhttp://h/THUMB/3.jpg";
    QTest::newRow("every occurrence, left to right") << "aa"
                                                     << "b"
                                                     << "aaaaa"
                                                     << "bba";
    QTest::newRow("inserted text not rescanned") << "a"
                                                 << "aa"
                                                 << "a/a"
                                                 << "aa/aa";
    QTest::newRow("empty replacement deletes") << "_s"
                                               << ""
                                               << "1_s.jpg\n2_s_s.jpg"
                                               << "1.jpg\n2.jpg";
}

void ClickToolsTest::replace() {
    QFETCH(QString, find);
    QFETCH(QString, with);
    QFETCH(QString, urls);
    QFETCH(QString, replaced);
    UrlPageState page;
    page.find = find;
    page.replacement = with;
    page.urls = urls;
    FakeDesktop desktop;
    UrlPage::Replace(page, desktop);
    QCOMPARE(page.urls, replaced);
    QVERIFY(desktop.messages.isEmpty());
    page.find.clear();
    UrlPage::Replace(page, desktop);
    QCOMPARE(page.urls, replaced);
    QCOMPARE(desktop.messages, QStringList{UrlPage::kEmptyPhraseMessage});
}

void ClickToolsTest::displayNeedsAList() {
    FakeDesktop desktop;
    auto page = std::make_shared<FakeBrowser>();
    page->showPage(QStringLiteral("http://h/"), QString());
    UrlPageState state;
    UrlPage::Display(state, page, false, desktop);
    QCOMPARE(desktop.messages, QStringList{UrlPage::kNoUrlsMessage});
    state.urls = QStringLiteral("http://h/b\"1.jpg");
    UrlPage::Display(state, page, true, desktop);
    QCOMPARE(desktop.messages.size(), 1);
    QVERIFY(page->page->bodyElement()->innerHtml().contains(QStringLiteral("src=\"http://h/b&quot;1.jpg\"")));
}

void ClickToolsTest::runStepChecks_data() {
    QTest::addColumn<ClickWay>("way");
    QTest::addColumn<QString>("value");  // the way's detail: small pictures, fixed link or key code
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");
    QTest::newRow("big to big") << ClickWay::BigToBig << ""
                                << ""
                                << "";
    QTest::newRow("popup") << ClickWay::Popup << "" << AutoClickSteps::kPopupMessage << "";
    QTest::newRow("small pictures, none") << ClickWay::SmallToBig << " \n\n  \n"
                                          << AutoClickSteps::kNoSmallPicturesMessage << "spicMemo";
    QTest::newRow("small pictures") << ClickWay::SmallToBig
                                    << " http://h/1.jpg \n\nhttp://h/2.jpg\n \nhttp://h/3.jpg"
                                    << ""
                                    << "";
    QTest::newRow("fixed link, empty")
        << ClickWay::FixedLink << "" << AutoClickSteps::kNoFixedLinkMessage << "linkEdit";
    QTest::newRow("fixed link") << ClickWay::FixedLink << "Next"
                                << ""
                                << "";
    QTest::newRow("key 0") << ClickWay::Keyboard << "0" << AutoClickSteps::kNoKeyMessage << "charedit2";
    QTest::newRow("key 256") << ClickWay::Keyboard << "256" << AutoClickSteps::kNoKeyMessage << "charedit2";
    QTest::newRow("key no number") << ClickWay::Keyboard << "right" << AutoClickSteps::kNoKeyMessage
                                   << "charedit2";
    QTest::newRow("key 39") << ClickWay::Keyboard << "39"
                            << ""
                            << "";
    QTest::newRow("key 255") << ClickWay::Keyboard << "255"
                             << ""
                             << "";
}

void ClickToolsTest::runStepChecks() {
    QFETCH(ClickWay, way);
    QFETCH(QString, value);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    AutoClickState page;
    page.way = way;
    page.smallPictures = way == ClickWay::SmallToBig ? value : QString();
    page.linkText = way == ClickWay::FixedLink ? value : QString();
    page.keyCode = way == ClickWay::Keyboard ? value : QStringLiteral("39");
    page.clickTimes = 7;
    FakeDesktop desktop;
    AutoClickSteps::ShowRun(page, desktop);
    QCOMPARE(desktop.messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(page.focus, focus);
    QCOMPARE(page.step, message.isEmpty() ? 1 : 0);
    if (way == ClickWay::SmallToBig && message.isEmpty()) {
        // The list trimmed and without empty lines; one click per line, locked.
        QCOMPARE(page.smallPictures, QStringLiteral("http://h/1.jpg\nhttp://h/2.jpg\nhttp://h/3.jpg"));
        QCOMPARE(page.clickTimes, 3);
        QVERIFY(!page.clickTimesEnabled);
    } else if (message.isEmpty()) {
        QCOMPARE(page.clickTimes, 7);
        QVERIFY(page.clickTimesEnabled);
    }
    AutoClickSteps::ShowWays(page);
    QCOMPARE(page.step, 0);
}

void ClickToolsTest::virtualKeys() {
    QCOMPARE(VirtualKeyOf(Qt::Key_Right, QString()), 39);
    QCOMPARE(VirtualKeyOf(Qt::Key_C, QStringLiteral("c")), 67);
    QCOMPARE(VirtualKeyOf(Qt::Key_C, QStringLiteral("C")), 67);
    QCOMPARE(VirtualKeyOf(Qt::Key_5, QStringLiteral("5")), 53);
    QCOMPARE(VirtualKeyOf(Qt::Key_Space, QStringLiteral(" ")), 32);
    QCOMPARE(VirtualKeyOf(Qt::Key_PageDown, QString()), 34);
    QCOMPARE(VirtualKeyOf(Qt::Key_F5, QString()), 116);
    QCOMPARE(VirtualKeyOf(Qt::Key_Comma, QStringLiteral(",")), 188);
    QCOMPARE(VirtualKeyOf(Qt::Key_MediaPlay, QString()), 0);
}

void ClickToolsTest::navigable_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("navigable");
    QTest::newRow("http") << "http://h/p.htm" << true;
    QTest::newRow("https in capitals") << " HTTPS://h/p.htm" << true;
    QTest::newRow("file") << "file:///home/u/p.htm" << true;
    QTest::newRow("javascript") << "javascript:alert(1)" << false;
    QTest::newRow("data") << "data:text/html,<script>x()</script>" << false;
    QTest::newRow("browser page") << "chrome://settings" << false;
    QTest::newRow("no scheme") << "/p.htm" << false;
    QTest::newRow("malformed web address goes to the browser") << "http://[::1" << true;
}

void ClickToolsTest::navigable() {
    QFETCH(QString, url);
    QFETCH(bool, navigable);
    QCOMPARE(IsNavigable(url), navigable);
}

void ClickToolsTest::textLinksMatchTrimmedAndInAnyCase() {
    LinkPage p;
    FakeElementPtr other = p.link("http://h/1", "Previous", "<a>Previous</a>");
    FakeElementPtr next = p.link("http://h/2", "  NEXT \n", "<a>NEXT</a>");
    FakeElementPtr second = p.link("http://h/3", "next", "<a>next</a>");
    QVERIFY(ClickLinkByText(p.browser, QStringLiteral("Next"), {}));
    QCOMPARE(next->clicks, 1);
    QCOMPARE(other->clicks + second->clicks, 0);
    QVERIFY(!ClickLinkByText(p.browser, QStringLiteral("Nex"), {}));
    // Addresses are compared the same way.
    QVERIFY(ClickLinkByAddress(p.browser, QStringLiteral("HTTP://H/3"), {}));
    QCOMPARE(second->clicks, 1);
    // A click that fails still counts as made; a page that cannot be read clicks nothing.
    next->failing.insert(QStringLiteral("click"));
    QVERIFY(ClickLinkByText(p.browser, QStringLiteral("next"), {}));
    p.page->failing.insert(QStringLiteral("links"));
    QVERIFY(!ClickLinkByText(p.browser, QStringLiteral("next"), {}));
}

void ClickToolsTest::viewCodeKeepsToTheIncludeAndExcludeTexts() {
    LinkPage p;
    FakeElementPtr advert = p.link("http://h/ad", "Next", "<a class=\"advert\">Next</a>");
    FakeElementPtr real = p.link("http://h/2", "Next", "<a class=\"real\">Next</a>");
    QVERIFY(ClickLinkByText(p.browser, QStringLiteral("next"), {true, QStringLiteral("real"), QString()}));
    QCOMPARE(real->clicks, 1);
    QVERIFY(ClickLinkByText(p.browser, QStringLiteral("next"), {true, QString(), QStringLiteral("advert")}));
    QCOMPARE(real->clicks, 2);
    // The tests are case-sensitive, and only with "view code".
    QVERIFY(!ClickLinkByText(p.browser, QStringLiteral("next"), {true, QStringLiteral("REAL"), QString()}));
    QVERIFY(ClickLinkByText(p.browser, QStringLiteral("next"), {false, QStringLiteral("REAL"), QString()}));
    QCOMPARE(advert->clicks, 1);
}

void ClickToolsTest::picturesAreTestedWithTheirLinksCode() {
    LinkPage p;
    FakeElementPtr a =
        p.link("http://h/2", QString(), "<a href=\"/2\" class=\"next\"><img src=\"n.png\"></a>");
    FakeElementPtr linked = p.page->addImage(QStringLiteral("http://h/n.png"), 10, 10, a);
    linked->data.outerHtml = QStringLiteral("<img src=\"n.png\">");
    FakeElementPtr loose = p.page->addImage(QStringLiteral("http://h/m.png"), 10, 10);
    loose->data.outerHtml = QStringLiteral("<img class=\"next\" src=\"m.png\">");
    const LinkCodeFilter nextCode{true, QStringLiteral("class=\"next\""), QString()};
    QVERIFY(ClickPictureBySource(p.browser, QStringLiteral("http://h/N.png"), nextCode));
    QCOMPARE(linked->clicks, 1);
    QVERIFY(ClickPictureBySource(p.browser, QStringLiteral("http://h/m.png"), nextCode));
    QCOMPARE(loose->clicks, 1);
    QVERIFY(!ClickPictureBySource(p.browser, QStringLiteral("http://h/n.png"),
                                  {true, QString(), QStringLiteral("href")}));
    // The links' code comes with the pictures, not one call per picture.
    QCOMPARE(p.browser.calls()->count(QStringLiteral("Element.outerHtml")), 0);
    QCOMPARE(p.browser.calls()->count(QStringLiteral("Element.parentElement")), 0);
}

void ClickToolsTest::imageInputsOnly() {
    LinkPage p;
    FakeElementPtr form = p.page->add(QStringLiteral("FORM"));
    FakeElementPtr text = p.page->add(QStringLiteral("INPUT"), form);
    text->data.type = QStringLiteral("text");
    text->data.src = QStringLiteral("http://h/go.png");
    FakeElementPtr image = p.page->add(QStringLiteral("INPUT"), form);
    image->data.type = QStringLiteral("image");
    image->data.src = QStringLiteral("http://h/go.png");
    FakeElementPtr picture = p.page->addImage(QStringLiteral("http://h/go.png"), 5, 5);
    QVERIFY(ClickImageInputBySource(p.browser, QStringLiteral("http://h/go.png"), {}));
    QCOMPARE(image->clicks, 1);
    QCOMPARE(text->clicks + picture->clicks, 0);
}

void ClickToolsTest::referenceValuesPageShowsValuesAsText() {
    LinkPage p;
    p.link("javascript:go('<b>')", "a", "<a href=\"javascript:go('<b>')\">\r\na</a>");
    p.link("JavaScript:more()", "b", "<a>b</a>");
    p.link("http://h/x", "c", "<a>c</a>");
    const ReferenceValues found = ReferenceValues::Collect(p.browser, FixedLinkKind::Script, {});
    QCOMPARE(found.values, (QStringList{"javascript:go('<b>')", "JavaScript:more()"}));
    QCOMPARE(found.codes.first(), QStringLiteral("<a href=\"javascript:go('<b>')\">a</a>"));
    const QString html = found.panelHtml(FixedLinkKind::Script, true);
    QVERIFY(
        html.startsWith(QStringLiteral("<html>\r\n<body>\r\njavascript:go(&#39;&lt;b&gt;&#39;)<br>\r\n")));
    QVERIFY(!html.contains(QStringLiteral("<b>")));
    QVERIFY(html.contains(QStringLiteral("<textarea rows=2 style=\"width:'100%'\">&lt;a href=")));
    // Picture kinds show the picture, its address in quotes.
    ReferenceValues pictures;
    pictures.values = QStringList{QStringLiteral("http://h/a\" onerror=\"x()")};
    pictures.codes = QStringList{QString()};
    const QString shown = pictures.panelHtml(FixedLinkKind::Image, false);
    QVERIFY(shown.contains(QStringLiteral("<img src=\"http://h/a&quot; onerror=&quot;x()\"><br>")));
    QVERIFY(!shown.contains(QStringLiteral("textarea")));
}

void ClickToolsTest::fillFromTheTickedPictures() {
    PreviewFixture preview(3);
    // Picture 2 is ticked but did not load: it shows no width.
    preview.zone.page->endPictureLoads({{QStringLiteral("http://h/1.jpg"), QSize(20, 20)},
                                        {QStringLiteral("http://h/3.jpg"), QSize(20, 20)}});
    preview.tickOnly({1, 2, 3});
    QCOMPARE(CheckedPictures::Fill(preview.zone, preview.desktop),
             std::optional<QString>(QStringLiteral("http://h/1.jpg\nhttp://h/3.jpg")));
    preview.tickOnly({});
    QCOMPARE(CheckedPictures::Fill(preview.zone, preview.desktop), std::optional<QString>(QString()));
    QCOMPARE(preview.desktop.messages, QStringList{CheckedPictures::kNothingMessage});
    PreviewFixture empty(0);
    QVERIFY(!CheckedPictures::Fill(empty.zone, empty.desktop));
    QCOMPARE(empty.desktop.messages, QStringList{CheckedPictures::kNothingMessage});
}

void ClickToolsTest::stopTickedBeforeGetOnlyUnticksIt() {
    RunFixture f;
    f.stop.setTicked(true);
    AutoClickRun(f.services).Run(f.capture, f.modes, f.stop);
    QVERIFY(!f.stop.isTicked());
    QVERIFY(f.browser->navigated.isEmpty());
    QCOMPARE(f.modes.autoClick.clickLabel, QStringLiteral("Click:0/0"));
    QVERIFY(f.shown.isEmpty());
}

void ClickToolsTest::testModeClicksOnce() {
    RunFixture f;
    f.modes.autoClick.way = ClickWay::FixedLink;
    f.modes.autoClick.linkText = QStringLiteral("next");
    f.modes.autoClick.clickTimes = 5;
    f.modes.autoClick.testMode = true;
    f.site.insert(QStringLiteral("http://site/2.htm"),
                  RunFixture::page("2", "<img src='/two.jpg' width=9 height=9>"));
    const auto addNext = [](FakeBrowser& b, const QString&) {
        FakeElementPtr a = b.page->addLink(QStringLiteral("http://site/2.htm"));
        a->data.outerText = QStringLiteral("Next");
        a->onClick = [&b](FakeElement&) { b.navigate(QStringLiteral("http://site/2.htm")); };
    };
    addNext(*f.browser, QString());
    f.onShown = addNext;
    f.modes.autoClick.navigateBack = true;
    AutoClickRun(f.services).Run(f.capture, f.modes, f.stop);
    QCOMPARE(f.modes.autoClick.clickLabel, QStringLiteral("Click:1/1"));
    QCOMPARE(f.pictures(), QStringList{"/two.jpg"});
    QCOMPARE(f.modes.autoClick.countLabel, QStringLiteral("Get pictures:1"));
    // Back to the start page, which the browser shows only a moment later.
    QCOMPARE(f.browser->navigated, (QStringList{"http://site/2.htm", RunFixture::kStart}));
    QCOMPARE(f.desktop.messages, QStringList{RunSteps::kNotBackMessage});
    QVERIFY(!f.modes.autoClick.running);
    QVERIFY(f.modes.autoClick.saveEnabled);
    QVERIFY(f.modes.buttonBarVisible);
    QVERIFY(!f.capture.merge);
    // While it ran: running, the button bar hidden, "merge" ticked.
    QVERIFY(f.shown.contains(std::make_tuple(true, false, true)));
}

void ClickToolsTest::smallPicturesAreClickedLineByLineInPageOrFrames() {
    RunFixture f;
    f.modes.autoClick.way = ClickWay::SmallToBig;
    f.modes.autoClick.smallPictures =
        QStringLiteral("http://site/t1.jpg\nhttp://site/t2.jpg\nhttp://site/t3.jpg");
    f.modes.autoClick.clickTimes = 4;  // one more than the list: the last click is left out
    f.modes.autoClick.clickInterval = 1;
    FakeDocument& page = *f.browser->page;
    FakeElementPtr t1 = page.addImage(QStringLiteral("http://site/t1.jpg"), 5, 5);
    FakeElementPtr t3 = page.addImage(QStringLiteral("http://site/t3.jpg"), 5, 5);
    std::shared_ptr<FakeBrowser> frame = f.browser->addFrame(QStringLiteral("http://site/f.htm"), QString());
    FakeElementPtr t2 = frame->page->addImage(QStringLiteral("http://site/T2.jpg"), 5, 5);
    QStringList order;
    for (const auto& [picture, name] : {std::pair{t1, "t1"}, std::pair{t2, "t2"}, std::pair{t3, "t3"}})
        picture->onClick = [&order, name = QString::fromLatin1(name)](FakeElement&) { order << name; };
    AutoClickRun(f.services).Run(f.capture, f.modes, f.stop);
    QCOMPARE(order, (QStringList{"t1", "t2", "t3"}));
    QCOMPARE(f.modes.autoClick.clickLabel, QStringLiteral("Click:4/4"));
}

void ClickToolsTest::bigToBigEndsWhenNothingCanBeClicked() {
    RunFixture f;
    f.browser->showHtml(RunFixture::kStart, RunFixture::page("start", QString()));
    f.modes.autoClick.clickTimes = 3;
    AutoClickRun(f.services).Run(f.capture, f.modes, f.stop);
    QCOMPARE(f.modes.autoClick.clickLabel, QStringLiteral("Click:1/3"));
    QCOMPARE(f.modes.autoClick.countLabel, QStringLiteral("Get Pictures:0"));
    QVERIFY(!f.modes.autoClick.running);
    QVERIFY(!f.capture.probe.probe);
}

void ClickToolsTest::keyIsPressedAndReleased() {
    FakeBrowser browser;
    QElapsedTimer held;
    held.start();
    AutoClickRun::SendNavigateKey(browser, 39 + 0x10000);
    QVERIFY(held.elapsed() >= 50);
    QCOMPARE(browser.keys, (std::vector<std::pair<int, bool>>{{39, true}, {39, false}}));
}

QTEST_GUILESS_MAIN(ClickToolsTest)
#include "tst_clicktools.moc"
