#include <QTest>

#include "results/OriginPage.h"
#include "results/PreviewFixture.h"

using namespace vorlaken;

class TestOriginPage : public QObject {
    Q_OBJECT

  private slots:
    void fixedPieces();
    void displayKeepsOriginContent();
    void displayWithoutOriginContent();
    void secondDisplayNestsAboveFirst();
    void nothingToDisplay();
    void refreshAndNavigation();
    void scrollBarToggle();

  private:
    static QString origin(const std::shared_ptr<FakeBrowser>& b) {
        return b->page->bodyElement()->data.innerHtml;
    }
    static std::shared_ptr<FakeBrowser> originBrowser() {
        auto b = std::make_shared<FakeBrowser>();
        b->showPage("http://h/gallery.htm", "Gallery")->bodyElement()->setInnerHtml("<p>own content</p>");
        return b;
    }
};

void TestOriginPage::fixedPieces() {
    const QString head =
        R"(<style>body  {overflow: scroll; }</style><p></p><table border=0 width="100%" bgcolor=#fffff"><tr><td><br></td></tr><tr><td height=40 valign=center><a href=#998877><font color=#008000><u>origin content</u></font></a> <a href="javascript:window.location.reload(); ";><u><font color=#008000>reload</font></u></a></td></tr><tr><td>)";
    const QString headWithout =
        R"(<style>body  {overflow: scroll; }</style><p></p><table border=0 width="100%" bgcolor=#fffff"><tr><td><br></td></tr><tr><td height=40 valign=center><u><a href="javascript:window.location.reload(); ";><font color=#008000>reload</font></u></a></td></tr><tr><td>)";
    const QString tail = R"(</td></tr><tr><td><hr size=1></td></tr></table><a name=998877></a>)";
    const QString tailWithout = R"(</td></tr><tr><td><hr size=1></td></tr></table>)";
    QCOMPARE(OriginPage::kHeadWithOrigin, head);
    QCOMPARE(OriginPage::kHeadWithoutOrigin, headWithout);
    QCOMPARE(OriginPage::kTailWithOrigin, tail);
    QCOMPARE(OriginPage::kTailWithoutOrigin, tailWithout);

    const QString lines = OriginPage::pictureLines({"http://h/1.jpg", "http://h/2.jpg?a=1&b=\"2\""},
                                                   {"http://h/1.htm", kPlaceholderLinkUrl});
    const QString expected =
        R"(<a target=_blank href="http://h/1.htm"><img border=0 src="http://h/1.jpg"></a><br>)"
        "\r\n"
        R"(<img border=0 src="http://h/2.jpg?a=1&amp;b=&quot;2&quot;"><br>)"
        "\r\n";
    QCOMPARE(lines, expected);
}

void TestOriginPage::displayKeepsOriginContent() {
    PreviewFixture f(3);  // picture 1 linked
    f.tickOnly({1, 3});
    auto attached = originBrowser();
    OriginPage::Display(attached, f.zone, false, f.desktop);

    const QString lines = OriginPage::pictureLines({"http://h/1.jpg", "http://h/3.jpg"},
                                                   {"http://h/1.htm", kPlaceholderLinkUrl});
    QCOMPARE(origin(attached),
             OriginPage::kHeadWithOrigin + lines + OriginPage::kTailWithOrigin + "<p>own content</p>");
    QCOMPARE(attached->page->bodyElement()->style.value("overflow"), QString("scroll"));
}

void TestOriginPage::displayWithoutOriginContent() {
    PreviewFixture f(2);
    auto attached = originBrowser();
    OriginPage::Display(attached, f.zone, true, f.desktop);
    const QString html = origin(attached);
    QVERIFY(html.startsWith(OriginPage::kHeadWithoutOrigin));
    QVERIFY(html.endsWith(OriginPage::kTailWithoutOrigin));
    QVERIFY(!html.contains("own content"));
    QVERIFY(!html.contains("origin content"));
    QVERIFY(html.contains(R"(<img border=0 src="http://h/2.jpg"><br>)"
                          "\r\n"));
}

