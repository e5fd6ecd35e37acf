#include <QTest>

#include "results/CommentPanel.h"
#include "results/PreviewFixture.h"
#include "results/ResultCommands.h"
#include "results/UrlList.h"

using namespace vorlaken;

class TestUrlLists : public QObject {
    Q_OBJECT

  private slots:
    void pictureUrlsOfTickedPictures();
    void pictureLinksLeaveOutUnlinked();
    void listValuesAreEscaped();
    void nothingWithoutPictures();
    void panelDisplay();
    void copyCommands();
    void sortAscendingAndDescending();
    void clearResult();
};

namespace {

struct Panel {
    FakeBrowser zone;
    CommentPanelState state;
    CommentPanel panel{state, zone};
    Panel() { zone.showPage("about:blank", "")->bodyElement()->data.innerHtml = "my comments"; }
    QString html() const { return zone.page->bodyElement()->data.innerHtml; }
};

}  // namespace

void TestUrlLists::pictureUrlsOfTickedPictures() {
    PreviewFixture f(3);
    f.tickOnly({1, 3});
    Panel p;
    UrlList::Show(UrlList::Kind::PictureUrls, f.zone, p.panel, f.desktop);
    QCOMPARE(p.html(),
             QString("<html>\r\n<body>\r\n<font style=\"font-size:9pt\">\r\n<p>Picture URLs:</p>\r\n"
                     "http://h/1.jpg<br>\r\nhttp://h/3.jpg<br>\r\n<p>UBB code:</p>\r\n"
                     "[img]http://h/1.jpg[/img]<br>\r\n[img]http://h/3.jpg[/img]<br>\r\n</font>\r\n"));
    QVERIFY(p.state.visible);
    QCOMPARE(p.state.width, 400);
}

void TestUrlLists::pictureLinksLeaveOutUnlinked() {
    PreviewFixture f(3);  // only picture 1 is linked
    Panel p;
    p.state.visible = true;
    p.state.width = 520;
    UrlList::Show(UrlList::Kind::PictureLinks, f.zone, p.panel, f.desktop);
    QCOMPARE(p.html(),
             QString("<html>\r\n<body>\r\n<font style=\"font-size:9pt\">\r\n<p>Picture Links:</p>\r\n"
                     "http://h/1.htm<br>\r\n<p>Link URLs:</p>\r\n[url]http://h/1.htm[/url]<br>\r\n"
                     "</font>\r\n"));
    QCOMPARE(p.state.width, 520);  // wider panels keep their width

    f.tickOnly({});
    UrlList::Show(UrlList::Kind::PictureLinks, f.zone, p.panel, f.desktop);
    QCOMPARE(p.html(),
             QString("<html>\r\n<body>\r\n<font style=\"font-size:9pt\">\r\n<p>Picture Links:</p>\r\n"
                     "<p>Link URLs:</p>\r\n</font>\r\n"));
}

void TestUrlLists::listValuesAreEscaped() {
    const QString html =
        UrlList::build(UrlList::Kind::PictureLinks, {"http://h/a.jpg"}, {"http://h/?a=<b>&c=\"d\""});
    QVERIFY(html.contains("http://h/?a=&lt;b&gt;&amp;c=&quot;d&quot;<br>\r\n"));
    QVERIFY(!html.contains("<b>"));
}

void TestUrlLists::nothingWithoutPictures() {
    PreviewFixture f(0);
    Panel p;
    UrlList::Show(UrlList::Kind::PictureUrls, f.zone, p.panel, f.desktop);
    QCOMPARE(p.html(), QString("my comments"));
    QVERIFY(!p.state.visible);
    QCOMPARE(p.state.width, 205);
}

void TestUrlLists::panelDisplay() {
    Panel p;
    p.panel.toggle();
    QVERIFY(p.state.visible);
    p.panel.toggle();
    QVERIFY(!p.state.visible);
    p.panel.showWide();
    QVERIFY(p.state.visible);
    QCOMPARE(p.state.width, 400);
    p.panel.showWide();  // already shown: stays shown
    QVERIFY(p.state.visible);

    p.panel.write("<b>list</b>");
    QCOMPARE(p.html(), QString("<b>list</b>"));
    p.zone.page->bodyElement()->failing = {"setInnerHtml"};
    p.panel.write("lost");  // a failing write is ignored
    QCOMPARE(p.html(), QString("<b>list</b>"));
    p.panel.hide();  // hiding keeps the content
    QCOMPARE(p.html(), QString("<b>list</b>"));
}

