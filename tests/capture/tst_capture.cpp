#include <QTest>

#include "capture/Capture.h"
#include "capture/CaptureFixture.h"

using namespace vorlaken;

class TestCapture : public QObject {
    Q_OBJECT

  private slots:
    void sizeTest_data();
    void sizeTest();
    void urlFilters_data();
    void urlFilters();
    void filterTextsAreTrimmedAndWrittenBack();
    void enhancedRunUsesEnhancedFilters();

    void linkLookup_data();
    void linkLookup();
    void nearByLink_data();
    void nearByLink();
    void linkFilters_data();
    void linkFilters();

    void inputPass();
    void localPictures_data();
    void localPictures();
    void localPicturesJudgedPerFrame();
    void duplicatesIgnoreCase();
    void mergeOrReplace();

    void titleAndLocation();
    void lockKeepsTitleText();
    void noPicturesTakesTopTitleAndLocation();

    void framesOfFramesAreNotVisited();
    void failingFrameIsSkippedWhole();
    void documentFailureLeavesTableUnchanged();

    void probeRecordsBiggest();
    void callsDoNotGrowWithPictures();
};

// ---- filters

void TestCapture::sizeTest_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("W");
    QTest::addColumn<int>("H");
    QTest::addColumn<int>("w");
    QTest::addColumn<int>("h");
    QTest::addColumn<bool>("passes");

    for (int mode : {0, 1, 2}) {
        QTest::addRow("no limits, mode %d", mode) << mode << 0 << 0 << 3 << 99999 << true;
    }
    QTest::newRow("lower, W=0: 10x100 by height") << 0 << 0 << 100 << 10 << 100 << true;
    QTest::newRow("lower, W=0: 500x99") << 0 << 0 << 100 << 500 << 99 << false;
    QTest::newRow("lower, H=0: width only") << 0 << 50 << 0 << 50 << 1 << true;
    QTest::newRow("lower, H=0: too narrow") << 0 << 50 << 0 << 49 << 900 << false;
    QTest::newRow("lower: both reached") << 0 << 80 << 80 << 80 << 80 << true;
    QTest::newRow("lower: height short") << 0 << 80 << 80 << 800 << 79 << false;
    QTest::newRow("upper: both within") << 1 << 80 << 80 << 80 << 10 << true;
    QTest::newRow("upper: width over") << 1 << 80 << 80 << 81 << 10 << false;
    QTest::newRow("upper, W=0") << 1 << 0 << 100 << 5000 << 100 << true;
    QTest::newRow("exactly: match") << 2 << 200 << 150 << 200 << 150 << true;
    QTest::newRow("exactly: width off") << 2 << 200 << 150 << 201 << 150 << false;
    QTest::newRow("exactly: height off") << 2 << 200 << 150 << 200 << 149 << false;
    QTest::newRow("exactly, H=0") << 2 << 200 << 0 << 200 << 7 << true;
    QTest::newRow("unknown mode acts as exactly") << 7 << 200 << 150 << 201 << 150 << false;
}

void TestCapture::sizeTest() {
    QFETCH(int, mode);
    QFETCH(int, W);
    QFETCH(int, H);
    QFETCH(int, w);
    QFETCH(int, h);
    QFETCH(bool, passes);

    CaptureFixture f;
    f.state.mainFilters.sizeMode = mode;
    f.state.mainFilters.widthLimit = W;
    f.state.mainFilters.heightLimit = H;
    f.doc->addImage("http://h/a.jpg", w, h);
    Capture(f.state, false);
    QCOMPARE(f.state.table.size(), passes ? 1 : 0);
}

void TestCapture::urlFilters_data() {
    QTest::addColumn<QString>("include");
    QTest::addColumn<QString>("exclude");
    QTest::addColumn<QString>("src");
    QTest::addColumn<bool>("kept");

    QTest::newRow("no filters") << ""
                                << ""
                                << "http://h/x.gif" << true;
    QTest::newRow("include matches upper-case address") << "jpg"
                                                        << ""
                                                        << "http://h/PHOTO.JPG" << true;
    QTest::newRow("include missing") << "jpg"
                                     << ""
                                     << "http://h/photo.png" << false;
    QTest::newRow("star is literal, absent") << "*.jpg"
                                             << ""
                                             << "http://h/photo.jpg" << false;
    QTest::newRow("star is literal, present") << "*.jpg"
                                              << ""
                                              << "http://h/a*.jpg" << true;
    QTest::newRow("exclude matches") << ""
                                     << "thumb"
                                     << "http://h/THUMB/1.jpg" << false;
    QTest::newRow("exclude absent") << ""
                                    << "thumb"
                                    << "http://h/big/1.jpg" << true;
    QTest::newRow("include and exclude") << "big"
                                         << "small"
                                         << "http://h/big/small.jpg" << false;
}