void TestOriginPage::secondDisplayNestsAboveFirst() {
    PreviewFixture f(1);
    auto attached = originBrowser();
    OriginPage::Display(attached, f.zone, false, f.desktop);
    const QString first = origin(attached);
    OriginPage::Display(attached, f.zone, false, f.desktop);
    const QString lines = OriginPage::pictureLines({"http://h/1.jpg"}, {"http://h/1.htm"});
    QCOMPARE(origin(attached), OriginPage::kHeadWithOrigin + lines + OriginPage::kTailWithOrigin + first);
}

void TestOriginPage::nothingToDisplay() {
    PreviewFixture f(2);
    auto attached = originBrowser();
    attached->calls()->reset();
    OriginPage::Display(nullptr, f.zone, false, f.desktop);  // no browser attached
    f.tickOnly({});
    OriginPage::Display(attached, f.zone, false, f.desktop);  // nothing ticked
    QCOMPARE(attached->calls()->total(), 0);
    QCOMPARE(origin(attached), QString("<p>own content</p>"));

    // A page that refuses the change is left as it is, silently.
    f.tickOnly({1});
    attached->page->bodyElement()->failing = {"setInnerHtml", "setStyleAttribute"};
    OriginPage::Display(attached, f.zone, false, f.desktop);
    QCOMPARE(origin(attached), QString("<p>own content</p>"));
    QVERIFY(f.desktop.messages.isEmpty());
}

// "reload" asks the attached page to reload and nothing else: no write, no navigation. A page that
// refuses is left alone silently; without an attached browser nothing is asked at all.
void TestOriginPage::refreshAndNavigation() {
    auto attached = originBrowser();
    attached->calls()->reset();
    OriginPage::Refresh(attached);
    QCOMPARE(attached->reloads, 1);
    QCOMPARE(attached->calls()->count("Browser.reload"), 1);
    QCOMPARE(attached->calls()->total(), 1);
    QCOMPARE(origin(attached), QString("<p>own content</p>"));
    QVERIFY(attached->navigated.isEmpty());

    attached->failing = {"reload"};
    attached->calls()->reset();
    OriginPage::Refresh(attached);
    QCOMPARE(attached->calls()->count("Browser.reload"), 1);  // asked again
    QCOMPARE(attached->calls()->total(), 1);
    QCOMPARE(attached->reloads, 1);  // and refused
    QCOMPARE(origin(attached), QString("<p>own content</p>"));

    auto untouched = originBrowser();
    untouched->calls()->reset();
    OriginPage::Refresh(nullptr);
    QCOMPARE(untouched->calls()->total(), 0);

    FakeBrowser zone;
    OriginPage::ShowInPreview(zone, "http://h/gallery.htm");
    OriginPage::RestorePreview(zone, "/opt/vorlaken/grabnest.htm");
    QCOMPARE(zone.navigated, (QStringList{"http://h/gallery.htm", "file:///opt/vorlaken/grabnest.htm"}));
    // A zone that refuses to navigate keeps what it shows; the command does not fail.
    zone.failing = {"navigate"};
    OriginPage::ShowInPreview(zone, "http://h/other.htm");
    OriginPage::RestorePreview(zone, "/opt/vorlaken/grabnest.htm");
    QCOMPARE(zone.navigated.size(), 2);
    QCOMPARE(zone.calls()->count("Browser.navigate"), 4);
}

void TestOriginPage::scrollBarToggle() {
    FakeBrowser zone;
    FakeDocumentPtr doc = zone.showPage("file:///grabnest.htm", "");
    int count = 0;
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        OriginPage::ToggleScrollBar(zone, count);
        seen << doc->bodyElement()->style.value("overflow");
    }
    QCOMPARE(seen, (QStringList{"scroll", "", "scroll"}));
    QCOMPARE(count, 1);
}

QTEST_GUILESS_MAIN(TestOriginPage)
#include "tst_originpage.moc"
