#include <QTest>

#include "results/PreviewFixture.h"
#include "results/PreviewReadBack.h"
#include "results/SelectionCommands.h"

using namespace vorlaken;
using Reduce = SelectionCommands::Reduce;

Q_DECLARE_METATYPE(Reduce)

class TestSelection : public QObject {
    Q_OBJECT

  private slots:
    void reduce_data();
    void reduce();
    void valuesComeFromThePage();
    void selectAndDeselectAll();
    void notPreviewPageLeavesTable();
    void webPageCopyingThePreviewIsNotRead_data();
    void webPageCopyingThePreviewIsNotRead();
    void failingPageLeavesTable();
    void emptyPreviewDoesNothing();
};

void TestSelection::reduce_data() {
    QTest::addColumn<QList<int>>("ticks");
    QTest::addColumn<Reduce>("mode");
    QTest::addColumn<QList<int>>("kept");  // empty: nothing changes

    using L = QList<int>;
    QTest::newRow("2,4 keep") << L{2, 4} << Reduce::KeepChecked << L{2, 4};
    QTest::newRow("2,4 before") << L{2, 4} << Reduce::CheckedBefore << L{1, 2};
    QTest::newRow("2,4 after") << L{2, 4} << Reduce::CheckedAfter << L{2, 3, 4, 5};
    QTest::newRow("last before") << L{5} << Reduce::CheckedBefore << L{1, 2, 3, 4, 5};
    QTest::newRow("last after") << L{5} << Reduce::CheckedAfter << L{5};
    QTest::newRow("first before") << L{1} << Reduce::CheckedBefore << L{1};
    QTest::newRow("first after") << L{1} << Reduce::CheckedAfter << L{1, 2, 3, 4, 5};
    QTest::newRow("all keep") << L{1, 2, 3, 4, 5} << Reduce::KeepChecked << L{1, 2, 3, 4, 5};
    QTest::newRow("none keep") << L{} << Reduce::KeepChecked << L{};
    QTest::newRow("none before") << L{} << Reduce::CheckedBefore << L{};
    QTest::newRow("none after") << L{} << Reduce::CheckedAfter << L{};
}

void TestSelection::reduce() {
    QFETCH(QList<int>, ticks);
    QFETCH(Reduce, mode);
    QFETCH(QList<int>, kept);

    PreviewFixture f(5);
    f.state.countLabel = "5";
    const CaptureTable before = f.state.table;
    f.tickOnly({});
    for (int n : ticks) {
        f.element(QStringLiteral("c%1").arg(n))->data.checked = true;
    }
    SelectionCommands(f.zone, f.desktop, f.renderer()).ReduceToSelection(f.state, mode);

    if (kept.isEmpty()) {
        QCOMPARE(f.state.table.picUrl, before.picUrl);
        QCOMPARE(f.renders, 0);
        QCOMPARE(f.state.countLabel, QString("5"));
        QCOMPARE(f.ticked(), ticks);  // the page was not drawn again
        return;
    }
    QStringList expected;
    for (int n : kept) {
        expected << QStringLiteral("http://h/%1.jpg").arg(n);
    }
    QCOMPARE(f.state.table.picUrl, expected);
    QCOMPARE(f.state.countLabel, QString::number(kept.size()));
    QCOMPARE(f.renders, 1);
    QCOMPARE(f.ticked().size(), kept.size());  // every remaining picture ticked again
    QVERIFY(f.desktop.messages.isEmpty());
}

void TestSelection::valuesComeFromThePage() {
    PreviewFixture f(3);
    // The table changed after the page was drawn: the page's values win.
    f.state.table.sizeText[1] = "changed";
    f.state.table.pageUrl[0] = "changed";
    f.tickOnly({1, 2});
    SelectionCommands(f.zone, f.desktop, f.renderer()).ReduceToSelection(f.state, Reduce::KeepChecked);
    QCOMPARE(f.state.table.sizeText, (QStringList{"10*10", "20*20"}));
    QCOMPARE(f.state.table.linkUrl, (QStringList{"http://h/1.htm", kPlaceholderLinkUrl}));
    QCOMPARE(f.state.table.pageUrl, (QStringList{"http://h/page1.htm", "http://h/page2.htm"}));
}

