#include <QDir>
#include <QDirIterator>
#include <QtTest>

#include "SaveFixture.h"
#include "common/IniFile.h"
#include "save/SaveSettings.h"
#include "save/TargetFolder.h"

using namespace vorlaken;
using namespace vorlaken::test;

// Where a run stores its pictures: the folder dialog, the category and sub folder rules, the messages
// of each failure, and names from pages that must never lead outside the save folder.
class TestSaveFolder : public QObject {
    Q_OBJECT

    static const QDateTime& when() {
        static const QDateTime time(QDate(2008, 5, 6), QTime(7, 8, 9));
        return time;
    }
    static TargetFolder resolve(SaveFixture& f, IniFile* settings = nullptr) {
        return ResolveTargetFolder(f.save, f.capture, f.desktop, settings, when());
    }
    // The sub folder rule, the page's title and domain, and the category (empty: categories off).
    static void configure(SaveFixture& f, int rule, const QString& title, const QString& domain,
                          const QString& category) {
        f.save.subFolderRule = rule;
        f.capture.titleText = title;
        f.capture.pageDomain = domain;
        f.save.categoriesOn = !category.isEmpty();
        f.save.currentCategory = category;
    }
    // Every path below root, relative to it.
    static QStringList tree(const QString& root) {
        QStringList paths;
        QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            paths << QDir(root).relativeFilePath(it.next());
        paths.sort();
        return paths;
    }