void TestCapture::urlFilters() {
    QFETCH(QString, include);
    QFETCH(QString, exclude);
    QFETCH(QString, src);
    QFETCH(bool, kept);

    CaptureFixture f;
    f.state.mainFilters.urlInclude = include;
    f.state.mainFilters.urlExclude = exclude;
    f.doc->addImage(src, 10, 10);
    Capture(f.state, false);
    QCOMPARE(f.state.table.size(), kept ? 1 : 0);
    if (kept) {
        QCOMPARE(f.state.table.picUrl[0], src);  // stored as the page gave it, not lowered
    }
}

void TestCapture::filterTextsAreTrimmedAndWrittenBack() {
    CaptureFixture f;
    f.state.mainFilters.urlInclude = "  big ";
    f.state.mainFilters.linkExclude = "\tad ";
    f.doc->addImage("http://h/big.jpg", 10, 10);
    Capture(f.state, false);
    QCOMPARE(f.state.mainFilters.urlInclude, QString("big"));
    QCOMPARE(f.state.mainFilters.linkExclude, QString("ad"));
    QCOMPARE(f.state.table.size(), 1);
}

void TestCapture::enhancedRunUsesEnhancedFilters() {
    CaptureFixture f;
    f.state.mainFilters.urlExclude = "a.jpg";
    f.state.enhancedFilters.urlExclude = "b.jpg";
    f.doc->addImage("http://h/a.jpg", 10, 10);
    f.doc->addImage("http://h/b.jpg", 10, 10);
    Capture(f.state, true);
    QCOMPARE(f.state.table.picUrl, QStringList{"http://h/a.jpg"});
    Capture(f.state, false);
    QCOMPARE(f.state.table.picUrl, QStringList{"http://h/b.jpg"});
}

// ---- links

void TestCapture::linkLookup_data() {
    QTest::addColumn<QString>("parentTag");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("expected");  // "-" for the placeholder

    // The page model hands links on absolute, as the browser follows them; the capture keeps them so.
    QTest::newRow("root-relative") << "A"
                                   << "/big/1.jpg"
                                   << "http://h/big/1.jpg";
    QTest::newRow("dot-relative") << "A"
                                  << "./1.jpg"
                                  << "http://h/d/1.jpg";
    QTest::newRow("plain relative") << "A"
                                    << "big.htm"
                                    << "http://h/d/big.htm";
    QTest::newRow("query only") << "A"
                                << "?id=2"
                                << "http://h/d/p.htm?id=2";
    QTest::newRow("absolute as it is") << "A"
                                       << "http://x/y.htm"
                                       << "http://x/y.htm";
    QTest::newRow("javascript as it is") << "A"
                                         << "javascript:void(0)"
                                         << "javascript:void(0)";
    QTest::newRow("empty href") << "A"
                                << ""
                                << "-";
    QTest::newRow("blank href") << "A"
                                << "  "
                                << "-";
    QTest::newRow("parent not a link") << "SPAN"
                                       << "/x.htm"
                                       << "-";
}

void TestCapture::linkLookup() {
    QFETCH(QString, parentTag);
    QFETCH(QString, href);
    QFETCH(QString, expected);

    CaptureFixture f("http://h/d/p.htm?q=1#top");
    FakeElementPtr parent = f.doc->add(parentTag);
    parent->data.hrefAttribute = href;
    f.doc->addImage("http://h/p.jpg", 10, 10, parent);
    Capture(f.state, false);
    QCOMPARE(f.rows(), QStringList{"http://h/p.jpg|10*10|" + expected + "|http://h/d/p.htm?q=1#top"});
}

