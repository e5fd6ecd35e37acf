#include <QTest>

#include "results/CommentCommands.h"
#include "support/FakeDesktop.h"
#include "support/FakePageModel.h"

using namespace vorlaken;

namespace {

struct Panel {
    FakeBrowser zone;
    CommentPanelState state;
    CommentPanel panel{state, zone};
    FakeDesktop desktop;
    CaptureTable table;

    explicit Panel(const QString& html) {
        zone.showPage("about:blank", "")->bodyElement()->setInnerHtml(html);
        table.append("http://h/1.jpg", "1*1", kPlaceholderLinkUrl, "p");
        table.append("http://h/2.jpg", "1*1", kPlaceholderLinkUrl, "p");
    }
    QString html() const { return zone.page->bodyElement()->data.innerHtml; }
};

}  // namespace

class TestComments : public QObject {
    Q_OBJECT

  private slots:
    void textAndPictures_data();
    void textAndPictures();
    void onlyTextAndPictures();
    void typedMarkerNeedsCapturedPicture();
    void onlyTextAndPicturesFailure();
    void clearComments();
    void removeFormat();
};

void TestComments::textAndPictures_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pictures");
    QTest::addColumn<QString>("expected");

    const QStringList one = {"http://h/1.jpg"};
    QTest::newRow("text line") << "Nice one" << one << "Nice one<br>\r\n";
    QTest::newRow("empty lines") << "a\n\n b \r\n" << one << "a<br>\r\n<p></p>\r\nb<br>\r\n<p></p>\r\n";
    QTest::newRow("blanks and controls trimmed") << QString(" \t\x01x y\x02 ") << one << "x y<br>\r\n";
    QTest::newRow("marker") << "[##0##]" << one << "<img src=\"http://h/1.jpg\"><br>\r\n";
    QTest::newRow("marker, rest of line dropped")
        << " [##0##] tail" << one << "<img src=\"http://h/1.jpg\"><br>\r\n";
    QTest::newRow("marker beyond the pictures") << "[##1##]" << one << "";
    QTest::newRow("marker without pictures") << "[##0##]" << QStringList{} << "";
    QTest::newRow("negative number") << "[##-1##]" << one << "";
    QTest::newRow("not a number") << "[##x##]" << one << "";
    QTest::newRow("empty number") << "[####]" << one << "";
    QTest::newRow("single hash") << "[##0#]" << one << "";
    QTest::newRow("unfinished") << "[##0" << one << "";
    QTest::newRow("markup typed as text stays text")
        << "<img src=x onerror=y>" << one << "&lt;img src=x onerror=y&gt;<br>\r\n";
    QTest::newRow("address escaped") << "[##0##]" << QStringList{"http://h/a.jpg?x=1&y=\">"}
                                     << "<img src=\"http://h/a.jpg?x=1&amp;y=&quot;&gt;\"><br>\r\n";
    QTest::newRow("address with a blank stays one attribute")
        << "[##0##]" << QStringList{"data:image/png;base64,AAAA onerror=alert(1) x=y"}
        << "<img src=\"data:image/png;base64,AAAA onerror=alert(1) x=y\"><br>\r\n";
}

void TestComments::textAndPictures() {
    QFETCH(QString, text);
    QFETCH(QStringList, pictures);
    QFETCH(QString, expected);
    QCOMPARE(CommentCommands::textAndPictures(text, pictures), expected);
}

void TestComments::onlyTextAndPictures() {
    Panel p(
        "Nice one<br><img src=\"http://h/2.jpg\"><br><img src=\"http://x/other.jpg\"><p>More</p>"
        "<img src=\"http://h/1.jpg\"><br><img src=\"http://h/2.jpg\">");
    CommentCommands::OnlyTextAndPictures(p.panel, p.table, p.desktop);

    // Text lines, then each captured picture where it stood (the same one twice), the other one gone.
    QStringList lines = p.html().split("\r\n");
    QCOMPARE(lines.takeLast(), QString());
    lines.removeAll("<p></p>");
    QCOMPARE(lines, (QStringList{"Nice one<br>", "<img src=\"http://h/2.jpg\"><br>", "More<br>",
                                 "<img src=\"http://h/1.jpg\"><br>", "<img src=\"http://h/2.jpg\"><br>"}));
    QVERIFY(p.desktop.messages.isEmpty());
    QVERIFY(!p.state.visible);  // visibility untouched
}

void TestComments::typedMarkerNeedsCapturedPicture() {
    Panel withPicture("[##0##]<br><img src=\"http://h/1.jpg\">");
    CommentCommands::OnlyTextAndPictures(withPicture.panel, withPicture.table, withPicture.desktop);
    QCOMPARE(withPicture.html().count("<img src=\"http://h/1.jpg\"><br>"), 2);

    Panel without("[##0##]<br>text<br><img src=\"http://x/other.jpg\">");
    CommentCommands::OnlyTextAndPictures(without.panel, without.table, without.desktop);
    QVERIFY(!without.html().contains("img"));
    QVERIFY(without.html().startsWith("text<br>\r\n"));
}

void TestComments::onlyTextAndPicturesFailure() {
    Panel p("text<br><img src=\"http://h/1.jpg\">");
    const QString before = p.html();
    p.zone.page->failing = {"images.read"};
    CommentCommands::OnlyTextAndPictures(p.panel, p.table, p.desktop);
    QCOMPARE(p.html(), before);
    QCOMPARE(p.desktop.messages.size(), 1);
}

void TestComments::clearComments() {
    Panel p("comments");
    p.state.width = 300;
    CommentCommands::ClearComments(p.panel);
    QVERIFY(p.state.visible);
    QCOMPARE(p.state.width, 300);
    QCOMPARE(p.html(), QString());
}

void TestComments::removeFormat() {
    Panel p("<b>Bold</b> &lt;i&gt;<br><img src=\"http://h/1.jpg\"><a href=\"x\">link</a>");
    CommentCommands::RemoveFormat(p.panel);
    QVERIFY(p.state.visible);
    QCOMPARE(p.zone.page->images()->length(), 0);
    QCOMPARE(p.zone.page->links()->length(), 0);
    QCOMPARE(p.html(), QString("Bold &lt;i&gt;\nlink"));  // typed markup stays text

    p.zone.page->bodyElement()->failing = {"outerText"};
    CommentCommands::RemoveFormat(p.panel);
    QCOMPARE(p.html(), QString("Bold &lt;i&gt;\nlink"));
}

QTEST_GUILESS_MAIN(TestComments)
#include "tst_comments.moc"