void TestUrlLists::copyCommands() {
    CaptureTable table;
    table.append("http://h/1.jpg", "1*1", kPlaceholderLinkUrl, "p");
    table.append("http://h/2.jpg", "1*1", "http://h/2.htm", "p");
    FakeDesktop desktop;

    ResultCommands::CopyPictureUrls(table, desktop);
    QCOMPARE(desktop.clipboard, QString("http://h/1.jpg\r\nhttp://h/2.jpg\r\n"));
    ResultCommands::CopyLinkUrls(table, desktop);
    QCOMPARE(desktop.clipboard, QString("http://h/2.htm\r\n"));
    ResultCommands::CopyUbbCode(table, desktop);
    QCOMPARE(desktop.clipboard, QString("[img]http://h/1.jpg[/img]\r\n[img]http://h/2.jpg[/img]\r\n"));
    QCOMPARE(desktop.clipboardWrites, 3);

    // Nothing linked, or no pictures: the clipboard is left alone.
    table.linkUrl[1] = kPlaceholderLinkUrl;
    ResultCommands::CopyLinkUrls(table, desktop);
    ResultCommands::CopyPictureUrls(CaptureTable{}, desktop);
    QCOMPARE(desktop.clipboardWrites, 3);
}

void TestUrlLists::sortAscendingAndDescending() {
    CaptureState state;
    state.table.append("http://h/b.jpg", "2*2", "http://h/b.htm", "pb");
    state.table.append("http://h/C.jpg", "3*3", kPlaceholderLinkUrl, "pc");
    state.table.append("http://h/A.jpg", "1*1", kPlaceholderLinkUrl, "pa");
    state.table.append("http://h/a0.jpg", "0*0", kPlaceholderLinkUrl, "pa0");
    state.countLabel = "kept";
    int renders = 0;

    ResultCommands::SortByUrl(state, true, [&] { ++renders; });
    const QStringList ascending = {"http://h/A.jpg", "http://h/a0.jpg", "http://h/b.jpg", "http://h/C.jpg"};
    QCOMPARE(state.table.picUrl, ascending);
    QCOMPARE(state.table.sizeText, (QStringList{"1*1", "0*0", "2*2", "3*3"}));
    QCOMPARE(state.table.linkUrl[2], QString("http://h/b.htm"));
    QCOMPARE(state.table.pageUrl, (QStringList{"pa", "pa0", "pb", "pc"}));
    QCOMPARE(renders, 1);

    ResultCommands::SortByUrl(state, false, [&] { ++renders; });
    QStringList descending = ascending;
    std::reverse(descending.begin(), descending.end());
    QCOMPARE(state.table.picUrl, descending);
    QCOMPARE(state.table.sizeText, (QStringList{"3*3", "2*2", "0*0", "1*1"}));
    QCOMPARE(state.countLabel, QString("kept"));

    CaptureState empty;
    ResultCommands::SortByUrl(empty, true, {});
    QVERIFY(empty.table.isEmpty());
}

void TestUrlLists::clearResult() {
    for (bool fromMainMenu : {true, false}) {
        PreviewFixture f(2);
        f.state.countLabel = "2";
        f.state.saveEnabled = true;
        ResultCommands::ClearResult(f.state, f.zone, fromMainMenu);
        QVERIFY(f.state.table.isEmpty());
        QCOMPARE(f.state.table.pageUrl.size(), 0);
        QCOMPARE(f.zone.page->bodyElement()->data.innerHtml, QString("<html></html>"));
        QCOMPARE(f.zone.page->images()->length(), 0);
        QCOMPARE(f.state.countLabel, QString("2"));
        QCOMPARE(f.state.saveEnabled, !fromMainMenu);
    }
}

QTEST_GUILESS_MAIN(TestUrlLists)
#include "tst_urllists.moc"