void TestCapture::nearByLink_data() {
    QTest::addColumn<bool>("nearBy");
    QTest::addColumn<QStringList>("expected");

    // Pictures: one without a link, one inside a link, one at the end with nothing after it.
    QTest::newRow("off") << false << QStringList{"-", "http://h/own.htm", "-"};
    QTest::newRow("on") << true << QStringList{"http://h/far.htm", "http://h/own.htm", "-"};
}

void TestCapture::nearByLink() {
    QFETCH(bool, nearBy);
    QFETCH(QStringList, expected);

    CaptureFixture f;
    f.state.linkNearBy = nearBy;
    f.doc->addLink("http://h/before.htm");
    f.doc->addImage("http://h/1.jpg", 10, 10);
    FakeElementPtr box = f.doc->add("DIV");
    f.doc->addLink("", box);  // an empty HREF is passed over
    for (int i = 0; i < 50; ++i) {
        f.doc->add("P", box);  // no distance limit
    }
    f.doc->addLink("/far.htm", box);  // absolute like an enclosing link
    f.doc->addImage("http://h/2.jpg", 10, 10, f.doc->addLink("http://h/own.htm"));
    f.doc->addImage("http://h/3.jpg", 10, 10);
    Capture(f.state, false);

    QCOMPARE(f.state.table.size(), 3);
    QStringList links;
    for (const QString& l : f.state.table.linkUrl) {
        links << (l == kPlaceholderLinkUrl ? QStringLiteral("-") : l);
    }
    QCOMPARE(links, expected);
}

void TestCapture::linkFilters_data() {
    QTest::addColumn<QString>("include");
    QTest::addColumn<QString>("exclude");
    QTest::addColumn<bool>("withLinks");
    QTest::addColumn<QStringList>("kept");

    // Pictures: linked.jpg -> http://h/SHOW/1.htm, bare.jpg without link, other.jpg -> http://h/ad.htm
    const QStringList all = {"linked.jpg", "bare.jpg", "other.jpg"};
    QTest::newRow("none") << ""
                          << "" << false << all;
    QTest::newRow("none, with links") << ""
                                      << "" << true << all;
    QTest::newRow("include, unlinked kept") << "show"
                                            << "" << false << QStringList{"linked.jpg", "bare.jpg"};
    QTest::newRow("include, unlinked dropped") << "show"
                                               << "" << true << QStringList{"linked.jpg"};
    QTest::newRow("exclude, unlinked kept") << ""
                                            << "ad" << false << QStringList{"linked.jpg", "bare.jpg"};
    QTest::newRow("exclude with links keeps unlinked")
        << ""
        << "ad" << true << QStringList{"linked.jpg", "bare.jpg"};
}

void TestCapture::linkFilters() {
    QFETCH(QString, include);
    QFETCH(QString, exclude);
    QFETCH(bool, withLinks);
    QFETCH(QStringList, kept);

    CaptureFixture f;
    f.state.mainFilters.linkInclude = include;
    f.state.mainFilters.linkExclude = exclude;
    f.state.picturesWithLinks = withLinks;
    f.doc->addImage("http://h/linked.jpg", 10, 10, f.doc->addLink("http://h/SHOW/1.htm"));
    f.doc->addImage("http://h/bare.jpg", 10, 10);
    f.doc->addImage("http://h/other.jpg", 10, 10, f.doc->addLink("http://h/ad.htm"));
    Capture(f.state, false);

    QStringList names;
    for (const QString& url : f.state.table.picUrl) {
        names << url.mid(url.lastIndexOf('/') + 1);
    }
    QCOMPARE(names, kept);
}

// ---- INPUT pictures, duplicates, merge

