// The tools that fill and show the URL list: lines of a memo and its menu, what a drop delivers, the
// links kept from it, the pictures shown on the origin page and the links of the ticked pictures.
#include <QTemporaryDir>
#include <QTest>

#include "modes/DroppedData.h"
#include "modes/LinkHarvest.h"
#include "modes/MemoLines.h"
#include "modes/MemoMenuState.h"
#include "modes/OriginUrls.h"
#include "modes/PictureLinks.h"
#include "results/PreviewFixture.h"
#include "support/FakePageModel.h"

using namespace vorlaken;

using Formats = QMap<QString, QByteArray>;

namespace {

QByteArray utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

}  // namespace

class UrlToolsTest : public QObject {
    Q_OBJECT
  private slots:
    void memoLines_data();
    void memoLines();
    void memoMenuFollowsTheFocusedMemo();
    void droppedData_data();
    void droppedData();
    void droppedShortcutFile();
    void formatsFromScripts();
    void sourceUrlLine_data();
    void sourceUrlLine();
    void harvestKeepsTheLinksTheRulesAllow_data();
    void harvestKeepsTheLinksTheRulesAllow();
    void harvestOfAnAddressAlone();
    void appendAddsWhatTheListLacks();
    void picturesOnTheOriginPage_data();
    void picturesOnTheOriginPage();
    void originPageFailuresAreIgnored();
    void linksOfTheTickedPictures();
    void noPictureNoLink();
};

void UrlToolsTest::memoLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("one line") << "a" << QStringList{"a"};
    QTest::newRow("break at the end") << "a\n" << QStringList{"a"};
    QTest::newRow("lone break") << "\n" << QStringList{""};
    QTest::newRow("empty line kept") << "a\n\nb" << QStringList{"a", "", "b"};
    QTest::newRow("every kind of break") << "a\r\nb\rc\nd\r\n" << QStringList{"a", "b", "c", "d"};
    QTest::newRow("blanks kept") << "  a  \n   " << QStringList{"  a  ", "   "};
}

void UrlToolsTest::memoLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(MemoLines::split(text), lines);
    QCOMPARE(MemoLines::count(text), int(lines.size()));
    QCOMPARE(MemoLines::at(text, int(lines.size())), QString());
}

void UrlToolsTest::memoMenuFollowsTheFocusedMemo() {
    const MemoMenuState selected = MemoMenuState::forMemo(QStringLiteral("a\nb\nc\n"), true);
    QVERIFY(selected.copyEnabled);
    QVERIFY(selected.cutEnabled);
    QCOMPARE(selected.countCaption, QStringLiteral("Count:3"));
    const MemoMenuState empty = MemoMenuState::forMemo(QString(), false);
    QVERIFY(!empty.copyEnabled);
    QVERIFY(!empty.cutEnabled);
    QCOMPARE(empty.countCaption, QStringLiteral("Count:0"));
}

