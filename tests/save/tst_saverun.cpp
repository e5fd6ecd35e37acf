#include <QtTest>

#include "SaveFixture.h"
#include "SmallDisk.h"
#include "common/NameLength.h"
#include "results/PreviewReadBack.h"
#include "save/Categories.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {
const char kTemplateUrl[] = "file:///usr/lib/vorlaken/grabnest.htm";
const QByteArray kPng("\x89PNG\r\n\x1A\n0123456789", 18);
const QByteArray kGif("GIF89a0123456789", 16);
}  // namespace

// The save run over the preview's ticked pictures, with pictures taken from a browser cache: the list
// read back from the preview, the counter, the progress window, stopping, errors and the dispatcher.
class TestSaveRun : public QObject {
    Q_OBJECT

    // A cached picture for url whose body is bytes; direct: found by lookup, else only by the walk.
    static void cachePicture(SaveFixture& f, const QString& url, const QByteArray& bytes,
                             bool direct = true) {
        const QString file = writeFile(f.root + QStringLiteral("cache%1").arg(f.cache.items.size()), bytes);
        f.cache.items.append({{url, file, QDateTime()}, QByteArray()});
        if (direct)
            f.cache.direct.insert(url, file);
    }

  private slots:
    void savesTickedLoadedPictures() {
        SaveFixture f;
        f.save.autoRecognise = false;
        f.save.forceExtension = false;
        f.save.namingRule = kNumber;
        const QStringList urls = {"http://h/a.png", "http://h/b.gif", "http://h/c.png", "http://h/d.gif"};
        for (const QString& url : urls)
            cachePicture(f, url, url.endsWith("png") ? kPng : kGif);
        f.addPicture(urls[0]);
        f.addPicture(urls[1], false);    // unticked
        f.addPicture(urls[2], true, 0);  // failed to load
        f.addPicture(urls[3], true, 120, "http://h/page.html");
        QList<bool> enabledSeen;  // Get and Save, at each refresh of the window
        f.services.refresh = [&] { enabledSeen << (f.capture.getEnabled || f.capture.saveEnabled); };
        f.run();
        QCOMPARE(f.filesIn(f.saveFolder), QStringList({"1.png", "2.gif"}));
        QCOMPARE(f.label, QStringLiteral("Saved:2/2"));
        QCOMPARE(f.progress.texts, QStringList({"Saved:0/0", "Saved:1/2", "Saved:2/2"}));
        QCOMPARE(f.progress.maximum, 2);
        QCOMPARE(f.progress.position, 2);
        QCOMPARE(enabledSeen, QList<bool>({false, false, false, true}));
        QVERIFY(!f.progress.shown);
        QVERIFY(f.capture.getEnabled && f.capture.saveEnabled && !f.save.running);
        QCOMPARE(f.save.lastSaveFolder, f.saveFolder);
    }

    // What the preview holds for a ticked picture decides whether it is saved: one not drawn yet is
    // (width 0 while it loads), one whose load failed is not, and a local file only when the page it
    // was found on is local too.
    void saveListTakesTickedPictures_data() {
        QTest::addColumn<QString>("src");
        QTest::addColumn<QString>("pageUrl");
        QTest::addColumn<int>("width");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<bool>("listed");
        QTest::newRow("loaded") << "http://h/a.png"
                                << "http://h/" << 100 << true << true;
        QTest::newRow("not drawn yet") << "http://h/a.png"
                                       << "http://h/" << 0 << false << true;
        QTest::newRow("load failed") << "http://h/a.png"
                                     << "http://h/" << 0 << true << false;
        QTest::newRow("local file of a web page") << "file:///etc/hostname"
                                                  << "https://h/" << 100 << true << false;
        QTest::newRow("local file, scheme in capitals") << "FILE:///etc/hostname"
                                                        << "http://h/" << 100 << true << false;
        QTest::newRow("local file of a page without address") << "file:///etc/hostname"
                                                              << "" << 100 << true << false;
        QTest::newRow("local file of a local page") << "file:///home/u/a.png"
                                                    << "file:///home/u/p.html" << 100 << true << true;
    }
    void saveListTakesTickedPictures() {
        QFETCH(QString, src);
        QFETCH(QString, pageUrl);
        QFETCH(int, width);
        QFETCH(bool, complete);
        QFETCH(bool, listed);
        SaveFixture f;
        const SaveFixture::PreviewRow row = f.addPicture(src, true, width);
        row.hidden->data.value = pageUrl;
        row.image->data.complete = complete;
        f.addPicture("http://h/next.png", true, 100, "http://h/next.html");
        const QList<SaveEntry> list = ReadSaveList(f.preview);
        QCOMPARE(list.size(), listed ? 2 : 1);
        if (listed)
            QCOMPARE(list.first().pictureUrl, src);
        QCOMPARE(list.last().pictureUrl, QStringLiteral("http://h/next.png"));
        QCOMPARE(list.last().linkUrl, QStringLiteral("http://h/next.html"));
    }

