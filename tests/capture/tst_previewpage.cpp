#include <QTest>

#include "capture/PreviewLayout.h"
#include "capture/PreviewPage.h"
#include "support/FakePageModel.h"

using namespace vorlaken;

namespace {

CaptureTable tableOf(int rows) {
    CaptureTable t;
    for (int i = 1; i <= rows; ++i) {
        t.append(QStringLiteral("http://h/%1.jpg").arg(i), "120*90", kPlaceholderLinkUrl, "http://h/p.htm");
    }
    return t;
}

QStringList linesOf(const QString& page) {
    QStringList lines = page.split("\r\n");
    if (lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

}  // namespace

class TestPreviewPage : public QObject {
    Q_OBJECT

  private slots:
    void thumbnailCellOfWorkedExample();
    void listLayoutLine();
    void columnsFollowWidth_data();
    void columnsFollowWidth();
    void originSizeHasNoOnload();
    void linkMarker();
    void pageValuesAreEscapedAndReadBackUnchanged();
    void layoutFindsEachPicturesElements_data();
    void layoutFindsEachPicturesElements();
    void availableWidth();
    void renderWritesBodyAndColour();
    void renderOfEmptyTableWritesNothing();
    void renderFailureIsSwallowed();
};

void TestPreviewPage::thumbnailCellOfWorkedExample() {
    PreviewOptions options;  // thumbnail, show size, scaled
    options.availableWidth = 1000;
    const QString page = PreviewPage::build(tableOf(1), options);

    const QString cell =
        R"(<td valign=top><font style="font-size:9pt"><input type="checkbox" name="c1" checked=true )"
        R"(value="120*90">1 <font color=#666666><i>120*90</i></font> <a name="a1" target=_blank )"
        R"(href="vorlaken:no-link"></a><br><input type="hidden" name="h1" value="http://h/p.htm">)"
        R"(<img  name=p1 border=0 onmousewheel="return zoompic(this);" src="http://h/1.jpg" )"
        R"(onload="if (this.width>100) this.width=100" onclick="javascript:c1.checked=!c1.checked;" )"
        R"(onerror='javascript:c1.checked=false;this.onerror="";this.width=0;'></font></td>)";
    const QStringList expected = {"<html>",
                                  "<body>",
                                  R"(<form name="form1" method="POST" action="#">)",
                                  R"(<table  border=0 width="100%" >)",
                                  "<tr>",
                                  cell,
                                  "<td></td>",
                                  "<td></td>",
                                  "<td></td>",
                                  "<td></td>",
                                  "<td></td>",
                                  "<td></td>",
                                  "<td></td>",
                                  "<td></td>",
                                  "<td></td>",
                                  "</tr>",
                                  "</table>",
                                  "</form>"};
    QCOMPARE(linesOf(page), expected);
    QVERIFY(page.endsWith("</form>\r\n"));
    QCOMPARE(page.count("\r\n"), expected.size());
    QCOMPARE(page.count('\n'), expected.size());
}

void TestPreviewPage::listLayoutLine() {
    CaptureTable table;
    table.append("http://h/1.jpg", "120*90", "http://h/x.htm", "http://h/p.htm");
    PreviewOptions options;
    options.thumbnail = false;
    options.showSize = false;
    options.availableWidth = 500;

    const QString row =
        R"(<p><input type="checkbox" name="c1"  checked=true value="120*90">1 <a name="a1" target=_blank )"
        R"(href="http://h/x.htm" title="http://h/x.htm">*</a><br><input type="hidden" name="h1" )"
        R"(value="http://h/p.htm"><img  name=p1 border=0 onmousewheel="return zoompic(this);" )"
        R"(src="http://h/1.jpg" onload="javascript:if (this.width>500) this.width=500" )"
        R"(onclick="javascript:c1.checked=!c1.checked;" )"
        R"(onerror='javascript:c1.checked=false;this.onerror="";this.width=0;'></p>)";
    QCOMPARE(linesOf(PreviewPage::build(table, options)),
             (QStringList{"<html>", "<body>", R"(<form name="form1" method="POST" action="#">)",
                          R"(<font style="font-size:9pt">)", row, "</font>", "</form>"}));
}

void TestPreviewPage::columnsFollowWidth_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("rowTags");
    QTest::addColumn<int>("emptyCells");

    QTest::newRow("narrow: one column") << 99 << 3 << 3 << 0;
    QTest::newRow("negative width: one column") << -40 << 2 << 2 << 0;
    QTest::newRow("430, 7 rows") << 430 << 7 << 2 << 1;
    QTest::newRow("430, 8 rows") << 430 << 8 << 2 << 0;
    QTest::newRow("250, 1 row") << 250 << 1 << 1 << 1;
    QTest::newRow("no rows") << 430 << 0 << 0 << 0;
}

void TestPreviewPage::columnsFollowWidth() {
    QFETCH(int, width);
    QFETCH(int, rows);
    QFETCH(int, rowTags);
    QFETCH(int, emptyCells);

    PreviewOptions options;
    options.availableWidth = width;
    const QStringList lines = linesOf(PreviewPage::build(tableOf(rows), options));
    QCOMPARE(lines.count("<tr>"), rowTags);
    QCOMPARE(lines.count("</tr>"), rowTags);
    QCOMPARE(lines.count("<td></td>"), emptyCells);
    // Every row of the table is closed before the next opens.
    int open = 0;
    for (const QString& line : lines) {
        open += line == "<tr>" ? 1 : line == "</tr>" ? -1 : 0;
        QVERIFY(open == 0 || open == 1);
    }
}

void TestPreviewPage::originSizeHasNoOnload() {
    PreviewOptions options;
    options.originSize = true;
    options.availableWidth = 430;
    for (bool thumbnail : {true, false}) {
        options.thumbnail = thumbnail;
        const QString page = PreviewPage::build(tableOf(2), options);
        QVERIFY(!page.contains("onload"));
        const QString unscaled = R"(src="http://h/2.jpg" onclick="javascript:c2.checked=!c2.checked;")";
        QVERIFY(page.contains(unscaled));
    }
}

void TestPreviewPage::linkMarker() {
    CaptureTable table = tableOf(1);
    table.append("http://h/2.jpg", "0*0", "http://h/big.jpg", "http://h/p.htm");
    PreviewOptions options;
    options.showSize = false;
    const QString page = PreviewPage::build(table, options);
    const QString withoutText = R"( <a name="a1" target=_blank href="vorlaken:no-link"></a><br>)";
    QVERIFY(page.contains(withoutText));
    const QString withStar =
        R"( <a name="a2" target=_blank href="http://h/big.jpg" title="http://h/big.jpg">*</a>)";
    QVERIFY(page.contains(withStar));
    const QString noSize = R"(value="0*0">2 <a)";  // without "show size" no size after the number
    QVERIFY(page.contains(noSize));
}

void TestPreviewPage::pageValuesAreEscapedAndReadBackUnchanged() {
    CaptureTable table;
    const QString pic = R"(http://h/a.jpg"><script>alert(1)</script>)";
    const QString size = "1*1' onclick='x";
    const QString link = "http://h/?a=1&b=<2>\"";
    const QString page = "x\" onmouseover=\"steal()";
    table.append(pic, size, link, page);