  private slots:
    void subFolderRules_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("category");  // empty: categories off
        QTest::addColumn<QString>("last");      // LastSaveFolder below the save folder
        QTest::addColumn<QString>("cleanTitle");
        QTest::newRow("do not create") << int(kNoSubFolder) << "My Page"
                                       << "site"
                                       << ""
                                       << ""
                                       << "My Page";
        QTest::newRow("title") << int(kTitleFolder) << "My Page: Photos?"
                               << "site"
                               << ""
                               << "My_Page_Photos_"
                               << "My_Page_Photos_";
        QTest::newRow("title a / b") << int(kTitleFolder) << "a / b"
                                     << "site"
                                     << ""
                                     << "a_b"
                                     << "a_b";
        QTest::newRow("typed underscores collapse") << int(kTitleFolder) << "x___y"
                                                    << "site"
                                                    << ""
                                                    << "x_y"
                                                    << "x_y";
        QTest::newRow("empty title") << int(kTitleFolder) << ""
                                     << "site"
                                     << ""
                                     << ""
                                     << "";
        QTest::newRow("domain") << int(kDomainFolder) << "My Page"
                                << "h_8080"
                                << ""
                                << "h_8080"
                                << "My Page";
        QTest::newRow("empty domain") << int(kDomainFolder) << "T"
                                      << ""
                                      << ""
                                      << ""
                                      << "T";
        QTest::newRow("domain+title") << int(kDomainTitleFolder) << "T 1"
                                      << "site"
                                      << ""
                                      << "site/T_1"
                                      << "T_1";
        QTest::newRow("domain+title, no domain") << int(kDomainTitleFolder) << "T"
                                                 << ""
                                                 << ""
                                                 << "T"
                                                 << "T";
        QTest::newRow("category + domain") << int(kDomainFolder) << "T"
                                           << "site"
                                           << "Food_&_Drink"
                                           << "Food_&_Drink/site"
                                           << "T";
        QTest::newRow("category only") << int(kNoSubFolder) << "T"
                                       << "site"
                                       << "Food_&&_Drink"
                                       << "Food_&&_Drink/"
                                       << "T";
        QTest::newRow("rule out of range") << 7 << "T"
                                           << "site"
                                           << ""
                                           << ""
                                           << "T";
    }
    void subFolderRules() {
        QFETCH(int, rule);
        QFETCH(QString, title);
        QFETCH(QString, domain);
        QFETCH(QString, category);
        QFETCH(QString, last);
        QFETCH(QString, cleanTitle);
        SaveFixture f;
        configure(f, rule, title, domain, category);
        const TargetFolder target = resolve(f);
        QVERIFY(target.ok);
        QCOMPARE(f.desktop.messages, QStringList());
        QCOMPARE(target.runStamp, QStringLiteral("2008.05.06.07.08.09"));
        QCOMPARE(f.save.lastSaveFolder, f.saveFolder + last);
        QVERIFY(target.folder.endsWith(u'/'));
        QCOMPARE(QDir(target.folder).absolutePath(), QDir(f.saveFolder + last).absolutePath());
        QVERIFY(QFileInfo(target.folder).isDir());
        QCOMPARE(f.capture.titleText, cleanTitle);
    }

    void fileUrlsAreRefused() {
        SaveFixture f;
        f.capture.locationText = QStringLiteral("file:///home/a.html");
        QVERIFY(!resolve(f).ok);
        QCOMPARE(f.desktop.messages, QStringList{"The webpage beginning with file:// is not processed."});
        SaveFixture upper;
        upper.capture.locationText = QStringLiteral("FILE:///home/a.html");
        QVERIFY(resolve(upper).ok);
    }

    // Each failing folder, its message and whether the window is asked to show the title box.
    void failures_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("blocked");  // a file in the way, below the save folder
        QTest::addColumn<QString>("message");  // after "Can not create directory:" + save folder
        QTest::addColumn<bool>("askTitle");
        QTest::newRow("title") << int(kTitleFolder) << "T"
                               << "T,Please modify web page title and then save" << true;
        QTest::newRow("domain") << int(kDomainFolder) << "site"
                                << "site" << false;
        QTest::newRow("domain of domain+title") << int(kDomainTitleFolder) << "site"
                                                << "site" << true;
        QTest::newRow("title of domain+title") << int(kDomainTitleFolder) << "site/T"
                                               << "site/T, Please modify webpage title and then save" << true;
        QTest::newRow("category") << int(kNoSubFolder) << "Cat"
                                  << "Cat/" << false;
    }
    void failures() {
        QFETCH(int, rule);
        QFETCH(QString, blocked);
        QFETCH(QString, message);
        QFETCH(bool, askTitle);
        SaveFixture f;
        f.save.subFolderRule = rule;
        f.capture.titleText = QStringLiteral("T");
        f.capture.pageDomain = QStringLiteral("site");
        if (blocked == QLatin1String("Cat")) {
            f.save.categoriesOn = true;
            f.save.currentCategory = QStringLiteral("Cat");
        }
        QDir().mkpath(QFileInfo(f.saveFolder + blocked).path());
        writeFile(f.saveFolder + blocked, "in the way");
        QVERIFY(!resolve(f).ok);
        QCOMPARE(f.desktop.messages, QStringList{"Can not create directory:" + f.saveFolder + message});
        QCOMPARE(f.desktop.messageCaptions, QStringList{"Hint"});
        QCOMPARE(f.save.showFirstPage, askTitle);
        QCOMPARE(f.save.focusTitle, askTitle);
    }

    void noFolderAsksForOne() {
        SaveFixture f;
        f.save.saveFolder.clear();
        f.desktop.folder.clear();  // cancelled
        QVERIFY(!resolve(f).ok);
        QCOMPARE(f.desktop.folderDialogs.size(), 1);
        QCOMPARE(f.desktop.messages, QStringList());

        IniFile settings(f.root + "vorlaken.ini");
        f.desktop.folder = f.root + "chosen";
        QDir().mkpath(f.desktop.folder);
        QVERIFY(resolve(f, &settings).ok);
        QCOMPARE(f.save.saveFolder, f.root + "chosen/");
        IniFile reread(f.root + "vorlaken.ini");
        reread.load();
        QCOMPARE(reread.readString("config", "dir", QString()), f.root + "chosen/");
    }

    // The dialog opens in the remembered folder when it exists, else in the user's pictures folder
    // (XDG_PICTURES_DIR, else home), never in the program's own folder.
    void dialogStartFolder_data() {
        QTest::addColumn<QString>("remembered");  // below the fixture's root; "-": none
        QTest::addColumn<QString>("pictures");    // XDG_PICTURES_DIR below the root; "-": unset
        QTest::addColumn<QString>("start");       // below the root; "~": the (fake) home
        QTest::newRow("remembered folder") << "pictures/"
                                           << "photos"
                                           << "pictures/";
        QTest::newRow("pictures folder") << "-"
                                         << "photos"
                                         << "photos";
        QTest::newRow("remembered folder gone") << "gone/"
                                                << "photos"
                                                << "photos";
        QTest::newRow("pictures folder unset") << "-"
                                               << "-"
                                               << "~";
        QTest::newRow("pictures folder gone") << "-"
                                              << "missing"
                                              << "~";
    }
    void dialogStartFolder() {
        QFETCH(QString, remembered);
        QFETCH(QString, pictures);
        QFETCH(QString, start);
        SaveFixture f;
        QDir().mkpath(f.root + "photos");
        QDir().mkpath(f.root + "home/.config");
        // A home of its own, without a list of user folders: only the environment names a pictures folder.
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        const QByteArray oldPictures = qgetenv("XDG_PICTURES_DIR");
        qputenv("HOME", QFile::encodeName(f.root + "home"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(f.root + "home/.config"));
        if (pictures == "-")
            qunsetenv("XDG_PICTURES_DIR");
        else
            qputenv("XDG_PICTURES_DIR", QFile::encodeName(f.root + pictures));
        f.save.saveFolder = remembered == "-" ? QString() : f.root + remembered;
        f.desktop.folder.clear();  // cancelled
        ChooseSaveFolder(f.save, f.desktop, nullptr);
        qputenv("HOME", oldHome);
        qputenv("XDG_CONFIG_HOME", oldConfig);
        if (oldPictures.isNull())
            qunsetenv("XDG_PICTURES_DIR");
        else
            qputenv("XDG_PICTURES_DIR", oldPictures);

        QCOMPARE(f.desktop.folderDialogStarts.size(), 1);
        const QString expected = start == "~" ? f.root + "home" : f.root + start;
        QCOMPARE(QDir::cleanPath(f.desktop.folderDialogStarts.first()), QDir::cleanPath(expected));
    }

    void chooseFolderKeepsDirForCloseWhenNotEmpty() {
        SaveFixture f;
        IniFile settings(f.root + "vorlaken.ini");
        f.desktop.folder = f.root;
        ChooseSaveFolder(f.save, f.desktop, &settings);
        QCOMPARE(f.desktop.folderDialogs.size(), 1);
        QVERIFY(!QFile::exists(f.root + "vorlaken.ini"));
        QCOMPARE(f.save.lastSaveFolder, f.root);

        SaveFixture off;
        off.save.saveFolder.clear();
        off.save.keepFolder = false;
        IniFile offSettings(off.root + "vorlaken.ini");
        off.desktop.folder = off.root;
        ChooseSaveFolder(off.save, off.desktop, &offSettings);
        QCOMPARE(off.save.saveFolder, off.root);
        QVERIFY(!QFile::exists(off.root + "vorlaken.ini"));
    }

    // Titles, domains and categories from pages or hand-edited lists stay inside the save folder.
    void hostileNamesStayInside_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("domain");
        QTest::addColumn<QString>("category");
        const QString nul = QString::fromUtf16(u"a\0b", 3);
        const QString longName(300, u'x');
        QTest::newRow("title ..") << int(kTitleFolder) << ".."
                                  << "d"
                                  << "";
        QTest::newRow("title .") << int(kTitleFolder) << "."
                                 << "d"
                                 << "";
        QTest::newRow("title climbing") << int(kDomainTitleFolder) << "../../../etc"
                                        << "d"
                                        << "";
        QTest::newRow("title backslash") << int(kTitleFolder) << "..\\..\\x"
                                         << "d"
                                         << "";
        QTest::newRow("title nul") << int(kTitleFolder) << nul << "d"
                                   << "";
        QTest::newRow("title 300") << int(kTitleFolder) << longName << "d"
                                   << "";
        QTest::newRow("domain ..") << int(kDomainFolder) << "t"
                                   << ".."
                                   << "";
        QTest::newRow("domain+title ..") << int(kDomainTitleFolder) << ".."
                                         << ".."
                                         << "";
        QTest::newRow("domain nul") << int(kDomainFolder) << "t" << nul << "";
        QTest::newRow("category ..") << int(kNoSubFolder) << "t"
                                     << "d"
                                     << "..";
        QTest::newRow("category climbing") << int(kDomainFolder) << "t"
                                           << "d"
                                           << "../../x";
        QTest::newRow("category nul") << int(kNoSubFolder) << "t"
                                      << "d" << nul;
        QTest::newRow("category 300") << int(kNoSubFolder) << "t"
                                      << "d" << longName;
    }
    void hostileNamesStayInside() {
        QFETCH(int, rule);
        QFETCH(QString, title);
        QFETCH(QString, domain);
        QFETCH(QString, category);
        SaveFixture f;
        configure(f, rule, title, domain, category);
        const QStringList before = tree(f.root);
        const TargetFolder target = resolve(f);
        QStringList after = tree(f.root);
        after.erase(std::remove_if(after.begin(), after.end(),
                                   [](const QString& p) { return p.startsWith(QLatin1String("pictures/")); }),
                    after.end());
        QCOMPARE(after, before);
        if (target.ok) {
            const QString canonical = QFileInfo(target.folder).canonicalFilePath();
            QVERIFY2(canonical.startsWith(QFileInfo(f.saveFolder).canonicalFilePath() + u'/'),
                     qPrintable(canonical));
        } else {
            QVERIFY(f.desktop.messages.value(0).startsWith("Can not create directory:" + f.saveFolder));
        }
    }

    void menuCommands() {
        SaveFixture f;
        OpenLocalFolder(f.save, f.desktop);
        QCOMPARE(f.desktop.openedPaths, QStringList{f.saveFolder});
        OpenLocalWebpage(f.save, f.desktop);
        QCOMPARE(f.desktop.openedPaths.size(), 1);
        f.save.lastIndexPage = f.saveFolder + "x.htm";
        OpenLocalWebpage(f.save, f.desktop);
        QCOMPARE(f.desktop.openedPaths.last(), f.saveFolder + "x.htm");
        ClickAutoRecognise(f.save, true);
        QVERIFY(!f.save.forceExtension);
        ClickForceExtension(f.save, true);
        QVERIFY(!f.save.autoRecognise);
        ClickForceExtension(f.save, false);
        QVERIFY(!f.save.forceExtension && !f.save.autoRecognise);
    }

    void rememberedFolder_data() {
        QTest::addColumn<QString>("stored");  // %1: an existing folder
        QTest::addColumn<QString>("read");
        QTest::newRow("none") << ""
                              << "";
        QTest::newRow("a folder gains a separator") << "%1"
                                                    << "%1/";
        QTest::newRow("a separator stays single") << "%1/"
                                                  << "%1/";
        QTest::newRow("a folder that is gone") << "%1/gone"
                                               << "";
        QTest::newRow("a file is no folder") << "%1/file.txt"
                                             << "";
    }

    void rememberedFolder() {
        QFETCH(QString, stored);
        QFETCH(QString, read);
        QTemporaryDir dir;
        writeFile(dir.filePath("file.txt"), "x");
        IniFile ini(dir.filePath("vorlaken.ini"));
        ini.writeString("config", "dir", stored.arg(dir.path()));
        QCOMPARE(ReadSaveFolder(ini), read.arg(dir.path()));
    }

    void rememberedFolderIsWrittenWhileKept() {
        QTemporaryDir dir;
        IniFile ini(dir.filePath("vorlaken.ini"));
        ini.writeString("config", "dir", "/before/");
        WriteSaveFolder(ini, "/elsewhere/", false);
        QCOMPARE(ini.readString("config", "dir", QString()), QStringLiteral("/before/"));
        WriteSaveFolder(ini, "/elsewhere/", true);
        QCOMPARE(ini.readString("config", "dir", QString()), QStringLiteral("/elsewhere/"));
    }
};

QTEST_GUILESS_MAIN(TestSaveFolder)
#include "tst_savefolder.moc"
