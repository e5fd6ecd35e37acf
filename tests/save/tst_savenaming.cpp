#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "SaveFixture.h"
#include "save/FileNaming.h"
#include "save/PictureType.h"
#include "save/UrlDecode.h"

using namespace vorlaken;
using vorlaken::test::writeFile;

// Picture file names: the decoding, the four naming rules with their numbering and extensions, and the
// free-name rules that keep every existing file untouched.
class TestSaveNaming : public QObject {
    Q_OBJECT

  private slots:
    void urlDecode_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("decoded");
        QTest::addColumn<bool>("valid");
        QTest::newRow("escape and plus") << "Big%20Cat+2.JPG"
                                         << "Big Cat 2.JPG" << true;
        QTest::newRow("hex letters both cases") << "%2f%2F%41"
                                                << "//A" << true;
        QTest::newRow("utf-8 bytes") << "caf%C3%A9" << QString::fromUtf8("café") << true;
        QTest::newRow("plain") << "a.jpg"
                               << "a.jpg" << true;
        QTest::newRow("percent at end") << "a%"
                                        << "" << false;
        QTest::newRow("percent and one char") << "photo%4"
                                              << "" << false;
        QTest::newRow("not hex") << "a%zz.jpg"
                                 << "" << false;
        QTest::newRow("half hex") << "a%4g.jpg"
                                  << "" << false;
    }
    void urlDecode() {
        QFETCH(QString, text);
        QFETCH(QString, decoded);
        QFETCH(bool, valid);
        if (valid) {
            QCOMPARE(UrlDecode(text), decoded);
        } else {
            try {
                UrlDecode(text);
                QFAIL("no error raised");
            } catch (const AppError& error) {
                QCOMPARE(error.text(), QStringLiteral("Invalid hex digit in URL"));
            }
        }
    }

    // The third of twelve pictures under every rule, with force extension off and on, and the other
    // worked examples.
    void pictureFileName_data() {
        QTest::addColumn<QString>("url");
        QTest::addColumn<int>("rule");
        QTest::addColumn<bool>("force");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<QString>("expected");
        const QString cat = QStringLiteral("http://host/gallery/Big%20Cat.JPG?size=2");
        QTest::newRow("picture name") << cat << int(kPictureName) << false << ""
                                      << "Big%20Cat.JPG";
        QTest::newRow("picture name forced") << cat << int(kPictureName) << true << ""
                                             << "Big%20Cat.JPG.jpg";
        QTest::newRow("number+name") << cat << int(kNumberName) << false << ""
                                     << "03_Big_Cat.JPG";
        QTest::newRow("number+name forced") << cat << int(kNumberName) << true << ""
                                            << "03_Big_Cat.JPG.jpg";
        QTest::newRow("number") << cat << int(kNumber) << false << ""
                                << "03.jpg";
        QTest::newRow("number forced") << cat << int(kNumber) << true << ""
                                       << "03.jpg";
        QTest::newRow("datetime") << cat << int(kDateTimeNumber) << false << ""
                                  << "2008.05.06.07.08.09_03.jpg";
        QTest::newRow("datetime forced") << cat << int(kDateTimeNumber) << true << ""
                                         << "2008.05.06.07.08.09_03.jpg";
        const QString php = QStringLiteral("http://host/show.php?id=7");
        QTest::newRow("php name") << php << int(kPictureName) << false << ""
                                  << "show.php";
        QTest::newRow("php number") << php << int(kNumber) << false << ""
                                    << "03.php";
        QTest::newRow("php name forced") << php << int(kPictureName) << true << ""
                                         << "show.php.jpg";
        QTest::newRow("php number forced") << php << int(kNumber) << true << ""
                                           << "03.jpg";
        const QString photo = QStringLiteral("http://host/img/photo");
        QTest::newRow("no ext name") << photo << int(kPictureName) << false << ""
                                     << "photo.jpg";
        QTest::newRow("no ext number+name") << photo << int(kNumberName) << false << ""
                                            << "03_photo.jpg";
        QTest::newRow("no ext number") << photo << int(kNumber) << false << ""
                                       << "03.jpg";
        QTest::newRow("no ext datetime") << photo << int(kDateTimeNumber) << false << ""
                                         << "2008.05.06.07.08.09_03.jpg";
        QTest::newRow("prefix") << cat << int(kNumber) << false << "cat-"
                                << "cat-03.jpg";
        QTest::newRow("url ending in slash") << "http://host/dir/" << int(kPictureName) << false << ""
                                             << ".jpg";
        QTest::newRow("fragment") << "http://host/a.jpg#top" << int(kPictureName) << false << ""
                                  << "a.jpg";
        QTest::newRow("case-sensitive ext test") << "http://host/PHOTO.JPG" << int(kPictureName) << true << ""
                                                 << "PHOTO.JPG.jpg";
        QTest::newRow("no slash at all") << "photo.png" << int(kPictureName) << false << ""
                                         << ".jpg";
        // A decoded name never reaches the file system with a separator or a NUL.
        QTest::newRow("decoded slash") << "http://host/..%2F..%2Fx.png" << int(kNumberName) << false << ""
                                       << "03_.._.._x.png";
        QTest::newRow("decoded nul") << "http://host/a%00b.png" << int(kNumberName) << false << ""
                                     << "03_a_b.png";
        QTest::newRow("prefix climbing out") << cat << int(kNumber) << false << "../../"
                                             << ".._.._03.jpg";
        QTest::newRow("name dot-dot") << "http://host/.." << int(kPictureName) << false << ""
                                      << "...jpg";
    }
    void pictureFileName() {
        QFETCH(QString, url);
        QFETCH(int, rule);
        QFETCH(bool, force);
        QFETCH(QString, prefix);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        SaveState options;
        options.namingRule = rule;
        options.forceExtension = force;
        options.prefix = prefix;
        const QString name =
            PictureFileName(folder, url, 3, 12, QStringLiteral("2008.05.06.07.08.09"), options);
        QCOMPARE(name, folder + expected);
    }

    void numberWidth_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("total");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1 of 9") << 1 << 9 << "1.jpg";
        QTest::newRow("9 of 9") << 9 << 9 << "9.jpg";
        QTest::newRow("1 of 10") << 1 << 10 << "01.jpg";
        QTest::newRow("10 of 10") << 10 << 10 << "10.jpg";
        QTest::newRow("1 of 100") << 1 << 100 << "001.jpg";
        QTest::newRow("100 of 100") << 100 << 100 << "100.jpg";
        QTest::newRow("7 of 250") << 7 << 250 << "007.jpg";
        QTest::newRow("1 of 1") << 1 << 1 << "1.jpg";
    }
    void numberWidth() {
        QFETCH(int, position);
        QFETCH(int, total);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        SaveState options;
        const QString name = PictureFileName(dir.path() + u'/', QStringLiteral("http://h/x.jpg"), position,
                                             total, QString(), options);
        QCOMPARE(name.mid(name.lastIndexOf(u'/') + 1), expected);
    }

    void forceExtensionWithEmptyBoxSetsJpg() {
        QTemporaryDir dir;
        SaveState options;
        options.defaultExtension.clear();
        options.namingRule = kNumber;
        const QString name =
            PictureFileName(dir.path() + u'/', QStringLiteral("http://h/x.png"), 1, 1, QString(), options);
        QCOMPARE(options.defaultExtension, QStringLiteral(".jpg"));
        QVERIFY(name.endsWith(QLatin1String("/1.png")));
    }

    void numberPlusNameRaisesOnMalformedEscape() {
        QTemporaryDir dir;
        SaveState options;
        options.namingRule = kNumberName;
        QVERIFY_THROWS_EXCEPTION(UrlDecodeError,
                                 PictureFileName(dir.path() + u'/', QStringLiteral("http://h/a%zz.jpg"), 1, 1,
                                                 QString(), options));
    }

    void takenNamesGetNumbered() {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        SaveState options;
        writeFile(folder + "03.jpg", "x");
        QCOMPARE(PictureFileName(folder, QStringLiteral("http://h/x.jpg"), 3, 12, QString(), options),
                 folder + "03_0000.jpg");
        writeFile(folder + "03_0000.jpg", "x");
        QCOMPARE(UniqueFileName(folder + "03.jpg"), folder + "03_0001.jpg");
        QCOMPARE(UniqueFileName(folder + "noext"), folder + "noext_0000");
    }

    // The suffix comes from the file name, never from a folder name with a dot in it.
    void uniqueNameStaysInItsFolder() {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/a.b/");
        QDir().mkpath(folder);
        QCOMPARE(UniqueFileName(folder + "photo"), folder + "photo_0000");
    }

    void uniqueNameGivesUpWhenAllAreTaken() {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        for (int k = 0; k <= 9998; ++k)
            writeFile(folder + QStringLiteral("p_%1.jpg").arg(k, 4, 10, QLatin1Char('0')), "");
        QCOMPARE(UniqueFileName(folder + "p.jpg"), QString());
    }

    void stampedNames() {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        const QString stamp = FormatStamp(QDateTime(QDate(2008, 5, 6), QTime(7, 8, 9)));
        QCOMPARE(stamp, QStringLiteral("2008.05.06.07.08.09"));
        QCOMPARE(StampedFileName(folder, stamp, ".htm"), folder + stamp + ".htm");
        writeFile(folder + stamp + ".htm", "");
        QCOMPARE(StampedFileName(folder, stamp, ".htm"), folder + stamp + "_001.htm");
        writeFile(folder + stamp + "_001.htm", "");
        QCOMPARE(StampedFileName(folder, stamp, ".htm"), folder + stamp + "_002.htm");
    }

    void pictureType_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const QByteArray pad(8, '\0');
        QTest::newRow("bmp") << QByteArray("BM") + pad << "01.jpg"
                             << "01.bmp";
        QTest::newRow("gif") << QByteArray("GIF89a") + pad << "01.jpg"
                             << "01.gif";
        QTest::newRow("jpeg e0") << QByteArray("\xFF\xD8\xFF\xE0", 4) + pad << "01.png"
                                 << "01.jpg";
        QTest::newRow("jpeg e1") << QByteArray("\xFF\xD8\xFF\xE1", 4) + pad << "01.png"
                                 << "01.jpg";
        QTest::newRow("png") << QByteArray("\x89PNG\r\n\x1A\n", 8) + pad << "01.jpg"
                             << "01.png";
        QTest::newRow("webp") << QByteArray("RIFF\x10\0\0\0WEBPVP8 ", 16) << "01.jpg"
                              << "01.webp";
        QTest::newRow("avif") << QByteArray(
                                     "\0\0\0\x1C"
                                     "ftypavif\0\0\0\0",
                                     16)
                              << "01.jpg"
                              << "01.avif";
        QTest::newRow("avis") << QByteArray(
                                     "\0\0\0\x1C"
                                     "ftypavis\0\0\0\0",
                                     16)
                              << "01.jpg"
                              << "01.avif";
        QTest::newRow("other ftyp") << QByteArray(
                                           "\0\0\0\x1C"
                                           "ftypmp42\0\0\0\0",
                                           16)
                                    << "01.jpg"
                                    << "01.jpg";
        QTest::newRow("unknown") << QByteArray("hello world!") << "01.jpg"
                                 << "01.jpg";
        QTest::newRow("seven bytes") << QByteArray("\x89PNG\r\n\x1A", 7) << "01.jpg"
                                     << "01.jpg";
        QTest::newRow("same name") << QByteArray("GIF89a") + pad << "01.gif"
                                   << "01.gif";
        QTest::newRow("no extension") << QByteArray("GIF89a") + pad << "photo"
                                      << "photo.gif";
    }
    void pictureType() {
        QFETCH(QByteArray, head);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        writeFile(folder + name, head);
        QCOMPARE(RecognisePictureType(folder + name), folder + expected);
        QVERIFY(QFile::exists(folder + expected));
    }

    void pictureTypeNeverReplaces() {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        const QByteArray png("\x89PNG\r\n\x1A\n12345678", 16);
        writeFile(folder + "01.png", "older");
        writeFile(folder + "_01.png", "oldest");
        writeFile(folder + "01.jpg", png);
        QCOMPARE(RecognisePictureType(folder + "01.jpg"), folder + "__01.png");
        QFile older(folder + "01.png");
        QVERIFY(older.open(QIODevice::ReadOnly));
        QCOMPARE(older.readAll(), QByteArray("older"));
    }

    void harmlessParts_data() {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QString>("expected");
        QTest::newRow("dot") << "."
                             << "_";
        QTest::newRow("dot-dot") << ".."
                                 << "_";
        QTest::newRow("empty") << ""
                               << "_";
        QTest::newRow("slash") << "a/../b"
                               << "a_.._b";
        QTest::newRow("backslash") << "a\\b"
                                   << "a_b";
        QTest::newRow("nul") << QString::fromUtf16(u"a\0b", 3) << "a_b";
        QTest::newRow("ordinary") << "Food_&_Drink"
                                  << "Food_&_Drink";
    }
    void harmlessParts() {
        QFETCH(QString, part);
        QFETCH(QString, expected);
        QCOMPARE(HarmlessNamePart(part), expected);
    }
};

QTEST_GUILESS_MAIN(TestSaveNaming)
#include "tst_savenaming.moc"
