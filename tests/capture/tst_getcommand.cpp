#include <QTest>

#include "capture/CaptureFixture.h"
#include "capture/GetCommand.h"
#include "support/FakeBrowserFinder.h"

using namespace vorlaken;

class TestGetCommand : public QObject {
    Q_OBJECT

  private slots:
    void withoutBrowserNothingChanges();
    void getRendersAndSetsCounters();
    void lockedTitleIsEmptiedByGet();
    void emptyPageEmptiesTableAndDisablesSave();
    void failedCaptureKeepsTable();
    void renderFailureIsSwallowed();
    void allTabsMergeInWindowOrder_data();
    void allTabsMergeInWindowOrder();
    void allTabsWithoutBrowserNothingChanges();
};

void TestGetCommand::withoutBrowserNothingChanges() {
    CaptureFixture f;
    f.doc->addImage("http://h/1.jpg", 10, 10);
    f.state.table.append("http://h/old.jpg", "1*1", kPlaceholderLinkUrl, "http://h/");
    f.state.titleItems = {"Old"};
    f.state.titleText = "Old";
    f.state.getEnabled = true;
    f.state.saveEnabled = true;
    f.state.savedLabel = "Saved:3/4";
    f.state.countLabel = "1";
    BrowserPtr previous = f.state.attached;

    FakeBrowserFinder finder;  // finds no browser
    int renders = 0;
    GetCommand(finder, [&] { ++renders; }).Run(f.state, false);

    QCOMPARE(finder.calls, 1);
    QCOMPARE(renders, 0);
    QCOMPARE(f.rows(), QStringList{"http://h/old.jpg|1*1|-|http://h/"});
    QCOMPARE(f.state.titleItems, QStringList{"Old"});
    QCOMPARE(f.state.titleText, QString("Old"));
    QCOMPARE(f.state.savedLabel, QString("Saved:3/4"));
    QCOMPARE(f.state.countLabel, QString("1"));
    QVERIFY(f.state.getEnabled && f.state.saveEnabled);
    QCOMPARE(f.state.attached, previous);  // a failed discovery keeps the attachment
    QCOMPARE(f.browser->calls()->total(), 0);
}

void TestGetCommand::getRendersAndSetsCounters() {
    CaptureFixture f;
    f.state.attached.reset();
    f.doc->addImage("http://h/1.jpg", 10, 10);
    f.doc->addImage("http://h/2.jpg", 10, 10);
    f.state.titleItems = {"Stale"};
    f.state.savedLabel = "Saved:1/2";

    FakeBrowserFinder finder;
    finder.browser = f.browser;
    int renders = 0;
    bool disabledWhileRendering = false;
    GetCommand get(finder, [&] {
        ++renders;
        disabledWhileRendering = !f.state.getEnabled && !f.state.saveEnabled;
        QCOMPARE(f.state.table.size(), 2);
    });
    get.Run(f.state, false);

    QCOMPARE(f.state.attached, BrowserPtr(f.browser));
    QCOMPARE(renders, 1);
    QVERIFY(disabledWhileRendering);
    QCOMPARE(f.state.countLabel, QString("2"));
    QCOMPARE(f.state.savedLabel, QString("Saved:0/0"));
    QVERIFY(f.state.getEnabled);
    QVERIFY(f.state.saveEnabled);
    QCOMPARE(f.state.titleItems, QStringList{"Top"});
    QCOMPARE(f.state.titleText, QString("Top"));
}

void TestGetCommand::lockedTitleIsEmptiedByGet() {
    CaptureFixture f;
    f.doc->addImage("http://h/1.jpg", 10, 10);
    f.state.lock = true;
    f.state.titleText = "Typed by the user";
    FakeBrowserFinder finder;
    finder.browser = f.browser;
    GetCommand(finder, {}).Run(f.state, false);
    QCOMPARE(f.state.titleText, QString());
    QCOMPARE(f.state.titleItems, QStringList{"Top"});
}

void TestGetCommand::emptyPageEmptiesTableAndDisablesSave() {
    CaptureFixture f;
    f.state.table.append("http://h/old.jpg", "1*1", kPlaceholderLinkUrl, "http://h/");
    f.state.saveEnabled = true;
    FakeBrowserFinder finder;
    finder.browser = f.browser;
    int renders = 0;
    GetCommand(finder, [&] { ++renders; }).Run(f.state, false);
    QCOMPARE(f.state.table.size(), 0);
    QCOMPARE(renders, 0);  // the preview keeps showing the previous pictures
    QCOMPARE(f.state.countLabel, QString("0"));
    QVERIFY(f.state.getEnabled);
    QVERIFY(!f.state.saveEnabled);
}