void TestCapture::inputPass() {
    CaptureFixture f;
    f.state.mainFilters.linkInclude = "show";
    f.state.mainFilters.urlExclude = "skip";
    f.state.picturesWithLinks = true;
    auto input = [&](const QString& type, const QString& src, int w) {
        FakeElementPtr e = f.doc->add("INPUT", f.doc->addLink("http://h/elsewhere.htm"));
        e->data.type = type;
        e->data.src = src;
        e->data.width = w;
        e->data.height = 20;
    };
    input("image", "http://h/button.gif", 30);
    f.doc->addImage("http://h/pic.jpg", 10, 10, f.doc->addLink("http://h/show.htm"));
    input("submit", "http://h/submit.gif", 30);
    input("image", "", 30);
    input("image", "http://h/skip.gif", 30);
    input("image", "http://h/PIC.jpg", 30);  // already taken by the IMG pass

    Capture(f.state, false);  // "special process" is off
    QCOMPARE(f.rows(), QStringList{"http://h/pic.jpg|10*10|http://h/show.htm|http://h/d/p.htm"});

    f.state.specialProcess = true;
    Capture(f.state, false);
    QCOMPARE(f.rows(), (QStringList{"http://h/pic.jpg|10*10|http://h/show.htm|http://h/d/p.htm",
                                    "http://h/button.gif|30*20|-|http://h/d/p.htm"}));
}

void TestCapture::localPictures_data() {
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("src");
    QTest::addColumn<bool>("taken");

    const QString web = "http://h/d/p.htm";
    const QString local = "file:///home/u/p.htm";
    QTest::newRow("web page, file picture") << web << "file:///home/u/private.png" << false;
    QTest::newRow("web page, upper-case scheme") << web << "FILE:///home/u/private.png" << false;
    QTest::newRow("web page, blanks around") << web << " \tfile:///home/u/private.png " << false;
    QTest::newRow("web page, tab inside the scheme") << web << "fi\tle:///home/u/private.png" << false;
    QTest::newRow("web page, file host form") << web << "file://localhost/etc/x.png" << false;
    QTest::newRow("web page, blob of a local origin") << web << "blob:file:///0f1e-22" << false;
    QTest::newRow("web page, filesystem of a local origin")
        << web << "Filesystem:FILE:///temporary/x.png" << false;
    QTest::newRow("web page, blob of a web origin") << web << "blob:http://h/0f1e-22" << true;
    QTest::newRow("web page, file only in the query") << web << "http://h/i?u=file:///x.png" << true;
    QTest::newRow("web page, file in the name") << web << "http://h/file.png" << true;
    QTest::newRow("web page, path without scheme") << web << "/etc/passwd" << false;
    QTest::newRow("data frame, name without scheme") << "data:text/html,<img src=x.png>"
                                                     << "x.png" << false;
    QTest::newRow("web page, protocol-relative") << web << "//h/x.png" << false;
    QTest::newRow("local page, file picture") << local << "file:///home/u/private.png" << true;
    QTest::newRow("local page, upper-case") << "FILE:///home/u/p.htm"
                                            << "file:///home/u/a.png" << true;
    QTest::newRow("unreadable page address, file picture") << ""
                                                           << "file:///home/u/private.png" << false;
    QTest::newRow("blank page, file picture") << "about:blank"
                                              << "file:///home/u/private.png" << false;
}

void TestCapture::localPictures() {
    QFETCH(QString, page);
    QFETCH(QString, src);
    QFETCH(bool, taken);

    CaptureFixture f(page.isEmpty() ? QStringLiteral("http://h/d/p.htm") : page);
    if (page.isEmpty()) {
        f.doc->failing = {"url"};
    }
    f.state.specialProcess = true;
    f.doc->addImage("http://h/before.jpg", 10, 10);
    f.doc->addImage(src, 50, 50, f.doc->addLink("http://h/big.htm"));
    FakeElementPtr input = f.doc->add("INPUT");
    input->data.type = "image";
    input->data.src = src + "#input";
    f.doc->addImage("http://h/after.jpg", 10, 10);
    Capture(f.state, false);

    QStringList expected{"http://h/before.jpg", "http://h/after.jpg"};
    if (taken) {
        expected.insert(1, src);
        expected << src + "#input";
    }
    QCOMPARE(f.state.table.picUrl, expected);
    // A picture left out is no candidate for the click of the auto-click mode either.
    QCOMPARE(f.state.probe.biggestArea, taken ? 2500 : 100);
}