    for (bool thumbnail : {true, false}) {
        PreviewOptions options;
        options.thumbnail = thumbnail;
        const QString html = PreviewPage::build(table, options);
        QVERIFY(!html.contains("<script>"));
        QVERIFY(!html.contains("onmouseover=\""));

        // What the page model reads back from the written page is the value captured.
        FakeDocument doc("about:blank", "");
        doc.bodyElement()->setInnerHtml(html);
        QCOMPARE(doc.byName("p1")->data.src, pic);
        QCOMPARE(doc.byName("c1")->data.value, size);
        QCOMPARE(doc.byName("h1")->data.value, page);
        QCOMPARE(doc.byName("a1")->data.hrefAttribute, link);
        QCOMPARE(doc.images()->length(), 1);
        QCOMPARE(doc.links()->length(), 1);
        QCOMPARE(doc.forms()->length(), 1);
        QCOMPARE(doc.forms()->item(0)->formElements()->length(), 2);
    }
}

void TestPreviewPage::layoutFindsEachPicturesElements_data() {
    QTest::addColumn<bool>("thumbnail");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("width");
    QTest::newRow("one thumbnail") << true << 1 << 1000;
    QTest::newRow("thumbnails over several rows") << true << 7 << 250;
    QTest::newRow("list") << false << 5 << 600;
}

