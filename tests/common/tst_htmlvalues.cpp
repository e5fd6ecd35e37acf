#include <QTest>
#include <QUrl>

#include "common/HtmlValues.h"

using namespace vorlaken;

// The values of pages, caches and file systems as they go into the HTML we write. That browsers read them
// back unchanged is shown on a real engine (tst_hostilepages); here the forms themselves.
class TestHtmlValues : public QObject {
    Q_OBJECT

  private slots:
    void quotedAttribute_data();
    void quotedAttribute();
    void fileAddresses_data();
    void fileAddresses();
    void serializedAttributeValue();
};

void TestHtmlValues::quotedAttribute_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "http://h/a.png"
                           << "\"http://h/a.png\"";
    QTest::newRow("blank and handler") << "data:,x onerror=y"
                                       << "\"data:,x onerror=y\"";
    QTest::newRow("both quotes") << "a\"b'c"
                                 << "\"a&quot;b&#39;c\"";
    QTest::newRow("markup and references") << "<b>&amp;"
                                           << "\"&lt;b&gt;&amp;amp;\"";
    QTest::newRow("CR kept as a reference") << "a\r\nb"
                                            << "\"a&#13;\nb\"";
    QTest::newRow("empty") << ""
                           << "\"\"";
}

void TestHtmlValues::quotedAttribute() {
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(QuotedAttribute(value), expected);
}

void TestHtmlValues::fileAddresses_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reference");
    QTest::newRow("plain") << "a1.jpg"
                           << "a1.jpg";
    QTest::newRow("percent stays a percent") << "%3Cscript%3E.png.png"
                                             << "%253Cscript%253E.png.png";
    QTest::newRow("plus and escapes") << "a+b%0a%0dc.png"
                                      << "a%2Bb%250a%250dc.png";
    QTest::newRow("no scheme, query or fragment") << "javascript:x?y#z.png"
                                                  << "javascript%3Ax%3Fy%23z.png";
    QTest::newRow("quotes and ampersand") << "x\"'&.png"
                                          << "x%22%27%26.png";
    QTest::newRow("non-ASCII as UTF-8") << "\u00e4\u4e2d.png"
                                        << "%C3%A4%E4%B8%AD.png";
}

void TestHtmlValues::fileAddresses() {
    QFETCH(QString, name);
    QFETCH(QString, reference);
    QCOMPARE(FileNameReference(name), reference);
    // The full address of the same file in a folder ends in the same encoded name, quotes included.
    const QString address = LocalFileAddress(QStringLiteral("/tmp/d i r/") + name);
    QVERIFY2(address.startsWith(QLatin1String("file:///tmp/d%20i%20r/")), qPrintable(address));
    QCOMPARE(QUrl(address).toLocalFile(), QStringLiteral("/tmp/d i r/") + name);
    QVERIFY(!address.contains(u'"') && !address.contains(u'<') && !address.contains(u' '));
}

void TestHtmlValues::serializedAttributeValue() {
    QCOMPARE(SerializedAttributeValue(QStringLiteral("a?x=1&y=\"2\"<>\u00a0'")),
             QStringLiteral("a?x=1&amp;y=&quot;2&quot;<>&nbsp;'"));
}

QTEST_GUILESS_MAIN(TestHtmlValues)
#include "tst_htmlvalues.moc"