// Each document is judged by its own address, frames included.
void TestCapture::localPicturesJudgedPerFrame() {
    CaptureFixture f("file:///home/u/top.htm");
    f.doc->addImage("file:///home/u/top.png", 10, 10);
    std::shared_ptr<FakeBrowser> web = f.browser->addFrame("http://h/f.htm", "Web");
    web->page->addImage("file:///home/u/secret.png", 900, 900);
    web->page->addImage("http://h/f.png", 10, 10);
    std::shared_ptr<FakeBrowser> local = f.browser->addFrame("file:///home/u/f.htm", "Local");
    local->page->addImage("file:///home/u/f.png", 10, 10);

    Capture(f.state, false);
    QCOMPARE(f.rows(), (QStringList{"file:///home/u/top.png|10*10|-|file:///home/u/top.htm",
                                    "http://h/f.png|10*10|-|http://h/f.htm",
                                    "file:///home/u/f.png|10*10|-|file:///home/u/f.htm"}));

    // A web page framing a local one: the local frame shows its own pictures.
    CaptureFixture g("http://h/top.htm");
    g.doc->addImage("file:///home/u/top.png", 10, 10);
    g.browser->addFrame("file:///home/u/f.htm", "Local")->page->addImage("file:///home/u/f.png", 10, 10);
    Capture(g.state, false);
    QCOMPARE(g.state.table.picUrl, QStringList{"file:///home/u/f.png"});
}

void TestCapture::duplicatesIgnoreCase() {
    CaptureFixture f;
    f.doc->addImage("http://h/A.jpg", 10, 11, f.doc->addLink("http://h/first.htm"));
    f.doc->addImage("http://h/a.JPG", 20, 21, f.doc->addLink("http://h/second.htm"));
    f.doc->addImage("http://h/A.jpg", 30, 31);
    std::shared_ptr<FakeBrowser> frame = f.browser->addFrame("http://h/frame.htm", "Frame");
    frame->page->addImage("HTTP://H/A.JPG", 40, 41);
    frame->page->addImage("http://h/b.jpg", 50, 51);

    Capture(f.state, false);
    QCOMPARE(f.rows(), (QStringList{"http://h/A.jpg|10*11|http://h/first.htm|http://h/d/p.htm",
                                    "http://h/b.jpg|50*51|-|http://h/frame.htm"}));
}

void TestCapture::mergeOrReplace() {
    CaptureFixture f;
    f.doc->addImage("http://h/1.jpg", 10, 10);
    f.doc->addImage("http://h/2.jpg", 10, 10);
    Capture(f.state, false);
    QCOMPARE(f.state.countLabel, QString("2"));

    // Merging another page: the old rows stay first with their values, only new pictures follow.
    FakeDocumentPtr second = f.browser->showPage("http://h/other.htm", "Other");
    second->addImage("http://h/3.jpg", 5, 5);
    second->addImage("http://h/2.JPG", 99, 99);
    f.state.merge = true;
    Capture(f.state, false);
    QCOMPARE(f.rows(), (QStringList{"http://h/1.jpg|10*10|-|http://h/d/p.htm",
                                    "http://h/2.jpg|10*10|-|http://h/d/p.htm",
                                    "http://h/3.jpg|5*5|-|http://h/other.htm"}));
    QCOMPARE(f.state.countLabel, QString("3"));

    // Without merge a page without pictures empties the table.
    f.browser->showPage("http://h/empty.htm", "Empty");
    f.state.merge = false;
    Capture(f.state, false);
    QCOMPARE(f.state.table.size(), 0);
    QCOMPARE(f.state.table.sizeText.size(), 0);
    QCOMPARE(f.state.countLabel, QString("0"));
}

// ---- title and location

void TestCapture::titleAndLocation() {
    CaptureFixture f("http://h/top.htm", "Top");
    f.doc->addImage("http://h/t1.jpg", 10, 10);
    std::shared_ptr<FakeBrowser> tie =
        f.browser->addFrame("http://h/tie.htm", "TOP");  // same title, other case
    tie->page->addImage("http://h/e1.jpg", 10, 10);
    std::shared_ptr<FakeBrowser> rich = f.browser->addFrame("http://h/rich.htm", "Rich");
    rich->page->addImage("http://h/r1.jpg", 10, 10);
    rich->page->addImage("http://h/r2.jpg", 10, 10);
    f.browser->addFrame("http://h/none.htm", "");
    f.browser->location = "http://h/top.htm#here";

    Capture(f.state, false);
    QCOMPARE(f.state.titleItems, (QStringList{"Top", "Rich"}));
    QCOMPARE(f.state.titleText, QString("Rich"));
    QCOMPARE(f.state.pageTitle, QString("Rich"));
    // The location is always the top browser's, also when a frame gave the title.
    QCOMPARE(f.state.locationText, QString("http://h/top.htm#here"));
    QCOMPARE(f.state.pageLocation, QString("http://h/top.htm#here"));

    // A tie keeps the earlier document.
    rich->page->bodyElement()->removeChildren();
    rich->page->addImage("http://h/r1.jpg", 10, 10);
    Capture(f.state, false);
    QCOMPARE(f.state.titleText, QString("Top"));
    QCOMPARE(f.state.titleItems, (QStringList{"Top", "Rich"}));  // a capture adds, never empties
}

