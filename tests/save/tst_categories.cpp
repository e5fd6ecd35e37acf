#include <QDirIterator>
#include <QtTest>

#include "SaveFixture.h"
#include "save/Categories.h"

using namespace vorlaken;
using namespace vorlaken::test;

// The category list in cat.txt, its editor and the captions of the category menu.
class TestCategories : public QObject {
    Q_OBJECT

  private slots:
    void okOnTheDefaultList() {
        QTemporaryDir dir;
        const QString path = dir.path() + "/cat.txt";
        FakeDesktop desktop;
        SaveState save;
        CategoryEditor editor(false);
        editor.loadFile(path);  // missing: the default list stays
        QCOMPARE(editor.text.split('\n'), Categories::defaults());
        QVERIFY(!editor.textEnabled());
        editor.setChecked(true);
        QVERIFY(editor.textEnabled());
        QVERIFY(editor.Confirm(save, desktop, path));
        QCOMPARE(desktop.messages, QStringList());
        QCOMPARE(save.categories.size(), 20);
        QCOMPARE(save.categories.mid(0, 8),
                 QStringList({"Animals_&_Wildlife", "Architecture", "Backgrounds", "Business", "Education",
                              "Finance", "Food_&_Drink", "Health_Care"}));
        QVERIFY(save.categoriesOn);
        QCOMPARE(save.categoryHint, QStringLiteral("Pictures are saved under categories"));
        QVERIFY(readFile(path).startsWith("Animals_&_Wildlife\r\nArchitecture\r\n"));
        QVERIFY(readFile(path).endsWith("Transportation\r\n"));

        SaveState later;
        Categories::load(later, path);
        QCOMPARE(later.categories, save.categories);
        QCOMPARE(later.categoryHint, QStringLiteral("pictures are not saved under categories"));
    }

    void cleaning_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("blank lines") << "  \nOne\n\t \n two \n" << QStringList({"One", "two"});
        QTest::newRow("forbidden characters") << "a/b:c\nx<y>*|?\\z" << QStringList({"a_b_c", "x_y_____z"});
        QTest::newRow("ampersands kept") << "Rock && Roll" << QStringList({"Rock_&&_Roll"});
    }
    void cleaning() {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        FakeDesktop desktop;
        SaveState save;
        CategoryEditor editor(true);
        editor.text = text;
        QVERIFY(editor.Confirm(save, desktop, dir.path() + "/cat.txt"));
        QCOMPARE(save.categories, lines);
        QCOMPARE(editor.text, lines.join('\n'));
    }

    void emptyListKeepsTheDialogOpen() {
        QTemporaryDir dir;
        FakeDesktop desktop;
        SaveState save;
        save.categories = {"old"};
        CategoryEditor editor(true);
        editor.text = " \n\n  ";
        QVERIFY(!editor.Confirm(save, desktop, dir.path() + "/cat.txt"));
        QCOMPARE(desktop.messages, QStringList{"Please specify categories"});
        QCOMPARE(save.categories, QStringList{"old"});
        QVERIFY(!QFile::exists(dir.path() + "/cat.txt"));
        editor.RestoreDefaults();
        QCOMPARE(editor.text.split('\n').size(), 20);
    }

    void writeFailureStillClosesAndUpdates() {
        QTemporaryDir dir;
        FakeDesktop desktop;
        SaveState save;
        CategoryEditor editor(false);
        editor.text = "One";
        QVERIFY(editor.Confirm(save, desktop, dir.path() + "/no/such/folder/cat.txt"));
        QCOMPARE(desktop.messages, QStringList{"Save fail"});
        QCOMPARE(save.categories, QStringList{"One"});
        QVERIFY(!save.categoriesOn);
        QCOMPARE(save.categoryHint, QStringLiteral("Pictures aren't saved under categories"));
    }

    void readsAnyLineEnd() {
        QTemporaryDir dir;
        const QString path = writeFile(dir.path() + "/cat.txt", "a\rb\nc\r\nd e/f\r\n");
        QStringList lines;
        QVERIFY(Categories::read(path, &lines));
        QCOMPARE(lines, QStringList({"a", "b", "c", "d e/f"}));
        CategoryEditor editor(true);
        editor.loadFile(path);
        QCOMPARE(editor.text, QStringLiteral("a\nb\nc\nd e/f"));
        SaveState save;
        save.categoriesOn = true;
        Categories::load(save, dir.path() + "/missing.txt");
        QCOMPARE(save.categories, QStringList());
        QCOMPARE(save.categoryHint, QStringLiteral("pictures are saved under categories"));
    }

    void captions() {
        const QStringList names = {"Food_&_Drink", "A&&B", "plain"};
        const QStringList captions = Categories::menuCaptions(names);
        QCOMPARE(captions, QStringList({"Food_&&_Drink", "A&&&&B", "plain"}));
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(Categories::fromCaption(captions[i]), names[i]);
        QCOMPARE(Categories::menuCaptions({}), QStringList());
    }

    // With categories on, Save only offers the menu built from the list; the save happens on a choice.
    // An empty list offers nothing to choose, so nothing is saved and no folder is made.
    void emptyMenuSavesNothing_data() {
        QTest::addColumn<QStringList>("categories");
        QTest::addColumn<QStringList>("menu");
        QTest::newRow("empty list") << QStringList() << QStringList();
        QTest::newRow("one category") << QStringList{"A&&B"} << QStringList{"A&&&&B"};
    }
    void emptyMenuSavesNothing() {
        QFETCH(QStringList, categories);
        QFETCH(QStringList, menu);
        SaveFixture f;
        f.save.categoriesOn = true;
        f.save.categories = categories;
        f.addPicture("http://h/a.png");
        f.cache.direct.insert("http://h/a.png",
                              writeFile(f.root + "cached.png", QByteArray("\x89PNG\r\n\x1a\n", 8)));
        QStringList offered;
        int pops = 0;
        f.services.popCategoryMenu = [&] {
            ++pops;
            offered = Categories::menuCaptions(f.save.categories);
        };
        StartSave(f.capture, f.save, f.services, true, f.label);
        QCOMPARE(pops, 1);
        QCOMPARE(offered, menu);
        // Nothing happens before a choice, whatever the list holds.
        const auto everything = [&f] {
            QStringList found;
            for (QDirIterator it(f.saveFolder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                                 QDirIterator::Subdirectories);
                 it.hasNext();)
                found << QDir(f.saveFolder).relativeFilePath(it.next());
            found.sort();
            return found;
        };
        QCOMPARE(everything(), QStringList());
        QCOMPARE(f.label, QStringLiteral("Saved:0/0"));
        QCOMPARE(f.progress.shows, 0);
        QCOMPARE(f.desktop.messages, QStringList());

        // Each offered entry saves into its category; with none offered the save never happens.
        for (const QString& caption : offered)
            ChooseCategory(f.capture, f.save, f.services, caption);
        if (categories.isEmpty()) {
            QCOMPARE(everything(), QStringList());
        } else {
            QCOMPARE(f.label, QStringLiteral("Saved:1/1"));
            QCOMPARE(f.filesIn(f.saveFolder + categories.first()).size(), 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestCategories)
#include "tst_categories.moc"