void TestGetCommand::failedCaptureKeepsTable() {
    CaptureFixture f;
    f.doc->addImage("http://h/new.jpg", 10, 10);
    f.doc->failing = {"title"};
    f.state.table.append("http://h/old.jpg", "1*1", kPlaceholderLinkUrl, "http://h/");
    f.state.countLabel = "Total:0";
    FakeBrowserFinder finder;
    finder.browser = f.browser;
    int renders = 0;
    GetCommand(finder, [&] { ++renders; }).Run(f.state, false);
    QCOMPARE(f.rows(), QStringList{"http://h/old.jpg|1*1|-|http://h/"});
    QCOMPARE(renders, 1);
    QCOMPARE(f.state.countLabel, QString("1"));
    QVERIFY(f.state.getEnabled && f.state.saveEnabled);
}

void TestGetCommand::renderFailureIsSwallowed() {
    CaptureFixture f;
    f.doc->addImage("http://h/1.jpg", 10, 10);
    FakeBrowserFinder finder;
    finder.browser = f.browser;
    GetCommand(finder, [] { throw PageError("zone gone"); }).Run(f.state, false);
    QCOMPARE(f.state.countLabel, QString("1"));
    QVERIFY(f.state.getEnabled && f.state.saveEnabled);
}

QTEST_GUILESS_MAIN(TestGetCommand)

namespace {

// Three tabs of one window; the user looks at the second.
struct ThreeTabs {
    CaptureFixture first{QStringLiteral("http://a/p.htm"), QStringLiteral("A")};
    std::shared_ptr<FakeBrowser> second = std::make_shared<FakeBrowser>();
    std::shared_ptr<FakeBrowser> third = std::make_shared<FakeBrowser>();
    FakeBrowserFinder finder;

    ThreeTabs() {
        first.doc->addImage("http://a/1.jpg", 10, 10);
        first.doc->addImage("http://shared/s.jpg", 10, 10);
        second->showPage("http://b/p.htm", "B")->addImage("http://b/1.jpg", 10, 10);
        FakeDocumentPtr third_ = third->showPage("http://c/p.htm", "C");
        third_->addImage("http://shared/S.jpg", 10, 10);  // the same picture: one row
        third_->addImage("http://c/1.jpg", 10, 10);
        finder.window.tabs = {first.browser, second, third};
        finder.window.lookedAt = 1;
    }
    CaptureState& state() { return first.state; }
};

}  // namespace

void TestGetCommand::allTabsMergeInWindowOrder_data() {
    QTest::addColumn<bool>("merge");
    QTest::addColumn<QString>("failing");  // the tab whose document cannot be read
    QTest::addColumn<QStringList>("pictures");
    const QStringList all = {"http://a/1.jpg", "http://shared/s.jpg", "http://b/1.jpg", "http://c/1.jpg"};
    QTest::newRow("replace") << false << QString() << all;
    QTest::newRow("merge keeps the rows before")
        << true << QString() << (QStringList{"http://old/o.jpg"} + all);
    QTest::newRow("a failing first tab")
        << false << "first" << QStringList{"http://b/1.jpg", "http://shared/S.jpg", "http://c/1.jpg"};
    QTest::newRow("a failing looked-at tab")
        << false << "second" << QStringList{"http://a/1.jpg", "http://shared/s.jpg", "http://c/1.jpg"};
}

void TestGetCommand::allTabsMergeInWindowOrder() {
    QFETCH(bool, merge);
    QFETCH(QString, failing);
    QFETCH(QStringList, pictures);
    ThreeTabs t;
    t.state().merge = merge;
    t.state().table.append("http://old/o.jpg", "1*1", kPlaceholderLinkUrl, "http://old/");
    if (failing == "first")
        t.first.browser->failing.insert("document");
    if (failing == "second")
        t.second->failing.insert("document");
    int renders = 0;
    GetCommand(t.finder, [&] { ++renders; }).RunAllTabs(t.state(), false);

    QCOMPARE(t.state().table.picUrl, pictures);
    QCOMPARE(t.state().merge, merge);
    QCOMPARE(t.state().attached, BrowserPtr(t.second));
    QCOMPARE(renders, 1);
    QCOMPARE(t.state().countLabel, QString::number(pictures.size()));
    QVERIFY(t.state().saveEnabled && t.state().getEnabled);
    if (failing != "second") {
        // The page the user looks at names the folder, whichever tab came last.
        QCOMPARE(t.state().titleText, QString("B"));
        QCOMPARE(t.state().pageLocation, QString("http://b/p.htm"));
    }
    QStringList titles = {"A", "B", "C"};
    titles.removeAll(failing == "first" ? "A" : failing == "second" ? "B" : "");
    QCOMPARE(t.state().titleItems, titles);
}

void TestGetCommand::allTabsWithoutBrowserNothingChanges() {
    CaptureFixture f;
    f.state.table.append("http://h/old.jpg", "1*1", kPlaceholderLinkUrl, "http://h/");
    f.state.countLabel = "1";
    FakeBrowserFinder finder;  // no browser, no window
    GetCommand(finder, [] {}).RunAllTabs(f.state, false);
    QCOMPARE(finder.calls, 1);
    QCOMPARE(f.rows(), QStringList{"http://h/old.jpg|1*1|-|http://h/"});
    QCOMPARE(f.state.countLabel, QString("1"));
}

#include "tst_getcommand.moc"