void TestCapture::lockKeepsTitleText() {
    CaptureFixture f("http://h/top.htm", "Top");
    f.doc->addImage("http://h/t1.jpg", 10, 10);
    f.state.lock = true;
    f.state.titleText = "Chosen before";
    Capture(f.state, false);
    QCOMPARE(f.state.titleText, QString("Chosen before"));
    QCOMPARE(f.state.titleItems, QStringList{"Top"});
    QCOMPARE(f.state.pageTitle, QString("Top"));
    QCOMPARE(f.state.locationText, QString("http://h/top.htm"));
}

void TestCapture::noPicturesTakesTopTitleAndLocation() {
    CaptureFixture f("http://h/top.htm", "Top");
    f.browser->addFrame("http://h/f.htm", "Frame");
    f.state.locationText = "old";
    f.state.titleText = "old";
    Capture(f.state, false);
    QCOMPARE(f.state.titleText, QString("Top"));
    QCOMPARE(f.state.locationText, QString("http://h/top.htm"));
    QCOMPARE(f.state.titleItems, (QStringList{"Top", "Frame"}));
}

// ---- frames and failures

void TestCapture::framesOfFramesAreNotVisited() {
    CaptureFixture f;
    std::shared_ptr<FakeBrowser> frame = f.browser->addFrame("http://h/f.htm", "F");
    frame->page->addImage("http://h/f.jpg", 10, 10);
    std::shared_ptr<FakeBrowser> inner = frame->addFrame("http://h/inner.htm", "Inner");
    inner->page->addImage("http://h/inner.jpg", 10, 10);
    f.browser->frameList.push_back(nullptr);  // a plug-in: not a browser

    Capture(f.state, false);
    QCOMPARE(f.state.table.picUrl, QStringList{"http://h/f.jpg"});
    QVERIFY(!f.state.titleItems.contains("Inner"));
}

void TestCapture::failingFrameIsSkippedWhole() {
    CaptureFixture f;
    f.doc->addImage("http://h/top.jpg", 10, 10);
    std::shared_ptr<FakeBrowser> broken = f.browser->addFrame("http://h/broken.htm", "Broken");
    broken->page->addImage("http://h/broken.jpg", 500, 500);
    broken->page->failing << "title";  // fails after its pictures were read
    std::shared_ptr<FakeBrowser> gone = f.browser->addFrame("http://h/gone.htm", "Gone");
    gone->failing << "document";
    std::shared_ptr<FakeBrowser> good = f.browser->addFrame("http://h/good.htm", "Good");
    good->page->addImage("http://h/good.jpg", 10, 10);

    Capture(f.state, false);
    QCOMPARE(f.state.table.picUrl, (QStringList{"http://h/top.jpg", "http://h/good.jpg"}));
    QCOMPARE(f.state.titleItems, (QStringList{"Top", "Good"}));
    QCOMPARE(f.state.titleText, QString("Top"));
    QCOMPARE(f.state.probe.biggestArea, 100);  // the broken frame's picture left no record
}