void TestSelection::selectAndDeselectAll() {
    PreviewFixture f(4);
    f.tickOnly({2});
    const CaptureTable before = f.state.table;
    SelectionCommands commands(f.zone, f.desktop, f.renderer());

    f.zone.calls()->reset();
    commands.SelectAll();
    QCOMPARE(f.ticked(), (QList<int>{1, 2, 3, 4}));
    QCOMPARE(f.zone.calls()->count("Collection.setChecked"), 1);
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(f.element(QStringLiteral("h%1").arg(n))->data.checked, false);  // hidden inputs untouched
    }
    commands.DeselectAll();
    QCOMPARE(f.ticked(), QList<int>{});
    QCOMPARE(f.state.table.picUrl, before.picUrl);
    QCOMPARE(f.renders, 0);

    // "Deselect All" then "Keep Cheked" changes nothing at all.
    commands.ReduceToSelection(f.state, Reduce::KeepChecked);
    QCOMPARE(f.state.table.picUrl, before.picUrl);
    QCOMPARE(f.renders, 0);
}

void TestSelection::notPreviewPageLeavesTable() {
    PreviewFixture f(3);
    const QStringList before = f.state.table.picUrl;
    // The origin page in the preview zone: pictures, but not the preview's form.
    FakeDocumentPtr origin = f.zone.showPage("http://h/origin.htm", "Origin");
    origin->addImage("http://h/x.jpg", 10, 10);
    FakeElementPtr form = origin->add("FORM");
    FakeElementPtr box = origin->add("INPUT", form);
    box->data.type = "checkbox";
    box->data.checked = true;
    origin->add("INPUT", form)->data.type = "text";
    origin->addLink("http://h/a.htm");

    SelectionCommands commands(f.zone, f.desktop, f.renderer());
    commands.ReduceToSelection(f.state, Reduce::KeepChecked);
    commands.SelectAll();
    QCOMPARE(f.state.table.picUrl, before);
    QCOMPARE(f.renders, 0);
    QCOMPARE(f.desktop.messages.size(), 2);
    QVERIFY(f.desktop.messages[0].contains("get the pictures again"));
    QCOMPARE(f.desktop.messageCaptions[0], QString("Hint"));
}

// Only a local document holds the preview page: a web page shown in the preview zone that copies it
// exactly (after "Pictures invisible ?") is not read as the user's choice.
void TestSelection::webPageCopyingThePreviewIsNotRead_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("read");
    QTest::newRow("the template") << "file:///opt/vorlaken/grabnest.htm" << true;
    QTest::newRow("web page") << "http://evil.example/copy.htm" << false;
    QTest::newRow("secure web page") << "HTTPS://evil.example/copy.htm" << false;
    QTest::newRow("web page's own blob") << "blob:http://evil.example/4a1e" << false;
}

void TestSelection::webPageCopyingThePreviewIsNotRead() {
    QFETCH(QString, address);
    QFETCH(bool, read);
    PreviewFixture f(3);
    f.zone.page->urlValue = address;
    f.tickOnly({2});
    SelectionCommands(f.zone, f.desktop, f.renderer()).ReduceToSelection(f.state, Reduce::KeepChecked);
    QCOMPARE(f.state.table.size(), read ? 1 : 3);
    QCOMPARE(f.desktop.messages, read ? QStringList() : QStringList{kNotPreviewPageMessage});
}

void TestSelection::failingPageLeavesTable() {
    PreviewFixture f(3);
    const QStringList before = f.state.table.picUrl;
    f.tickOnly({2});
    f.zone.page->failing = {"links.read"};
    SelectionCommands(f.zone, f.desktop, f.renderer()).ReduceToSelection(f.state, Reduce::KeepChecked);
    QCOMPARE(f.state.table.picUrl, before);
    QCOMPARE(f.renders, 0);
    QVERIFY(f.desktop.messages.isEmpty());
}

void TestSelection::emptyPreviewDoesNothing() {
    PreviewFixture f(0);
    f.zone.page->bodyElement()->setInnerHtml("<html></html>");
    SelectionCommands commands(f.zone, f.desktop, f.renderer());
    commands.SelectAll();
    commands.ReduceToSelection(f.state, Reduce::CheckedAfter);
    QCOMPARE(f.renders, 0);
    QVERIFY(f.desktop.messages.isEmpty());
}

QTEST_GUILESS_MAIN(TestSelection)
#include "tst_selection.moc"