// Every reader finds picture i's pieces through PreviewLayout: the written page must put them there.
void TestPreviewPage::layoutFindsEachPicturesElements() {
    QFETCH(bool, thumbnail);
    QFETCH(int, rows);
    QFETCH(int, width);
    CaptureTable table;
    for (int i = 0; i < rows; ++i) {
        const QString link = i % 2 ? kPlaceholderLinkUrl : QStringLiteral("http://h/l%1.htm").arg(i);
        table.append(QStringLiteral("http://h/%1.jpg").arg(i), QStringLiteral("%1*9").arg(i), link,
                     QStringLiteral("http://h/p%1.htm").arg(i));
    }
    PreviewOptions options;
    options.thumbnail = thumbnail;
    options.availableWidth = width;
    FakeDocument doc("about:blank", "");
    doc.bodyElement()->setInnerHtml(PreviewPage::build(table, options));

    const std::vector<ElementData> controls = doc.forms()->item(0)->formElements()->read(kType | kValue);
    const std::vector<ElementData> images = doc.images()->read(kSrc);
    const std::vector<ElementData> links = doc.links()->read(kHrefAttribute);
    QCOMPARE(PreviewLayout::picturesWithControls(int(controls.size())), rows);
    QCOMPARE(int(images.size()), rows);
    QCOMPARE(int(links.size()), rows);
    for (int i = 0; i < rows; ++i) {
        const QString n = PreviewLayout::number(i);
        const ElementData& box = controls[std::size_t(PreviewLayout::checkboxIndex(i))];
        const ElementData& hidden = controls[std::size_t(PreviewLayout::hiddenIndex(i))];
        QCOMPARE(box.type, QStringLiteral("checkbox"));
        QCOMPARE(box.value, doc.byName("c" + n)->data.value);
        QCOMPARE(box.value, table.sizeText[i]);
        QCOMPARE(hidden.type, QStringLiteral("hidden"));
        QCOMPARE(hidden.value, doc.byName("h" + n)->data.value);
        QCOMPARE(hidden.value, table.pageUrl[i]);
        QCOMPARE(images[std::size_t(PreviewLayout::imageIndex(i))].src, doc.byName("p" + n)->data.src);
        QCOMPARE(images[std::size_t(PreviewLayout::imageIndex(i))].src, table.picUrl[i]);
        QCOMPARE(links[std::size_t(PreviewLayout::linkIndex(i))].hrefAttribute,
                 doc.byName("a" + n)->data.hrefAttribute);
        QCOMPARE(links[std::size_t(PreviewLayout::linkIndex(i))].hrefAttribute, table.linkUrl[i]);
    }
    QCOMPARE(PreviewLayout::checkboxIndexes(rows).size(), std::size_t(rows));
}

void TestPreviewPage::availableWidth() {
    QCOMPARE(PreviewAvailableWidth(800, 17, false, 200), 753);
    QCOMPARE(PreviewAvailableWidth(800, 17, true, 200), 553);
    QCOMPARE(PreviewAvailableWidth(100, 17, true, 200), -147);
}

void TestPreviewPage::renderWritesBodyAndColour() {
    CaptureState state;
    state.table = tableOf(3);
    state.pageLocation = "http://h:8080/gallery/p.htm?x=1";
    state.locationText = "stale";
    FakeBrowser zone;
    FakeDocumentPtr doc = zone.showPage("file:///grabnest.htm", "");
    PreviewOptions options;
    options.availableWidth = 430;

    RenderPreview(state, zone, options);
    QCOMPARE(state.locationText, state.pageLocation);
    QCOMPARE(state.pageDomain, QString("h_8080"));
    QCOMPARE(doc->bodyElement()->data.innerHtml, PreviewPage::build(state.table, options));
    QCOMPARE(doc->bodyElement()->bgColor, QString("#FEF9ED"));

    // Forms' elements alternate checkbox and hidden input; rendering ticks everything again.
    CollectionPtr elements = doc->forms()->item(0)->formElements();
    QCOMPARE(elements->length(), 6);
    elements->setChecked({0, 4}, false);
    RenderPreview(state, zone, options, "#000000");
    const std::vector<ElementData> values = doc->forms()->item(0)->formElements()->read(kChecked | kType);
    QCOMPARE(values[0].type, QString("checkbox"));
    QCOMPARE(values[1].type, QString("hidden"));
    QVERIFY(values[0].checked && values[2].checked && values[4].checked);
    QCOMPARE(doc->bodyElement()->bgColor, QString("#000000"));
}

void TestPreviewPage::renderOfEmptyTableWritesNothing() {
    CaptureState state;
    state.pageLocation = "about:blank";
    FakeBrowser zone;
    FakeDocumentPtr doc = zone.showPage("file:///grabnest.htm", "");
    doc->bodyElement()->data.innerHtml = "previous";
    RenderPreview(state, zone, PreviewOptions{});
    QCOMPARE(doc->bodyElement()->data.innerHtml, QString("previous"));
    QCOMPARE(zone.calls()->total(), 0);
    QCOMPARE(state.locationText, QString("about:blank"));
    QCOMPARE(state.pageDomain, QString("about_blank"));
}

void TestPreviewPage::renderFailureIsSwallowed() {
    CaptureState state;
    state.table = tableOf(1);
    state.pageLocation = "http://h/p.htm";
    FakeBrowser empty;  // shows no document
    RenderPreview(state, empty, PreviewOptions{});
    FakeBrowser zone;
    FakeDocumentPtr doc = zone.showPage("file:///grabnest.htm", "");
    doc->bodyElement()->failing = {"setInnerHtml"};
    RenderPreview(state, zone, PreviewOptions{});
    QCOMPARE(state.table.size(), 1);
    QCOMPARE(state.pageDomain, QString("h"));
}

QTEST_GUILESS_MAIN(TestPreviewPage)
#include "tst_previewpage.moc"