void TestCapture::documentFailureLeavesTableUnchanged() {
    CaptureFixture f;
    f.doc->addImage("http://h/1.jpg", 10, 10);
    Capture(f.state, false);
    const QStringList before = f.rows();

    f.doc->addImage("http://h/2.jpg", 10, 10);
    for (const char* failure : {"images.read", "title", "images"}) {
        f.doc->failing = {QString(failure)};
        QVERIFY_THROWS_EXCEPTION(PageError, Capture(f.state, false));
        QCOMPARE(f.rows(), before);
        QCOMPARE(f.state.countLabel, QString("1"));
    }
    f.doc->failing.clear();
    f.browser->page.reset();  // no document at all
    QVERIFY_THROWS_EXCEPTION(PageError, Capture(f.state, false));
    QCOMPARE(f.rows(), before);

    // An unreadable page address only empties pageUrl.
    CaptureFixture g;
    g.doc->addImage("http://h/1.jpg", 10, 10);
    g.doc->failing = {"url"};
    Capture(g.state, false);
    QCOMPARE(g.rows(), QStringList{"http://h/1.jpg|10*10|-|"});
}

// ---- probe and cost

void TestCapture::probeRecordsBiggest() {
    CaptureFixture f;
    FakeElementPtr first = f.doc->addImage("http://h/1.jpg", 20, 10);
    f.doc->addImage("http://h/2.jpg", 10, 20);  // same area: the first keeps the place
    FakeElementPtr linked = f.doc->addImage("http://h/3.jpg", 10, 10, f.doc->addLink("http://h/x.htm"));
    std::shared_ptr<FakeBrowser> frame = f.browser->addFrame("http://h/f.htm", "F");
    FakeElementPtr big = frame->page->addImage("http://h/4.jpg", 30, 30);
    FakeElementPtr bigLinked = frame->page->addImage("http://h/5.jpg", 15, 15, frame->page->addLink("/y"));

    // Without the probe flag only the unlinked record moves.
    Capture(f.state, false);
    QCOMPARE(f.state.probe.biggestArea, 900);
    QCOMPARE(f.state.probe.biggestElement.get(), big.get());
    QCOMPARE(f.state.probe.biggestBrowser.get(), frame.get());
    QCOMPARE(f.state.probe.biggestLinkedArea, 0);
    QVERIFY(!f.state.probe.biggestLinkedElement);

    f.state.probe.reset();
    f.state.probe.probe = true;
    frame->frameList.clear();
    f.browser->frameList.clear();
    Capture(f.state, false);
    QCOMPARE(f.state.probe.biggestArea, 200);
    QCOMPARE(f.state.probe.biggestElement.get(), first.get());
    QCOMPARE(f.state.probe.biggestBrowser.get(), f.browser.get());
    QCOMPARE(f.state.probe.biggestLinkedArea, 100);
    QCOMPARE(f.state.probe.biggestLinkedElement.get(), linked.get());

    // Records are never reset by a capture: a later, smaller page does not replace them.
    f.browser->frameList.push_back(frame);
    Capture(f.state, false);
    QCOMPARE(f.state.probe.biggestLinkedArea, 225);
    QCOMPARE(f.state.probe.biggestLinkedElement.get(), bigLinked.get());
    QCOMPARE(f.state.probe.biggestLinkedBrowser.get(), frame.get());
}

void TestCapture::callsDoNotGrowWithPictures() {
    auto callsFor = [](int pictures) {
        CaptureFixture f;
        f.state.specialProcess = true;
        f.state.linkNearBy = true;
        f.state.probe.probe = true;
        for (FakeDocumentPtr doc : {f.doc, f.browser->addFrame("http://h/f.htm", "F")->page}) {
            for (int i = 0; i < pictures; ++i) {
                const QString n = doc->urlValue.right(5) + QString::number(i);
                doc->addImage("http://h/" + n + ".jpg", 10 + i, 10);  // each one bigger
                doc->addImage("http://h/l" + n + ".jpg", 10 + i, 10, doc->addLink("/l" + n));
                FakeElementPtr input = doc->add("INPUT");
                input->data.type = "image";
                input->data.src = "http://h/i" + n + ".gif";
                doc->addLink("http://h/next" + n);
            }
        }
        f.browser->calls()->reset();
        Capture(f.state, false);
        if (f.state.table.size() != 6 * pictures) {
            return -1;
        }
        return f.browser->calls()->total();
    };
    const int few = callsFor(3);
    QVERIFY(few > 0);
    QCOMPARE(callsFor(300), few);
}

QTEST_GUILESS_MAIN(TestCapture)
#include "tst_capture.moc"