void UrlToolsTest::droppedData_data() {
    QTest::addColumn<Formats>("formats");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("source");
    const QByteArray fragment = "<a href=\"/x\">x</a>";
    // A link dragged from Chromium: the address wins over its markup.
    QTest::newRow("link") << Formats{{"text/uri-list", "http://h/a.htm\r\n"},
                                     {"text/html", fragment},
                                     {"text/plain", "http://h/a.htm"}}
                          << "http://h/a.htm"
                          << ""
                          << "";
    QTest::newRow("comments in the list")
        << Formats{{"text/uri-list", "# from h\r\nhttp://h/b.htm\r\nhttp://h/c.htm"}} << "http://h/b.htm"
        << ""
        << "";
    // Firefox names a link in UTF-16 as address and title.
    QTest::newRow("mozilla link") << Formats{{"text/x-moz-url",
                                              utf16(QStringLiteral("http://h/ä.htm\nTitle"))}}
                                  << QStringLiteral("http://h/ä.htm") << ""
                                  << "";
    QTest::newRow("selection from chromium") << Formats{{"text/html", fragment},
                                                        {"chromium/x-source-url", "http://h/page.htm"},
                                                        {"text/plain", "x"}}
                                             << "" << QString(fragment) << "http://h/page.htm";
    QTest::newRow("selection from firefox")
        << Formats{{"text/html", "\xff\xfe" + utf16(QString(fragment))},
                   {"text/x-moz-url-priv", utf16(QStringLiteral("http://h/page.htm"))}}
        << "" << QString(fragment) << "http://h/page.htm";
    QTest::newRow("selection without its page")
        << Formats{{"text/html", fragment}} << "" << QString(fragment) << "";
    QTest::newRow("plain address") << Formats{{"text/plain;charset=utf-8", " https://h/p?q=1 \n"}}
                                   << "https://h/p?q=1"
                                   << ""
                                   << "";
    QTest::newRow("plain words") << Formats{{"text/plain", "see http://h/p"}} << ""
                                 << ""
                                 << "";
    QTest::newRow("plain script address") << Formats{{"text/plain", "javascript:go()"}} << ""
                                          << ""
                                          << "";
    QTest::newRow("a file is no address") << Formats{{"text/uri-list", "file:///tmp/picture.png"}} << ""
                                          << ""
                                          << "";
    QTest::newRow("nothing") << Formats{} << ""
                             << ""
                             << "";
}

void UrlToolsTest::droppedData() {
    QFETCH(Formats, formats);
    QFETCH(QString, url);
    QFETCH(QString, html);
    QFETCH(QString, source);
    const DropContent drop = DroppedData::read(formats);
    QCOMPARE(drop.url, url);
    QCOMPARE(drop.html, html);
    QCOMPARE(drop.sourceUrl, source);
}

void UrlToolsTest::droppedShortcutFile() {
    QTemporaryDir dir;
    const QString desktop = dir.filePath(QStringLiteral("Gallery.desktop"));
    QFile file(desktop);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Desktop Entry]\nType=Link\nName=Gallery\nURL=http://h/gallery.htm\n");
    file.close();
    const QByteArray list = QUrl::fromLocalFile(desktop).toEncoded();
    QCOMPARE(DroppedData::read({{"text/uri-list", list}}).url, QStringLiteral("http://h/gallery.htm"));
    // The page selection comes before a shortcut.
    const DropContent both = DroppedData::read({{"text/uri-list", list}, {"text/html", "<p>x</p>"}});
    QCOMPARE(both.url, QString());
    QCOMPARE(both.html, QStringLiteral("<p>x</p>"));
}

void UrlToolsTest::formatsFromScripts() {
    Formats formats;
    QVERIFY(DroppedData::formatsFromJson(
        QStringLiteral("{\"text/html\": \"<a href='ä'>x</a>\", \"chromium/x-source-url\": \"http://h/\"}"),
        &formats));
    QCOMPARE(formats.value("text/html"), QStringLiteral("<a href='ä'>x</a>").toUtf8());
    QCOMPARE(formats.value("chromium/x-source-url"), QByteArray("http://h/"));
    QVERIFY(!DroppedData::formatsFromJson(QStringLiteral("text/html"), &formats));
    QVERIFY(!DroppedData::formatsFromJson(QStringLiteral("{\"text/html\": 1}"), &formats));
}

void UrlToolsTest::sourceUrlLine_data() {
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("url");
    const QString header = QStringLiteral("Version:0.9\r\nStartHTML:000\r\nEndHTML:000\r\n");
    QTest::newRow("in the header") << header + "SourceURL:http://h/p.htm\r\n<html>"
                                   << "http://h/p.htm";
    QTest::newRow("first of two") << "SourceURL:http://h/1\nSourceURL:http://h/2"
                                  << "http://h/1";
    QTest::newRow("case counts") << header + "sourceurl:http://h/p.htm"
                                 << "";
    QString late;
    for (int i = 0; i < 11; ++i)
        late += QStringLiteral("line%1\r\n").arg(i);
    QTest::newRow("eleventh line") << late.section("\r\n", 0, 9) + "\r\nSourceURL:http://h/11"
                                   << "http://h/11";
    QTest::newRow("twelfth line") << late + "SourceURL:http://h/12"
                                  << "";
    QTest::newRow("no header") << "<a href=x>x</a>"
                               << "";
}