    // The ticks are read once the ticked pictures have ended loading: one that fails meanwhile unticks
    // itself and is not counted; one still loading when the wait ends is saved all the same.
    void previewIsReadOnceItsPicturesEndLoading() {
        SaveFixture f;
        f.services.previewWaitMs = 600;
        for (const QString url : {"http://h/a.png", "http://h/b.png", "http://h/c.png"})
            cachePicture(f, url, kPng);
        f.addPicture("http://h/a.png");
        const SaveFixture::PreviewRow failing = f.addPicture("http://h/b.png", true, 0);
        failing.image->data.complete = false;
        const SaveFixture::PreviewRow slow = f.addPicture("http://h/c.png", true, 0);
        slow.image->data.complete = false;
        // The preview's own error handler, as the page runs it once the load has failed.
        QTimer::singleShot(0, this, [failing] {
            failing.image->data.complete = true;
            failing.box->data.checked = false;
        });
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:2/2"));
        QCOMPARE(f.progress.maximum, 2);
        QCOMPARE(f.filesIn(f.saveFolder), QStringList({"1.png", "2.png"}));
    }

    // A zone that does not show the preview page holds no choice of the user's, however much it looks
    // like one: the run says to get the pictures again and makes nothing, not even the folders.
    void otherPageInThePreviewSavesNothing_data() {
        QTest::addColumn<QString>("shownUrl");
        QTest::addColumn<bool>("copiesThePreviewForm");
        QTest::newRow("a web page copying the preview page") << "http://evil.example/page.html" << true;
        QTest::newRow("a web page with a form of its own") << "http://evil.example/page.html" << false;
        QTest::newRow("the template with a form of another shape") << QString(kTemplateUrl) << false;
    }
    void otherPageInThePreviewSavesNothing() {
        QFETCH(QString, shownUrl);
        QFETCH(bool, copiesThePreviewForm);
        SaveFixture f;
        f.save.subFolderRule = kTitleFolder;
        f.services.previewLocation = kTemplateUrl;
        f.preview.page->urlValue = shownUrl;
        const QString secret = writeFile(f.root + "secret.txt", "secret");
        const QString secretUrl = QUrl::fromLocalFile(secret).toString();
        cachePicture(f, secretUrl, kPng);
        if (copiesThePreviewForm) {
            for (int i = 0; i < 2; ++i)
                f.addPicture(secretUrl).hidden->data.value = QStringLiteral("file:///page.html");
        } else {
            FakeElementPtr text = f.preview.page->add(QStringLiteral("INPUT"), f.form);
            text->data.type = QStringLiteral("text");
            FakeElementPtr box = f.preview.page->add(QStringLiteral("INPUT"), f.form);
            box->data.type = QStringLiteral("checkbox");
            box->data.checked = true;
            f.preview.page->addLink("http://evil.example/", f.form);
            f.preview.page->addImage(secretUrl, 100, 100);
        }
        const QStringList before = QDir(f.saveFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        f.run();
        QCOMPARE(f.desktop.messages, QStringList{kNotPreviewPageMessage});
        QCOMPARE(QDir(f.saveFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(f.progress.shows, 0);
        QCOMPARE(f.label, QStringLiteral("Saved:0/0"));
        QVERIFY(f.capture.getEnabled && f.capture.saveEnabled && !f.save.running);

        // Shown at its own address, the preview page is read.
        if (copiesThePreviewForm) {
            f.preview.page->urlValue = kTemplateUrl;
            f.run();
            QCOMPARE(f.label, QStringLiteral("Saved:2/2"));
        }
    }

    void nothingTickedShowsNothing() {
        SaveFixture f;
        f.save.subFolderRule = kTitleFolder;
        f.capture.titleText = "a / b";
        f.addPicture("http://h/a.png", false);
        f.run();
        QCOMPARE(f.progress.shows, 0);
        QCOMPARE(f.desktop.messages, QStringList());
        QCOMPARE(f.label, QStringLiteral("Saved:0/0"));
        QVERIFY(QFileInfo(f.saveFolder + "a_b").isDir());
        QCOMPARE(f.capture.titleText, QStringLiteral("a_b"));
    }

    // "Number+Name" on a malformed escape costs that picture only: counted as failed, no message, and
    // the run, its index page and its zip go on with the others.
    void invalidEscapeSkipsThePicture() {
        SaveFixture f;
        f.save.namingRule = kNumberName;
        f.save.forceExtension = false;
        f.save.localWebpage = true;
        f.save.zipPackage = true;
        for (const QString url : {"http://h/a.png", "http://h/b%2.png", "http://h/c.png"}) {
            cachePicture(f, url, kPng);
            f.addPicture(url);
        }
        f.run();
        QCOMPARE(f.desktop.messages, QStringList());
        QCOMPARE(f.label, QStringLiteral("Saved:2/3"));
        const QStringList files = f.filesIn(f.saveFolder);
        QCOMPARE(files.size(), 4);  // two pictures, the page and the archive
        QVERIFY(files.contains("1_a.png") && files.contains("3_c.png"));
        QVERIFY(!f.progress.shown);
        QVERIFY(f.capture.getEnabled && f.capture.saveEnabled && !f.save.running);
        const QString page = QString::fromUtf8(readFile(f.save.lastIndexPage));
        QVERIFY(page.contains("http://h/b%2.png"));  // listed among the ticked addresses
        QVERIFY(!page.contains("2_b"));
    }

    void stopSavingEndsAfterTheCurrentPicture() {
        SaveFixture f;
        f.save.localWebpage = true;
        for (int i = 1; i <= 5; ++i) {
            const QString url = QStringLiteral("http://h/%1.png").arg(i);
            cachePicture(f, url, kPng);
            f.addPicture(url);
        }
        f.progress.stopAfter = 2;  // ticked while the second picture is stored
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:2/5"));
        QVERIFY(!f.progress.stop);
        QStringList files = f.filesIn(f.saveFolder);
        QCOMPARE(files.size(), 3);  // two pictures and the index page
        QVERIFY(!f.save.lastIndexPage.isEmpty());
    }

    // The cache is walked once, only after the first miss, and no further than needed.
    void cacheWalkIsLazy() {
        SaveFixture f;
        cachePicture(f, "http://h/1.png", kPng);
        cachePicture(f, "http://other/x.png", kPng, false);
        cachePicture(f, "http://H/2.PNG", kGif, false);  // matched without regard to case
        cachePicture(f, "http://h/3.png", kPng, false);
        cachePicture(f, "http://h/after.png", kPng, false);
        for (const QString url : {"http://h/1.png", "http://h/2.png", "http://h/3.png"})
            f.addPicture(url);
        f.run();
        QCOMPARE(f.cache.enumerations, 1);
        QCOMPARE(f.cache.visited, 4);
        QCOMPARE(f.label, QStringLiteral("Saved:3/3"));
        QCOMPARE(f.filesIn(f.saveFolder), QStringList({"1.png", "2.gif", "3.png"}));
    }

    void sameUrlTwiceIsStoredTwice() {
        SaveFixture f;
        f.save.namingRule = kPictureName;
        f.save.forceExtension = false;
        f.save.autoRecognise = false;
        cachePicture(f, "http://h/a.png", kPng);
        f.addPicture("http://h/a.png");
        f.addPicture("http://h/a.png");
        f.run();
        QCOMPARE(f.filesIn(f.saveFolder), QStringList({"a.png", "a_0000.png"}));
    }

    void existingFilesAreNeverReplaced() {
        SaveFixture f;
        f.save.namingRule = kNumber;
        writeFile(f.saveFolder + "1.png", "mine");
        writeFile(f.saveFolder + "1.jpg", "mine too");
        cachePicture(f, "http://h/a.png", kPng);
        f.addPicture("http://h/a.png");
        f.run();
        QCOMPARE(f.filesIn(f.saveFolder), QStringList({"1.jpg", "1.png", "1_0000.png"}));
        QFile mine(f.saveFolder + "1.png");
        QVERIFY(mine.open(QIODevice::ReadOnly));
        QCOMPARE(mine.readAll(), QByteArray("mine"));
    }

    // Nothing a page names, nor a hand-edited category, puts a file or folder outside the save folder.
    void hostileNamesStayInside_data() {
        QTest::addColumn<int>("rule");
        QTest::newRow("picture name") << int(kPictureName);
        QTest::newRow("number+name") << int(kNumberName);
    }
    void hostileNamesStayInside() {
        QFETCH(int, rule);
        SaveFixture f;
        f.save.namingRule = rule;
        f.save.subFolderRule = kDomainTitleFolder;
        f.save.localWebpage = true;
        f.save.zipPackage = true;
        f.save.categoriesOn = true;
        f.save.currentCategory = "../../cat";
        f.save.prefix = "../";
        f.capture.titleText = "..";
        f.capture.pageDomain = "..";
        const QStringList urls = {"http://h/..%2F..%2Fevil.png", "http://h/a%00b.png", "http://h/..",
                                  "http://h/" + QString(300, u'x') + ".png", "http://h/a\\..\\b.png"};
        for (const QString& url : urls) {
            cachePicture(f, url, kPng);
            f.addPicture(url);
        }
        const QStringList outside =
            QDir(f.root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        f.run();
        QCOMPARE(QDir(f.root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), outside);
        QCOMPARE(QDir(f.root + "..").entryList().contains("evil.png"), false);
        QCOMPARE(f.label, QStringLiteral("Saved:5/5"));  // the 300-character name is shortened
        const QString target = f.saveFolder + ".._.._cat/_/_/";
        QCOMPARE(f.save.lastSaveFolder, f.saveFolder + ".._.._cat/_/_");
        QCOMPARE(f.filesIn(target).size(), 7);
    }

    // A cached copy that is empty or unreadable is no picture: not stored, not counted, no message.
    void emptyOrMissingCachedCopyIsAFailedPicture() {
        SaveFixture f;
        f.save.namingRule = kNumber;
        cachePicture(f, "http://h/empty.png", QByteArray());
        f.cache.direct.insert("http://h/gone.png", f.root + "no-such-cache-file");
        cachePicture(f, "http://h/a.png", kPng);
        f.addPicture("http://h/empty.png");
        f.addPicture("http://h/gone.png");
        f.addPicture("http://h/a.png");
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:1/3"));
        QCOMPARE(f.filesIn(f.saveFolder), QStringList{"3.png"});
        QCOMPARE(f.desktop.messages, QStringList());
    }

    // The folder removed under a run: the run ends at the next picture with a message naming the
    // folder, counting only the picture that was stored.
    void folderRemovedMidRun() {
        SaveFixture f;
        f.save.localWebpage = true;
        f.save.zipPackage = true;
        for (int i = 1; i <= 3; ++i) {
            const QString url = QStringLiteral("http://h/%1.png").arg(i);
            cachePicture(f, url, kPng);
            f.addPicture(url);
        }
        f.services.refresh = [&] {
            if (f.label == QStringLiteral("Saved:1/3"))
                QDir(f.saveFolder).removeRecursively();
        };
        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:1/3"));
        QCOMPARE(f.desktop.messages.size(), 1);
        QVERIFY2(f.desktop.messages[0].startsWith("Can not write to directory: " + f.saveFolder + " ("),
                 qPrintable(f.desktop.messages[0]));
        QVERIFY(f.desktop.messages[0].endsWith(", saving stopped"));
        QVERIFY(!QFileInfo::exists(f.saveFolder));
        QCOMPARE(f.save.lastIndexPage, QString());
        QVERIFY(!f.progress.shown);
        QVERIFY(f.capture.getEnabled && f.capture.saveEnabled && !f.save.running);
    }

    // The folder made read-only under a run (in a way that binds root too): what was stored stays and
    // is counted, nothing half-made is left, and the user is told.
    void readOnlyMidRun_data() {
        QTest::addColumn<int>("after");
        QTest::addColumn<QStringList>("files");
        QTest::newRow("after the first picture") << 1 << QStringList({"1.png"});
        QTest::newRow("before the index page") << 3 << QStringList({"1.png", "2.png", "3.png"});
    }
    void readOnlyMidRun() {
        QFETCH(int, after);
        QFETCH(QStringList, files);
        SaveFixture f;
        f.save.localWebpage = true;
        f.save.zipPackage = true;
        ReadOnlySwitch readOnly(f.saveFolder);
        QVERIFY2(readOnly.usable(),
                 "running as root without the right to mount: no way to make a folder "
                 "read-only for this process");
        for (int i = 1; i <= 3; ++i) {
            const QString url = QStringLiteral("http://h/%1.png").arg(i);
            cachePicture(f, url, kPng);
            f.addPicture(url);
        }
        const QString trigger = QStringLiteral("Saved:%1/3").arg(after);
        bool switched = false;
        f.services.refresh = [&] {
            if (f.label == trigger && !switched)
                switched = readOnly.turnReadOnly();
        };
        f.run();
        QVERIFY(switched);
        QCOMPARE(f.label, trigger);
        QCOMPARE(f.filesIn(f.saveFolder), files);
        for (const QString& file : files)
            QCOMPARE(readFile(f.saveFolder + file), kPng);
        QCOMPARE(f.desktop.messages.size(), 1);
        QVERIFY2(f.desktop.messages[0].startsWith("Can not write to directory: " + f.saveFolder),
                 qPrintable(f.desktop.messages[0]));
        QCOMPARE(f.save.lastIndexPage, QString());
    }

    // Names longer than the file system takes are shortened in bytes, at a character boundary, keeping
    // the number and the extension, and stay unique; folders named after a long title too.
    void longNames_data() {
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        const QString cat = QStringLiteral("\u732B");
        const QString emoji = QStringLiteral("\U0001F600");
        const QString cjkEscaped = QStringLiteral("%E7%8C%AB");
        QTest::newRow("300 characters, picture name") << int(kPictureName) << QString(300, u'a') << "";
        QTest::newRow("300 characters, number+name") << int(kNumberName) << QString(300, u'a') << "";
        QTest::newRow("90 CJK, picture name") << int(kPictureName) << cat.repeated(90) << "";
        QTest::newRow("90 CJK escaped, number+name") << int(kNumberName) << cjkEscaped.repeated(90) << "";
        QTest::newRow("70 emoji") << int(kPictureName) << emoji.repeated(70) << "";
        QTest::newRow("10,000 characters") << int(kNumberName) << QString(10000, u'b') << "";
        QTest::newRow("100 CJK title") << int(kNumber) << "a" << cat.repeated(100);
        QTest::newRow("10,000 character title") << int(kNumber) << "a" << QString(10000, u't');
    }
    void longNames() {
        QFETCH(int, rule);
        QFETCH(QString, name);
        QFETCH(QString, title);
        SaveFixture f;
        f.save.namingRule = rule;
        f.save.forceExtension = false;
        f.save.subFolderRule = title.isEmpty() ? kNoSubFolder : kTitleFolder;
        f.capture.titleText = title;
        const QString url = "http://h/" + name + ".png";
        cachePicture(f, url, kPng);
        f.addPicture(url);
        f.addPicture(url);
        f.run();
        QCOMPARE(f.desktop.messages, QStringList());
        QCOMPARE(f.label, QStringLiteral("Saved:2/2"));
        QString folder = f.saveFolder;
        if (!title.isEmpty()) {
            const QStringList folders = QDir(f.saveFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
            QCOMPARE(folders.size(), 1);
            QVERIFY(folders[0].toUtf8().size() <= 255);
            QVERIFY(title.startsWith(folders[0]));
            folder += folders[0] + "/";
        }
        const QStringList files = f.filesIn(folder);
        QCOMPARE(files.size(), 2);
        for (const QString& file : files) {
            QVERIFY2(file.toUtf8().size() <= 255, qPrintable(QString::number(file.toUtf8().size())));
            QVERIFY(file.endsWith(".png"));
            QVERIFY(!file.contains(QChar::ReplacementCharacter));
            QCOMPARE(readFile(folder + file), kPng);
            if (rule == kNumberName)
                QVERIFY(file.startsWith("1_") || file.startsWith("2_"));
        }
    }

    // A folder that cannot be made, named after a very long title: the message shows the path cut in
    // the middle, not ten thousand characters.
    void longPathsAreShortInMessages() {
        SaveFixture f;
        f.save.subFolderRule = kTitleFolder;
        f.capture.titleText = QString(10000, u't');
        writeFile(f.saveFolder + CutToBytes(f.capture.titleText, 255), "a file where the folder would go");
        cachePicture(f, "http://h/a.png", kPng);
        f.addPicture("http://h/a.png");
        f.run();
        QCOMPARE(f.desktop.messages.size(), 1);
        const QString message = f.desktop.messages[0];
        QVERIFY2(message.size() < 300, qPrintable(QString::number(message.size())));
        QVERIFY(message.startsWith("Can not create directory:" + f.saveFolder.left(20)));
        QVERIFY(message.contains("..."));
        QVERIFY(message.endsWith("tttt,Please modify web page title and then save"));
    }

    // Two runs within one second: the second page and archive take the stamp with _001.
    void twoRunsInOneSecond() {
        SaveFixture f;
        f.save.localWebpage = true;
        f.save.zipPackage = true;
        f.services.now = [] { return QDateTime(QDate(2008, 5, 6), QTime(7, 8, 9)); };
        cachePicture(f, "http://h/a.png", kPng);
        f.addPicture("http://h/a.png");
        f.run();
        QCOMPARE(f.save.lastIndexPage, f.saveFolder + "2008.05.06.07.08.09.htm");
        f.run();
        QCOMPARE(f.save.lastIndexPage, f.saveFolder + "2008.05.06.07.08.09_001.htm");
        QVERIFY(QFile::exists(f.saveFolder + "2008.05.06.07.08.09.zip"));
        QVERIFY(QFile::exists(f.saveFolder + "2008.05.06.07.08.09_001.zip"));
        QCOMPARE(f.filesIn(f.saveFolder).size(), 6);
    }

    void startSaveDispatches() {
        SaveFixture f;
        cachePicture(f, "http://h/a.png", kPng);
        f.addPicture("http://h/a.png");
        QString other = QStringLiteral("Saved:0/0");

        StartSave(f.capture, f.save, f.services, false, other);
        QCOMPARE(f.desktop.beeps, 1);
        QCOMPARE(f.filesIn(f.saveFolder), QStringList());

        int pops = 0;
        f.services.popCategoryMenu = [&] { ++pops; };
        f.save.categoriesOn = true;
        StartSave(f.capture, f.save, f.services, true, other);
        QCOMPARE(pops, 1);
        QCOMPARE(f.save.pendingSaveLabel, &other);
        QCOMPARE(f.filesIn(f.saveFolder), QStringList());

        const QString caption = Categories::menuCaptions({"Food_&&_Drink"}).first();
        QCOMPARE(caption, QStringLiteral("Food_&&&&_Drink"));
        ChooseCategory(f.capture, f.save, f.services, caption);
        QCOMPARE(f.save.currentCategory, QStringLiteral("Food_&&_Drink"));
        QCOMPARE(f.filesIn(f.saveFolder + "Food_&&_Drink"), QStringList{"1.png"});
        QCOMPARE(other, QStringLiteral("Saved:1/1"));
        QCOMPARE(f.label, QStringLiteral("Saved:0/0"));
    }

    // While a run goes on, other Save buttons and the category menu only beep.
    void noSecondRun() {
        SaveFixture f;
        cachePicture(f, "http://h/a.png", kPng);
        f.addPicture("http://h/a.png");
        f.addPicture("http://h/a.png");
        QString other = QStringLiteral("Saved:0/0");
        f.save.pendingSaveLabel = &other;
        bool tried = false;
        f.services.refresh = [&] {
            if (!f.save.running || tried)
                return;
            tried = true;
            StartSave(f.capture, f.save, f.services, true, other);
            ChooseCategory(f.capture, f.save, f.services, "x");
        };
        f.run();
        QVERIFY(tried);
        QCOMPARE(f.desktop.beeps, 2);
        QCOMPARE(other, QStringLiteral("Saved:0/0"));
        QCOMPARE(f.label, QStringLiteral("Saved:2/2"));
    }
};

QTEST_GUILESS_MAIN(TestSaveRun)
#include "tst_saverun.moc"
