#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "cacheviewer/SaveName.h"
#include "cacheviewer/ShownCommands.h"
#include "cacheviewer/ShownPage.h"
#include "support/FakeDesktop.h"
#include "support/FakePageModel.h"

using namespace vorlaken;

namespace {

int countOf(const QStringList& lines, const QString& line) {
    return int(lines.count(line));
}

QList<FakeElementPtr> imagesOf(FakeBrowser& browser) {
    QList<FakeElementPtr> images;
    for (const FakeElementPtr& element : browser.page->elements()) {
        if (element->data.tagName == QLatin1String("IMG")) {
            images << element;
        }
    }
    return images;
}

QList<FakeElementPtr> checkboxesOf(FakeBrowser& browser) {
    QList<FakeElementPtr> boxes;
    for (const FakeElementPtr& element : browser.page->elements()) {
        if (element->data.tagName == QLatin1String("INPUT")) {
            boxes << element;
        }
    }
    return boxes;
}

}  // namespace

// "Show All", the rendered layouts, "Filter", "Save" with its names, and the folder choice.
class ShowAllTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        folder_.emplace();
        state_ = ViewerState();
        shownZone_ = FakeBrowser();
        desktop_ = FakeDesktop();
        programDir_.emplace(folder_->path(), folder_->path() + QStringLiteral("/user"));
    }

    void showAllNumbersByListPosition() {
        found(3);
        state_.listChecked = {true, false, true};
        state_.thumbnail = true;
        state_.originSize = false;
        commands().ShowAll();
        QCOMPARE(state_.shownFiles, QStringList({file(1), file(3)}));
        QCOMPARE(state_.currentTab, int(ViewerState::ShowAllTab));
        QVERIFY(!state_.thumbnail);
        QVERIFY(state_.originSize);
        QVERIFY(state_.filterEnabled);
        const QStringList page = shownZone_.loadedHtml.first().split(QStringLiteral("\r\n"));
        QCOMPARE(page.mid(0, 7),
                 QStringList({
                     QStringLiteral("<html>"),
                     QStringLiteral("<body>"),
                     QStringLiteral("<form name=\"form1\" method=\"POST\" action=\"#\">"),
                     QStringLiteral("<input type=\"checkbox\" name=\"c1\" checked=true><br>"),
                     QStringLiteral("<img  name=p1 border=0  src=\"file://") + file(1) + QLatin1Char('"'),
                     QStringLiteral(" onclick=\"javascript:c1.checked=!c1.checked;\""),
                     QStringLiteral(" onerror='javascript:c1.checked=false;this.onerror=\"\";"
                                    "this.width=0;'>"),
                 }));
        QCOMPARE(page.at(7), QStringLiteral("<input type=\"checkbox\" name=\"c3\" checked=true><br>"));
        QCOMPARE(page.at(11), QStringLiteral("</form>"));
        QCOMPARE(page.at(12), QString());  // every line ends in CR LF; no closing body or html
        // Both boxes changed, so the page was rendered again, numbered 1 and 2 without gaps.
        const QString body = shownZone_.page->bodyElement()->data.innerHtml;
        QVERIFY(body.contains(QStringLiteral("name=\"c2\"")));
        QVERIFY(!body.contains(QStringLiteral("name=\"c3\"")));
        QCOMPARE(state_.pictureInformation,
                 QStringList({QStringLiteral("Picture URLs:"), url(1), url(3), QString(),
                              QStringLiteral("Cached Pictures:"), file(1), file(3)}));
    }

    void showAllEscapesPaths() {
        const QStringList lines =
            ShownPage::showAllLines({QStringLiteral("/c/a\"><script>x</script>%3C'.jpg")}, {1});
        QCOMPARE(lines.at(4),
                 QStringLiteral("<img  name=p1 border=0  src=\"file:///c/a%22%3E%3Cscript%3Ex%3C/"
                                "script%3E%253C&#39;.jpg\""));
    }

    void tableLayoutCells_data() {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("emptyCells");
        QTest::newRow("5 in 2 columns") << 5 << 250 << 3 << 1;
        QTest::newRow("4 in 2 columns") << 4 << 250 << 2 << 0;
        QTest::newRow("narrow gives one column") << 2 << 40 << 2 << 0;
        QTest::newRow("7 in 3 columns") << 7 << 399 << 3 << 2;
    }

    void tableLayoutCells() {
        QFETCH(int, pictures);
        QFETCH(int, width);
        QFETCH(int, rows);
        QFETCH(int, emptyCells);
        QStringList files;
        for (int i = 1; i <= pictures; ++i) {
            files << QStringLiteral("/c/%1.jpg").arg(i);
        }
        const QStringList lines = ShownPage::renderLines(files, true, false, width);
        QCOMPARE(countOf(lines, QStringLiteral("<tr>")), rows);
        QCOMPARE(countOf(lines, QStringLiteral("</tr>")), rows);
        QCOMPARE(countOf(lines, QStringLiteral("<td></td>")), emptyCells);
        QCOMPARE(lines.at(3), QStringLiteral("<table  border=0 width=\"100%\" >"));
        QCOMPARE(
            lines.at(5),
            QStringLiteral("<td valign=top><font style=\"font-size:9pt\"><input type=\"checkbox\" "
                           "name=\"c1\" checked=true>1<br><img  name=p1 border=0  src=\"file:///c/1.jpg\" "
                           "onload=\"if (this.width>100) this.width=100\" onclick=\"javascript:c1."
                           "checked=!c1.checked;\" onerror='javascript:c1.checked=false;this."
                           "onerror=\"\";this.width=0;'></font></td>"));
    }

    void listLayoutLines() {
        const QStringList atOrigin = ShownPage::renderLines({QStringLiteral("/c/a.png")}, false, true, 500);
        QCOMPARE(atOrigin,
                 QStringList({
                     QStringLiteral("<html>"),
                     QStringLiteral("<body>"),
                     QStringLiteral("<form name=\"form1\" method=\"POST\" action=\"#\">"),
                     QStringLiteral("<font style=\"font-size:9pt\">"),
                     QStringLiteral(
                         "<p><input type=\"checkbox\" name=\"c1\"  checked=true >1<br><img  name=p1 "
                         "border=0 src=\"file:///c/a.png\" onclick=\"javascript:c1.checked=!c1.checked;\" "
                         "onerror='javascript:c1.checked=false;this.onerror=\"\";this.width=0;'></p>"),
                     QStringLiteral("</font>"),
                     QStringLiteral("</form>"),
                 }));
        const QStringList limited = ShownPage::renderLines({QStringLiteral("/c/a.png")}, false, false, 500);
        QCOMPARE(
            limited.at(4),
            QStringLiteral("<p><input type=\"checkbox\" name=\"c1\"  checked=true >1<br><img  name=p1 "
                           "border=0  src=\"file:///c/a.png\" onload=\"javascript:if (this.width>500) "
                           "this.width=500\" onclick=\"javascript:c1.checked=!c1.checked;\" "
                           "onerror='javascript:c1.checked=false;this.onerror=\"\";this.width=0;'></p>"));
    }

    void renderWidthAndFallbackPage() {
        found(1);
        state_.shownFiles = state_.foundFiles;
        state_.shownUrls = state_.foundUrls;
        state_.originSize = false;
        state_.tabControlWidth = 547;
        desktop_.scrollBarExtentValue = 17;
        shownZone_.showPage(QStringLiteral("about:blank"), QString());
        commands().RenderShown();
        QVERIFY(shownZone_.page->bodyElement()->data.innerHtml.contains(
            QStringLiteral("this.width>500) this.width=500")));
        shownZone_.page->bodyElement()->failing.insert(QStringLiteral("setInnerHtml"));
        commands().RenderShown();
        const QString temp = programDir_->writtenFile(QStringLiteral("tidecove_temp.htm"));
        QCOMPARE(shownZone_.navigated.last(), temp);
        QFile file(temp);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("<html>\r\n<body>\r\n"));
    }

    void filterBySize_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("widthLimit");
        QTest::addColumn<int>("heightLimit");
        QTest::addColumn<QStringList>("kept");
        // Pictures: 1 is 60x300, 2 is 90x10, 3 is 100x50, 4 is 100x80 but unticked.
        QTest::newRow("lower, width 80") << 0 << 80 << 0 << QStringList{"2", "3"};
        QTest::newRow("lower, height 40") << 0 << 0 << 40 << QStringList{"1", "3"};
        QTest::newRow("upper, width 90") << 1 << 90 << 0 << QStringList{"1", "2"};
        QTest::newRow("upper, both") << 1 << 95 << 60 << QStringList{"2"};
        QTest::newRow("exactly, width 100") << 2 << 100 << 0 << QStringList{"3"};
        QTest::newRow("exactly, 60x300") << 2 << 60 << 300 << QStringList{"1"};
        QTest::newRow("no limits keeps ticked") << 0 << 0 << 0 << QStringList{"1", "2", "3"};
    }

    void filterBySize() {
        QFETCH(int, mode);
        QFETCH(int, widthLimit);
        QFETCH(int, heightLimit);
        QFETCH(QStringList, kept);
        renderFour();
        state_.sizeMode = mode;
        state_.widthLimit = widthLimit;
        state_.heightLimit = heightLimit;
        commands().FilterShown();
        QStringList expectedFiles;
        for (const QString& n : kept) {
            expectedFiles << file(n.toInt());
        }
        QCOMPARE(state_.shownFiles, expectedFiles);
        QCOMPARE(imagesOf(shownZone_).size(), kept.size());
    }

    void filterDoesNothingWithoutOriginSize() {
        renderFour();
        state_.originSize = false;
        commands().OriginSizeClicked();
        QVERIFY(!state_.filterEnabled);
        commands().FilterShown();
        QCOMPARE(state_.shownFiles.size(), 4);
    }

    void saveNames_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("name");
        QTest::newRow("total 9") << "http://a/cat.jpg" << 3 << 9 << "3_cat.jpg";
        QTest::newRow("total 10") << "http://a/cat.jpg" << 3 << 10 << "03_cat.jpg";
        QTest::newRow("total 100") << "http://a/cat.jpg" << 3 << 100 << "003_cat.jpg";
        QTest::newRow("query and fragment") << "http://a/pic.jpg?size=2#top" << 1 << 2 << "1_pic.jpg";
        QTest::newRow("fragment only") << "http://a/view#photo.jpg" << 1 << 2 << "1_view";
        QTest::newRow("ends in slash") << "http://a/b/" << 2 << 2 << "2_";
        QTest::newRow("no slash") << "cat.jpg" << 1 << 1 << "1_";
    }

    void saveNames() {
        QFETCH(QString, url);
        QFETCH(int, n);
        QFETCH(int, total);
        QFETCH(QString, name);
        const QString folder = folder_->path() + QLatin1Char('/');
        QCOMPARE(SaveName(folder, url, n, total), folder + name);
    }

    // Names longer than the file system takes lose the end of their stem, keep number and extension,
    // and each further copy still gets a name of its own that the file system accepts.
    void saveNamesFitTheFileSystem_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("300 characters") << QString(300, u'a');
        QTest::newRow("90 CJK") << QStringLiteral("\u732B").repeated(90);
        QTest::newRow("70 emoji") << QStringLiteral("\U0001F600").repeated(70);
        QTest::newRow("10,000 characters") << QString(10000, u'b');
    }
    void saveNamesFitTheFileSystem() {
        QFETCH(QString, name);
        const QString folder = folder_->path() + QLatin1Char('/');
        const QString url = QStringLiteral("http://a/") + name + QStringLiteral(".jpg?x=1");
        QStringList made;
        for (int copy = 0; copy < 3; ++copy) {
            const QString path = SaveName(folder, url, 3, 12);
            QVERIFY(path.startsWith(folder));
            const QString file = path.mid(folder.size());
            QVERIFY2(file.toUtf8().size() <= 255, qPrintable(QString::number(file.toUtf8().size())));
            QVERIFY(file.endsWith(QStringLiteral(".jpg")));
            QVERIFY(file.startsWith(copy == 0 ? QStringLiteral("03_") : QString(copy + 1, u'_')));
            QVERIFY(!file.contains(QChar::ReplacementCharacter));
            QFile out(path);
            QVERIFY2(out.open(QIODevice::WriteOnly | QIODevice::NewOnly), qPrintable(out.errorString()));
            made << file;
        }
        QCOMPARE(QDir(folder).entryList(made, QDir::Files).size(), 3);
    }

    void saveNameTakenGetsUnderscores() {
        const QString folder = folder_->path() + QLatin1Char('/');
        for (const QString& taken : {QStringLiteral("1_cat.jpg"), QStringLiteral("__cat.jpg")}) {
            QFile file(folder + taken);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(SaveName(folder, QStringLiteral("http://a/cat.jpg"), 1, 2),
                 folder + QStringLiteral("___cat.jpg"));
    }

    void saveCopiesTickedPicturesNumberedByPage() {
        found(3);
        state_.listChecked = {true, false, true};
        commands().ShowAll();
        const QString target = folder_->path() + QStringLiteral("/out/");
        QVERIFY(QDir().mkpath(target));
        state_.cacheSaveFolder = target;
        commands().SaveShown();
        QCOMPARE(QDir(target).entryList(QDir::Files), QStringList({"1_pic1.jpg", "2_pic3.jpg"}));
        QFile copy(target + QStringLiteral("2_pic3.jpg"));
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), QByteArray("body 3"));
        QCOMPARE(desktop_.openedPaths, QStringList({target}));
        // Saving again never replaces the first copies.
        commands().SaveShown();
        commands().SaveShown();
        QCOMPARE(QDir(target).entryList(QDir::Files),
                 QStringList(
                     {"1_pic1.jpg", "2_pic3.jpg", "___pic1.jpg", "___pic3.jpg", "__pic1.jpg", "__pic3.jpg"}));
    }

    void saveTwelveAndUnticked() {
        found(12);
        state_.listChecked = QList<bool>(12, true);
        commands().ShowAll();
        checkboxesOf(shownZone_).at(4)->data.checked = false;
        state_.cacheSaveFolder = folder_->path() + QStringLiteral("/");
        commands().SaveShown();
        const QStringList saved = QDir(folder_->path()).entryList({QStringLiteral("*_pic*")}, QDir::Files);
        QCOMPARE(saved.size(), 11);
        QVERIFY(saved.contains(QStringLiteral("01_pic1.jpg")));
        QVERIFY(saved.contains(QStringLiteral("12_pic12.jpg")));
        QVERIFY(!saved.contains(QStringLiteral("05_pic5.jpg")));
    }

    void saveWithoutFolderAsksAndStopsOnCancel() {
        found(1);
        state_.listChecked = {true};
        commands().ShowAll();
        commands().SaveShown();
        QCOMPARE(desktop_.folderDialogs.size(), 1);
        QVERIFY(desktop_.openedPaths.isEmpty());
        // An empty page copies nothing and opens nothing.
        state_.listChecked = {false};
        commands().ShowAll();
        state_.cacheSaveFolder = folder_->path() + QStringLiteral("/");
        commands().SaveShown();
        QVERIFY(desktop_.openedPaths.isEmpty());
    }

    void chooseFolderAppendsSeparator() {
        desktop_.folder = folder_->path();
        commands().ChooseFolder();
        QCOMPARE(state_.cacheSaveFolder, folder_->path() + QLatin1Char('/'));
        QCOMPARE(desktop_.folderDialogs.size(), 1);
        desktop_.folder.clear();
        commands().ChooseFolder();
        QCOMPARE(state_.cacheSaveFolder, folder_->path() + QLatin1Char('/'));
    }

  private:
    ShownCommands commands() { return ShownCommands(state_, shownZone_, desktop_, *programDir_); }
    QString file(int n) const { return folder_->path() + QStringLiteral("/cache/pic%1.jpg").arg(n); }
    QString url(int n) const { return QStringLiteral("http://site/pic%1.jpg").arg(n); }

    void found(int count) {
        QDir().mkpath(folder_->path() + QStringLiteral("/cache"));
        for (int n = 1; n <= count; ++n) {
            state_.foundFiles << file(n);
            state_.foundUrls << url(n);
            QFile body(file(n));
            body.open(QIODevice::WriteOnly);
            body.write("body " + QByteArray::number(n));
        }
        state_.listChecked = QList<bool>(count, true);
    }

    void renderFour() {
        found(4);
        commands().ShowAll();
        const QList<QSize> sizes = {{60, 300}, {90, 10}, {100, 50}, {100, 80}};
        const QList<FakeElementPtr> images = imagesOf(shownZone_);
        QCOMPARE(images.size(), 4);
        for (int i = 0; i < 4; ++i) {
            images[i]->data.width = sizes[i].width();
            images[i]->data.height = sizes[i].height();
        }
        checkboxesOf(shownZone_).at(3)->data.checked = false;
    }

    std::optional<QTemporaryDir> folder_;
    std::optional<ProgramDir> programDir_;
    ViewerState state_;
    FakeBrowser shownZone_;
    FakeDesktop desktop_;
};

QTEST_GUILESS_MAIN(ShowAllTest)
#include "tst_showall.moc"