void UrlToolsTest::sourceUrlLine() {
    QFETCH(QString, html);
    QFETCH(QString, url);
    QCOMPARE(LinkHarvest::sourceUrlLine(html), url);
}

void UrlToolsTest::harvestKeepsTheLinksTheRulesAllow_data() {
    QTest::addColumn<bool>("includeItself");
    QTest::addColumn<bool>("scriptLinks");
    QTest::addColumn<QStringList>("addresses");
    QTest::newRow("links only") << false << false << QStringList{"http://h/a.htm", "http://h/b.htm"};
    QTest::newRow("with the page") << true << false
                                   << QStringList{"http://h/page.htm", "http://h/a.htm", "http://h/b.htm"};
    QTest::newRow("with script links")
        << false << true << QStringList{"http://h/a.htm", "JavaScript:show(2)", "http://h/b.htm"};
}

void UrlToolsTest::harvestKeepsTheLinksTheRulesAllow() {
    QFETCH(bool, includeItself);
    QFETCH(bool, scriptLinks);
    QFETCH(QStringList, addresses);
    FakeBrowser scratch;
    scratch.showPage(QStringLiteral("about:blank"), QString());
    DropContent drop;
    drop.html = QStringLiteral(
        "<a href='http://h/a.htm'>a</a><a href='http://h/a.htm#top'>top</a><a href='JavaScript:show(2)'>2</a>"
        "<a href='HTTP://H/A.HTM'>again</a><a href='http://h/b.htm'>b</a><a "
        "href='http://h/page.htm'>self</a>");
    drop.sourceUrl = QStringLiteral("http://h/page.htm");
    // The page's own address counts once, first, when it is included; its link then adds nothing.
    if (!includeItself)
        addresses << "http://h/page.htm";
    const QStringList got = LinkHarvest::Harvest(drop, {includeItself, scriptLinks}, scratch);
    QCOMPARE(got, addresses);
    QVERIFY(scratch.page->bodyElement()->contentEditable);
}

void UrlToolsTest::harvestOfAnAddressAlone() {
    FakeBrowser scratch;
    scratch.showPage(QStringLiteral("about:blank"), QString());
    DropContent drop;
    drop.url = QStringLiteral("http://h/link.htm");
    QCOMPARE(LinkHarvest::Harvest(drop, {false, false}, scratch), QStringList());
    QCOMPARE(LinkHarvest::Harvest(drop, {true, false}, scratch), QStringList{"http://h/link.htm"});
    // The scratch page is not asked for an address alone.
    QCOMPARE(scratch.calls()->total(), 0);
    // A selection whose page is named only late in its header: include itself adds nothing.
    DropContent late;
    late.html =
        QStringLiteral("1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\nSourceURL:http://h/p.htm\n<p>no links</p>");
    QCOMPARE(LinkHarvest::Harvest(late, {true, false}, scratch), QStringList());
    // A scratch page that fails gives what was found before it.
    scratch.page->failing.insert(QStringLiteral("links"));
    DropContent header;
    header.html = QStringLiteral("SourceURL:http://h/p.htm\n<a href='http://h/a'>a</a>");
    QCOMPARE(LinkHarvest::Harvest(header, {true, false}, scratch), QStringList{"http://h/p.htm"});
}

void UrlToolsTest::appendAddsWhatTheListLacks() {
    QCOMPARE(LinkHarvest::appendNew(QStringLiteral("http://h/A"), {"http://h/a", "http://h/b", "HTTP://H/B"}),
             QStringLiteral("http://h/A\nhttp://h/b"));
    QCOMPARE(LinkHarvest::appendNew(QStringLiteral("x\n"), {"y"}), QStringLiteral("x\ny"));
    QCOMPARE(LinkHarvest::appendNew(QString(), {"y", "z"}), QStringLiteral("y\nz"));
    QCOMPARE(LinkHarvest::appendNew(QStringLiteral("x"), {}), QStringLiteral("x"));
}

