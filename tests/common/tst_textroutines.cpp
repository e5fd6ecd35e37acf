#include <QTest>

#include "common/TextRoutines.h"

using namespace vorlaken;

class TestTextRoutines : public QObject {
    Q_OBJECT

  private slots:
    void sanitizeName_data();
    void sanitizeName();
    void domainOfUrl_data();
    void domainOfUrl();
    void replaceAllText_data();
    void replaceAllText();
    void htmlEscape();
};

void TestTextRoutines::sanitizeName_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all nine") << "<>*|/\\:? "
                              << "_________";
    QTest::newRow("no trimming or collapsing") << "  a  b"
                                               << "__a__b";
    QTest::newRow("others untouched") << "a.b-c\t\"é%"
                                      << "a.b-c\t\"é%";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTextRoutines::sanitizeName() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(SanitizeName(text), expected);
}

void TestTextRoutines::domainOfUrl_data() {
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("about:blank") << "about:blank"
                                 << "about_blank";
    QTest::newRow("about:blank, other case") << "About:Blank"
                                             << "";
    QTest::newRow("no scheme slashes") << "mailto:a@b"
                                       << "";
    QTest::newRow("path") << "http://www.h.com/a/b.htm"
                          << "www.h.com";
    QTest::newRow("port") << "http://h:8080/x"
                          << "h_8080";
    QTest::newRow("query without path") << "http://h?a=/b"
                                        << "h";
    QTest::newRow("fragment without path") << "https://h#top"
                                           << "h";
    QTest::newRow("host only") << "http://h"
                               << "h";
    QTest::newRow("file address") << "file:///tmp/x.htm"
                                  << "";
    QTest::newRow("user info") << "ftp://u:p@h/x"
                               << "u_p@h";
}

void TestTextRoutines::domainOfUrl() {
    QFETCH(QString, url);
    QFETCH(QString, expected);
    QCOMPARE(DomainOfUrl(url), expected);
}

void TestTextRoutines::replaceAllText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expected");
    QTest::newRow("every occurrence") << "a/thumb/b/thumb/"
                                      << "/thumb/"
                                      << "/"
                                      << "a/b/";
    QTest::newRow("empty search") << "abc"
                                  << ""
                                  << "x"
                                  << "abc";
    QTest::newRow("empty replacement removes") << "a-b-c"
                                               << "-"
                                               << ""
                                               << "abc";
    QTest::newRow("inserted text not searched") << "aa"
                                                << "a"
                                                << "aa"
                                                << "aaaa";
    QTest::newRow("no overlaps, left to right") << "aaa"
                                                << "aa"
                                                << "X"
                                                << "Xa";
    QTest::newRow("case-sensitive") << "Aa"
                                    << "a"
                                    << "X"
                                    << "AX";
    QTest::newRow("not found") << "abc"
                               << "z"
                               << "y"
                               << "abc";
    QTest::newRow("empty text") << ""
                                << "a"
                                << "b"
                                << "";
}

void TestTextRoutines::replaceAllText() {
    QFETCH(QString, text);
    QFETCH(QString, search);
    QFETCH(QString, replacement);
    QFETCH(QString, expected);
    QCOMPARE(ReplaceAllText(text, search, replacement), expected);
}

void TestTextRoutines::htmlEscape() {
    QCOMPARE(HtmlEscape("<a href=\"x\" title='y'>&</a>"),
             QString("&lt;a href=&quot;x&quot; title=&#39;y&#39;&gt;&amp;&lt;/a&gt;"));
    QCOMPARE(HtmlEscape("http://h/p.jpg"), QString("http://h/p.jpg"));
    QCOMPARE(HtmlEscape("a\r\nb"), QString("a&#13;\nb"));
}

QTEST_GUILESS_MAIN(TestTextRoutines)
#include "tst_textroutines.moc"