void UrlToolsTest::picturesOnTheOriginPage_data() {
    QTest::addColumn<bool>("noOrigin");
    QTest::addColumn<QString>("expected");
    const QString pictures = QStringLiteral(
        "<img src=\"http://h/1.jpg\" border=0><br>\r\n"
        "<img src=\"\" border=0><br>\r\n"
        "<img src=\" http://h/a&amp;b.jpg?&quot;&gt;&lt;script&gt;\" border=0><br>\r\n");
    QTest::newRow("with origin content")
        << false
        << "<p></p><p><a href=#998877><font color=#008000 size=5><u>origin content</u></font></a> <a "
           "href=\"javascript:window.location.reload(); \";><u><font color=#008000 "
           "size=5>reload</font></u></a>"
           "</p>\r\n" +
               pictures + "<hr><a name=\"998877\"></a><p>own</p>";
    QTest::newRow("without origin content")
        << true
        << "<p></p><p><a href=\"javascript:window.location.reload(); \";><u><font color=#008000 size=5>reload"
           "</font></u></a></p>\r\n" +
               pictures;
}

void UrlToolsTest::picturesOnTheOriginPage() {
    QFETCH(bool, noOrigin);
    QFETCH(QString, expected);
    auto page = std::make_shared<FakeBrowser>();
    page->showHtml(QStringLiteral("http://h/origin.htm"), QStringLiteral("<body><p>own</p></body>"));
    OriginUrls::Show(page, QStringLiteral("http://h/1.jpg\n\n http://h/a&b.jpg?\"><script>"), noOrigin);
    QCOMPARE(page->page->bodyElement()->data.innerHtml, expected);
    QCOMPARE(page->page->bodyElement()->style.value("overflow"), QStringLiteral("scroll"));
}

void UrlToolsTest::originPageFailuresAreIgnored() {
    OriginUrls::Show(nullptr, QStringLiteral("http://h/1.jpg"), false);
    auto page = std::make_shared<FakeBrowser>();
    page->showHtml(QStringLiteral("http://h/origin.htm"), QStringLiteral("<body><p>own</p></body>"));
    page->page->bodyElement()->failing.insert(QStringLiteral("setInnerHtml"));
    OriginUrls::Show(page, QStringLiteral("http://h/1.jpg"), false);
    QCOMPARE(page->page->bodyElement()->data.innerHtml, QStringLiteral("<p>own</p>"));
    // The scroll bar is forced all the same.
    QCOMPARE(page->page->bodyElement()->style.value("overflow"), QStringLiteral("scroll"));
}

void UrlToolsTest::linksOfTheTickedPictures() {
    PreviewFixture preview(3);
    preview.state.table.linkUrl[2] = QStringLiteral("http://h/3.htm");
    preview.render();
    preview.tickOnly({1, 2, 3});
    QCOMPARE(PictureLinks::OfCheckedPictures(preview.zone, preview.desktop),
             std::optional<QString>(QStringLiteral("http://h/1.htm\nhttp://h/3.htm")));
    preview.tickOnly({2});
    QCOMPARE(PictureLinks::OfCheckedPictures(preview.zone, preview.desktop),
             std::optional<QString>(QString()));
    QVERIFY(preview.desktop.messages.isEmpty());
}

void UrlToolsTest::noPictureNoLink() {
    PreviewFixture preview(0);
    QCOMPARE(PictureLinks::OfCheckedPictures(preview.zone, preview.desktop), std::nullopt);
    QCOMPARE(preview.desktop.messages, QStringList{PictureLinks::kNoLinkMessage});
    QCOMPARE(preview.desktop.messageCaptions, QStringList{"Hint"});
}

QTEST_GUILESS_MAIN(UrlToolsTest)
#include "tst_urltools.moc"
