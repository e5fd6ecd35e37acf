// Saving from the main window: the Save button, the category menu and its editor, the progress window,
// and pictures the attached browser has cached copied from its disk cache.
#include <algorithm>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>
#include <QTimer>

#include "CachingHttpServer.h"
#include "ChromiumProcess.h"
#include "LoopbackHttpServer.h"
#include "ShellFixture.h"
#include "platform/browsercache/DiskBrowserCache.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "results/PreviewReadBack.h"
#include "shell/BusService.h"
#include "shell/CategoryDialog.h"
#include "shell/SaveController.h"
#include "shell/SaveProgressWindow.h"
#include "support/FakeBrowserCache.h"
#include "support/FakeDesktop.h"
#include "support/SolidPng.h"

using namespace vorlaken;
using namespace vorlaken::test;

class SaveWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase();
    void cleanupTestCase();
    void saveButtonStoresTheTickedPictures();
    void saveThroughTheBusAsksForTheFolder();
    void stopSavingEndsTheRunAfterThePictureInHand_data();
    void stopSavingEndsTheRunAfterThePictureInHand();
    void typingDuringARunIsKept();
    void saveAfterPicturesInvisibleMakesNothing();
    void theEndOfARunOffersItsFolder();
    void folderThatCannotBeMadeShowsTheTitleBox();
    void categoryMenuChoiceSavesIntoTheCategoryFolder();
    void extensionBoxesExcludeEachOtherByClick();
    void categoryEditor_data();
    void categoryEditor();
    void categoryEditorOverTheBusOpensNoWindow();
    void eachRunMakesItsCacheForTheAttachedProfile();
    void cachedPictureIsCopiedWhileItsServerIsDown();

  private:
    // A window attached to the gallery in the shared browser, saving below out (set as "dir").
    // With an empty out, no folder is remembered.
    MainWindow& openOnGallery(ShellFixture& fixture, const QString& out, const QByteArray& moreSettings = {},
                              Desktop* services = nullptr);

    LoopbackHttpServer server_;
    std::unique_ptr<ChromiumProcess> chromium_;
    DevToolsBrowserFinder finder_;
};

namespace {

const QByteArray kGallery =
    "<html><head><title>Save gallery</title></head><body>"
    "<img src='photo1.png' width=360 height=240>"
    "<a href='/photo2.png'><img src='photo2.png' width=360 height=240></a>"
    "<img src='photo3.png' width=360 height=240>"
    "</body></html>";

// Files below folder, as paths relative to it, sorted.
QStringList filesBelow(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << QDir(folder).relativeFilePath(it.next());
    files.sort();
    return files;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Waits until every picture of the preview has been loaded (a picture not loaded is not saved).
bool previewPicturesLoaded(MainWindow& window, int count) {
    return QTest::qWaitFor(
        [&] {
            try {
                const auto images = window.zone(QStringLiteral("wb1"))->document()->images()->read(kWidth);
                if (int(images.size()) != count)
                    return false;
                for (const ElementData& image : images) {
                    if (image.width <= 0)
                        return false;
                }
                return true;
            } catch (const PageError&) {
                return false;
            }
        },
        15000);
}

}  // namespace

void SaveWindowTest::initTestCase() {
    QVERIFY(server_.listen());
    server_.setRoot(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo"));
    server_.addPage(QStringLiteral("/gallery.htm"), kGallery);
    // The first picture comes slowly, so a run can be stopped while it is in hand.
    HttpRoute slow;
    slow.contentType = "image/png";
    slow.body = contentOf(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo/photo1.png"));
    slow.delayMs = 400;
    server_.addRoute(QStringLiteral("/photo1.png"), slow);
    if (!ChromiumProcess::available())
        return;
    chromium_ = std::make_unique<ChromiumProcess>();
    QVERIFY2(chromium_->start(server_.url(QStringLiteral("/gallery.htm"))),
             qPrintable(chromium_->errorString()));
}

void SaveWindowTest::cleanupTestCase() {
    qunsetenv("VORLAKEN_DEVTOOLS");
    chromium_.reset();
}

MainWindow& SaveWindowTest::openOnGallery(ShellFixture& fixture, const QString& out,
                                          const QByteArray& moreSettings, Desktop* services) {
    QByteArray settings = "[config]\r\nkeepdir=1\r\n" + moreSettings;
    if (!out.isEmpty()) {
        QDir().mkpath(out);
        settings += "dir=" + out.toUtf8() + "\r\n";
    }
    fixture.writeSettings(settings);
    qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toUtf8());
    MainWindow& window = services ? fixture.create(finder_, *services) : fixture.create(finder_);
    [&] {
        QVERIFY(fixture.showAndWaitForStartup());
        QCOMPARE(window.state().table.size(), 3);
        QVERIFY(previewPicturesLoaded(window, 3));
    }();
    return window;
}

void SaveWindowTest::saveButtonStoresTheTickedPictures() {
    VORLAKEN_REQUIRE_CHROMIUM();
    ShellFixture fixture;
    const QString out = fixture.path(QStringLiteral("out"));
    MainWindow& window = openOnGallery(fixture, out);
    if (QTest::currentTestFailed())
        return;
    SaveProgressWindow& progress = window.saving().progressWindow();
    QCOMPARE(progress.objectName(), QStringLiteral("TfrmPrompt"));

    // The progress window shows the run while it goes on.
    int shownWhileRunning = 0;
    QString lastProgressText;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (progress.isVisible()) {
            ++shownWhileRunning;
            lastProgressText = progress.label()->text();
        }
    });
    watch.start(10);
    window.desktop().beginBusCall();
    window.ui().saveButton->click();
    const QStringList messages = window.desktop().endBusCall();
    watch.stop();

    QCOMPARE(messages, QStringList());
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:3/3"));
    QVERIFY(shownWhileRunning > 0);
    QCOMPARE(lastProgressText, QStringLiteral("Saved:3/3"));
    // The run has ended: the window stays a while to offer the folder the pictures went to.
    QVERIFY(progress.isVisible());
    QVERIFY(!progress.openFolderButton()->isHidden());
    QVERIFY(progress.stopBox()->isHidden());
    QVERIFY(window.ui().saveButton->isEnabled());
    QVERIFY(window.ui().getButton->isEnabled());

    // Domain, then title; the pictures numbered, recognised as PNG; the local webpage beside them.
    QStringList files = filesBelow(out);
    QCOMPARE(files.size(), 4);
    // The pictures first, the page last.
    std::stable_partition(files.begin(), files.end(),
                          [](const QString& file) { return !file.endsWith(QLatin1String(".htm")); });
    const QString folder = QStringLiteral("127.0.0.1_%1/Save_gallery/").arg(server_.port());
    for (int i = 0; i < 3; ++i) {
        QVERIFY2(files[i].startsWith(folder) && files[i].endsWith(QLatin1String(".png")),
                 qPrintable(files[i]));
        QCOMPARE(contentOf(out + QLatin1Char('/') + files[i]),
                 contentOf(QStringLiteral(VORLAKEN_SOURCE_DATA "/demo/photo%1.png").arg(i + 1)));
    }
    QVERIFY2(files[3].startsWith(folder) && files[3].endsWith(QLatin1String(".htm")), qPrintable(files[3]));
    QCOMPARE(window.saving().state().lastIndexPage, out + QLatin1Char('/') + files[3]);
}

void SaveWindowTest::saveThroughTheBusAsksForTheFolder() {
    VORLAKEN_REQUIRE_CHROMIUM();
    ShellFixture fixture;
    MainWindow& window = openOnGallery(fixture, QString(), "save=0\r\n");
    if (QTest::currentTestFailed())
        return;
    const QString out = fixture.path(QStringLiteral("chosen"));
    QVERIFY(QDir().mkpath(out));
    BusService bus(window);
    // No folder yet: the folder dialog takes the script's answer.
    bus.SetAnswer(out);
    QCOMPARE(bus.Invoke(QStringLiteral("savebtn"), QString()), QString());
    QCOMPARE(bus.Control(QStringLiteral("Label3")), QStringLiteral("Saved:3/3"));
    QCOMPARE(bus.Control(QStringLiteral("savebtn.enabled")), QStringLiteral("1"));
    QCOMPARE(filesBelow(out).size(), 3);
    // The chosen folder is remembered at once, not only at close.
    QVERIFY2(fixture.settingsText().contains("\ndir=" + out.toUtf8() + "/"),
             fixture.settingsText().constData());

    // "Specify file folder to save pictures..." takes another answer; Cancel keeps the folder.
    const QString other = fixture.path(QStringLiteral("other"));
    QVERIFY(QDir().mkpath(other));
    bus.SetAnswer(other);
    QCOMPARE(bus.Invoke(QStringLiteral("N28"), QString()), QString());
    QCOMPARE(window.saving().state().saveFolder, other + QLatin1Char('/'));
    QCOMPARE(bus.Invoke(QStringLiteral("N28"), QString()), QString());
    QCOMPARE(window.saving().state().saveFolder, other + QLatin1Char('/'));
    window.close();
    QVERIFY(fixture.settingsText().contains("\ndir=" + other.toUtf8() + "/"));
}

// "stop saving" ticked by a click, or by a script while the run keeps Get and Save out of use: the
// progress window's box is reached as TfrmPrompt.CheckBox1, as the main window has a CheckBox1 too.
void SaveWindowTest::stopSavingEndsTheRunAfterThePictureInHand_data() {
    QTest::addColumn<bool>("overTheBus");
    QTest::newRow("click") << false;
    QTest::newRow("bus") << true;
}

void SaveWindowTest::stopSavingEndsTheRunAfterThePictureInHand() {
    QFETCH(bool, overTheBus);
    VORLAKEN_REQUIRE_CHROMIUM();
    ShellFixture fixture;
    const QString out = fixture.path(QStringLiteral("out"));
    MainWindow& window = openOnGallery(fixture, out, "save=0\r\n");
    if (QTest::currentTestFailed())
        return;
    SaveProgressWindow& progress = window.saving().progressWindow();
    const bool originSize = window.ui().originSizeCheck->isChecked();
    BusService bus(window);
    QStringList seenByTheBus;
    QTimer stopper;
    connect(&stopper, &QTimer::timeout, this, [&] {
        // Ticked once the first picture is stored: the run ends before the next one.
        if (progress.isVisible() && window.ui().savedLabel->text() == QStringLiteral("Saved:1/3")) {
            if (overTheBus) {
                seenByTheBus << bus.Control(QStringLiteral("TfrmPrompt.Label3"))
                             << bus.Control(QStringLiteral("TfrmPrompt.CheckBox1.enabled"));
                bus.SetControl(QStringLiteral("TfrmPrompt.CheckBox1"), QStringLiteral("1"));
            } else {
                progress.stopBox()->click();
            }
            stopper.stop();
        }
    });
    stopper.start(0);
    window.desktop().beginBusCall();
    window.ui().saveButton->click();
    window.desktop().endBusCall();
    stopper.stop();
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:1/3"));
    QCOMPARE(filesBelow(out).size(), 1);
    QVERIFY(progress.stopBox()->isHidden());    // the run is over; what stays is the folder's offer
    QVERIFY(!progress.stopBox()->isChecked());  // the next run starts unticked
    QVERIFY(window.ui().saveButton->isEnabled());
    if (overTheBus)
        QCOMPARE(seenByTheBus, (QStringList{QStringLiteral("Saved:1/3"), QStringLiteral("1")}));
    QCOMPARE(window.ui().originSizeCheck->isChecked(), originSize);  // the main window's own CheckBox1
}

// During a run only the counter, Get and Save, and the title the run cleaned change: what the user
// types or chooses in the filter, title and extension boxes meanwhile stays.
void SaveWindowTest::typingDuringARunIsKept() {
    VORLAKEN_REQUIRE_CHROMIUM();
    ShellFixture fixture;
    const QString out = fixture.path(QStringLiteral("out"));
    MainWindow& window = openOnGallery(fixture, out, "save=0\r\n");
    if (QTest::currentTestFailed())
        return;
    SaveProgressWindow& progress = window.saving().progressWindow();
    QStringList labelsAfterTyping;
    QTimer typist;
    connect(&typist, &QTimer::timeout, this, [&] {
        if (!progress.isVisible())
            return;
        if (labelsAfterTyping.isEmpty()) {
            window.controls().setValue(QStringLiteral("Edit3"), QStringLiteral("typed"));
            window.controls().setValue(QStringLiteral("cbtitle"), QStringLiteral("Typed title"));
            window.controls().setValue(QStringLiteral("cbext"), QStringLiteral("2"));
            window.controls().setValue(QStringLiteral("extchk"), QStringLiteral("0"));
        }
        labelsAfterTyping << window.ui().savedLabel->text();
    });
    typist.start(0);
    window.desktop().beginBusCall();
    window.ui().saveButton->click();
    window.desktop().endBusCall();
    typist.stop();

    QVERIFY(!labelsAfterTyping.isEmpty());
    QVERIFY2(labelsAfterTyping.first() != QStringLiteral("Saved:3/3"),
             qPrintable(labelsAfterTyping.join(u' ')));
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:3/3"));
    QCOMPARE(window.ui().urlIncludeEdit->text(), QStringLiteral("typed"));
    QCOMPARE(window.ui().titleCombo->currentText(), QStringLiteral("Typed title"));
    QCOMPARE(window.ui().defaultExtCombo->currentText(), QStringLiteral(".png"));
    QVERIFY(!window.ui().forceExtensionCheck->isChecked());
    QVERIFY(window.ui().autoRecogniseCheck->isChecked());
    QVERIFY(window.ui().getButton->isEnabled() && window.ui().saveButton->isEnabled());
    // The run's pictures went into the folder of the title it started with.
    const QStringList files = filesBelow(out);
    QCOMPARE(files.size(), 3);
    for (const QString& file : files)
        QVERIFY2(file.startsWith(QStringLiteral("127.0.0.1_%1/Save_gallery/").arg(server_.port())),
                 qPrintable(file));
}

// The folder the run saved into is offered for a while, with nothing modal: over the bus its button
// opens it; left alone the offer goes by itself, and a new run takes it back at once.
void SaveWindowTest::theEndOfARunOffersItsFolder() {
    VORLAKEN_REQUIRE_CHROMIUM();
    ShellFixture fixture;
    FakeDesktop desktop;
    const QString out = fixture.path(QStringLiteral("out"));
    MainWindow& window = openOnGallery(fixture, out, {}, &desktop);
    if (QTest::currentTestFailed())
        return;
    BusService bus(window);
    SaveProgressWindow& progress = window.saving().progressWindow();
    QCOMPARE(bus.Invoke(QStringLiteral("savebtn"), QString()), QString());
    QCOMPARE(bus.Control(QStringLiteral("TfrmPrompt.openFolder.visible")), QStringLiteral("1"));
    QCOMPARE(bus.Control(QStringLiteral("TfrmPrompt.openFolder.caption")), QStringLiteral("Open folder"));
    QCOMPARE(bus.Invoke(QStringLiteral("TfrmPrompt.openFolder"), QString()), QString());
    const QString folder = out + QStringLiteral("/127.0.0.1_%1/Save_gallery").arg(server_.port());
    QCOMPARE(desktop.openedPaths.size(), 1);
    QCOMPARE(QDir(desktop.openedPaths.first()).canonicalPath(), QDir(folder).canonicalPath());
    QVERIFY(!progress.isVisible());

    // A folder that cannot be opened is named.
    desktop.openResult = false;
    bus.Invoke(QStringLiteral("savebtn"), QString());
    QCOMPARE(bus.Invoke(QStringLiteral("TfrmPrompt.openFolder"), QString())
                 .contains(QStringLiteral("could not be opened")),
             true);

    // Left alone, the offer goes.
    bus.Invoke(QStringLiteral("savebtn"), QString());
    QVERIFY(progress.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isVisible(), SaveProgressWindow::kOfferMs + 10000);
    QCOMPARE(desktop.openedPaths.size(), 2);
}

// "Pictures invisible ?" shows the origin page in the preview zone. A page that copies the preview
// page's form, with pictures naming local files, is not read as the user's choice: Save asks for
// "Get" and makes nothing.
void SaveWindowTest::saveAfterPicturesInvisibleMakesNothing() {
    VORLAKEN_REQUIRE_CHROMIUM();
    ShellFixture fixture;
    const QString secret = fixture.path(QStringLiteral("secret.txt"));
    {
        QFile file(secret);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not for the web");
    }
    const QString secretUrl = QUrl::fromLocalFile(secret).toString();
    QByteArray copy = "<html><head><title>Copy</title></head><body><form name=\"form1\">";
    const QString pictures[] = {secretUrl, server_.url(QStringLiteral("/photo2.png"))};
    for (int n = 1; n <= 2; ++n)
        copy += QStringLiteral(
                    "<input type=\"checkbox\" name=\"c%1\" checked value=\"360*240\">"
                    "<a name=\"a%1\" href=\"http://x.example/\"></a>"
                    "<input type=\"hidden\" name=\"h%1\" value=\"file:///page.htm\">"
                    "<img name=\"p%1\" src=\"%2\" width=360 height=240>")
                    .arg(n)
                    .arg(pictures[n - 1])
                    .toUtf8();
    copy += "</form></body></html>";
    server_.addPage(QStringLiteral("/copy.htm"), copy);
    ChromiumProcess browser;
    server_.clearRequests();
    QVERIFY2(browser.start(server_.url(QStringLiteral("/copy.htm"))), qPrintable(browser.errorString()));
    // The start-up capture reads the page once its pictures are in its document.
    QTRY_VERIFY_WITH_TIMEOUT(!server_.requestsFor(QStringLiteral("/photo2.png")).isEmpty(), 30000);

    const QString out = fixture.path(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(out));
    fixture.writeSettings("[config]\r\nkeepdir=1\r\nsave=0\r\ndir=" + out.toUtf8() + "\r\n");
    qputenv("VORLAKEN_DEVTOOLS", browser.endpoint().toUtf8());
    MainWindow& window = fixture.create(finder_);
    QVERIFY(fixture.showAndWaitForStartup());
    QVERIFY(window.state().table.size() >= 1);

    BusService bus(window);
    QCOMPARE(bus.Invoke(QStringLiteral("N35"), QString()), QString());
    Zone* preview = window.zone(QStringLiteral("wb1"));
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            try {
                DocumentPtr document = preview->document();
                return document->url() == server_.url(QStringLiteral("/copy.htm")) &&
                       document->images()->length() == 2;
            } catch (const PageError&) {
                return false;
            }
        }(),
        15000);
    QCOMPARE(bus.Invoke(QStringLiteral("savebtn"), QString()), kNotPreviewPageMessage);
    QCOMPARE(QDir(out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:0/0"));
    QVERIFY(window.ui().saveButton->isEnabled());
    qputenv("VORLAKEN_DEVTOOLS", chromium_->endpoint().toUtf8());
}

void SaveWindowTest::folderThatCannotBeMadeShowsTheTitleBox() {
    VORLAKEN_REQUIRE_CHROMIUM();
    ShellFixture fixture;
    const QString out = fixture.path(QStringLiteral("out"));
    MainWindow& window = openOnGallery(fixture, out);
    if (QTest::currentTestFailed())
        return;
    // A file stands where the title folder would go.
    const QString titleFolder = QStringLiteral("%1/127.0.0.1_%2/Save_gallery").arg(out).arg(server_.port());
    QVERIFY(QDir().mkpath(QFileInfo(titleFolder).path()));
    {
        QFile blocker(titleFolder);
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    window.ui().panelTabs->setCurrentIndex(1);
    BusService bus(window);
    const QString messages = bus.Invoke(QStringLiteral("savebtn"), QString());
    QVERIFY2(messages.startsWith(QStringLiteral("Can not create directory:")) &&
                 messages.endsWith(QStringLiteral(", Please modify webpage title and then save")),
             qPrintable(messages));
    QCOMPARE(window.ui().panelTabs->currentIndex(), 0);
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:0/0"));
    QVERIFY(window.ui().saveButton->isEnabled());
    QCOMPARE(filesBelow(out), QStringList{QDir(out).relativeFilePath(titleFolder)});
}

void SaveWindowTest::categoryMenuChoiceSavesIntoTheCategoryFolder() {
    VORLAKEN_REQUIRE_CHROMIUM();
    ShellFixture fixture;
    {
        QFile cat(fixture.path(QStringLiteral("cat.txt")));
        QVERIFY(cat.open(QIODevice::WriteOnly));
        cat.write("Nature\r\nFood_&_Drink\r\nR&&D\r\n");
    }
    const QString out = fixture.path(QStringLiteral("out"));
    MainWindow& window = openOnGallery(fixture, out, "cat=1\r\nsave=0\r\n");
    if (QTest::currentTestFailed())
        return;
    QMenu* menu = window.saving().categoryMenu();
    QCOMPARE(menu->objectName(), QStringLiteral("catPopup"));
    QCOMPARE(window.ui().categoryEditorLabel->toolTip(),
             QStringLiteral("pictures are saved under categories"));
    // "&" doubled, so the menu shows the names exactly.
    QStringList captions;
    for (QAction* item : menu->actions())
        captions << item->text();
    QCOMPARE(captions, (QStringList{QStringLiteral("Nature"), QStringLiteral("Food_&&_Drink"),
                                    QStringLiteral("R&&&&D")}));

    // Save pops the menu and saves nothing yet.
    window.ui().saveButton->click();
    QTRY_VERIFY(menu->isVisible());
    QCOMPARE(filesBelow(out), QStringList());

    // A script chooses the entry by its category name.
    BusService bus(window);
    QCOMPARE(bus.Invoke(QStringLiteral("catPopup"), QStringLiteral("Food_&_Drink")), QString());
    QVERIFY(!menu->isVisible());
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:3/3"));
    const QStringList files = filesBelow(out);
    QCOMPARE(files.size(), 3);
    for (const QString& file : files)
        QVERIFY2(
            file.startsWith(QStringLiteral("Food_&_Drink/127.0.0.1_%1/Save_gallery/").arg(server_.port())),
            qPrintable(file));
    QCOMPARE(window.saving().state().currentCategory, QStringLiteral("Food_&_Drink"));
    QCOMPARE(bus.Invoke(QStringLiteral("catPopup"), QStringLiteral("No such category")), QString());
    QCOMPARE(filesBelow(out).size(), 3);
}

void SaveWindowTest::extensionBoxesExcludeEachOtherByClick() {
    ShellFixture fixture;
    MainWindow& window = fixture.create();
    window.show();
    QCheckBox* force = window.ui().forceExtensionCheck;
    QCheckBox* autoBox = window.ui().autoRecogniseCheck;
    // The progress window shares component names with the main window; scripts reach the main ones.
    QCOMPARE(window.controls().find(QStringLiteral("Label3")), window.ui().savedLabel);
    QCOMPARE(window.controls().find(QStringLiteral("CheckBox1")), window.ui().originSizeCheck);
    // Both are on after start-up.
    QVERIFY(force->isChecked() && autoBox->isChecked());
    QVERIFY(window.controls().invoke(QStringLiteral("autoextchk")));  // unticks "auto recognise"
    QVERIFY(force->isChecked() && !autoBox->isChecked());
    QVERIFY(window.controls().invoke(QStringLiteral("autoextchk")));
    QVERIFY(!force->isChecked() && autoBox->isChecked());
    QVERIFY(window.controls().invoke(QStringLiteral("extchk")));
    QVERIFY(force->isChecked() && !autoBox->isChecked());

    // The save menu carries its four commands in order; "rember last folder" is a check item whose tick
    // is written as "keepdir".
    QStringList names;
    for (QAction* item : window.ui().saveMenu->actions())
        names << item->objectName();
    QCOMPARE(names, (QStringList{QStringLiteral("N28"), QStringLiteral("N29"), QStringLiteral("N30"),
                                 QStringLiteral("N32")}));
    QVERIFY(window.controls().invoke(QStringLiteral("N32")));
    QVERIFY(!window.ui().saveMenuRememberFolder->isChecked());
    window.close();
    const QByteArray settings = fixture.settingsText();
    QVERIFY2(settings.contains("keepdir=0"), settings.constData());
    // Each key once; no folder is remembered while "rember last folder" is off.
    QCOMPARE(settings.count("\nsaveext="), 1);
    QCOMPARE(settings.count("\nkeepdir="), 1);
    QCOMPARE(settings.count("\ndir="), 0);
}

void SaveWindowTest::categoryEditor_data() {
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<bool>("on");
    QTest::addColumn<int>("menuItems");
    QTest::addColumn<QString>("hint");
    QTest::newRow("ok cleans and writes")
        << true << QStringLiteral("  sea side \n\nhills\n") << QByteArray("sea_side\r\nhills\r\n") << true
        << 2 << QStringLiteral("Pictures are saved under categories");
    QTest::newRow("cancel changes nothing")
        << false << QStringLiteral("other") << QByteArray("Nature\r\n") << false << 1
        << QStringLiteral("pictures are not saved under categories");
}

void SaveWindowTest::categoryEditor() {
    QFETCH(bool, ok);
    QFETCH(QString, typed);
    QFETCH(QByteArray, written);
    QFETCH(bool, on);
    QFETCH(int, menuItems);
    QFETCH(QString, hint);
    ShellFixture fixture;
    const QString catFile = fixture.path(QStringLiteral("cat.txt"));
    {
        QFile cat(catFile);
        QVERIFY(cat.open(QIODevice::WriteOnly));
        cat.write("Nature\r\n");
    }
    MainWindow& window = fixture.create();
    window.show();
    QCOMPARE(window.saving().categoryMenu()->actions().size(), 1);

    QString shownText;
    bool textEnabledBefore = true;
    QTimer::singleShot(0, this, [&] {
        auto* dialog = qobject_cast<CategoryDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto* text = dialog->findChild<QPlainTextEdit*>(QStringLiteral("cat"));
        shownText = text->toPlainText();
        textEnabledBefore = text->isEnabled();
        dialog->findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->click();
        text->setPlainText(typed);
        dialog->findChild<QPushButton*>(ok ? QStringLiteral("savecat") : QStringLiteral("cancelcat"))
            ->click();
    });
    QVERIFY(window.controls().invoke(QStringLiteral("Label106")));

    QCOMPARE(shownText, QStringLiteral("Nature"));  // the file's list replaced the default one
    QVERIFY(!textEnabledBefore);                    // the option was off
    QCOMPARE(contentOf(catFile), written);
    QCOMPARE(window.saving().state().categoriesOn, on);
    QCOMPARE(window.saving().categoryMenu()->actions().size(), menuItems);
    QCOMPARE(window.ui().categoryEditorLabel->toolTip(), hint);
    window.close();
    QVERIFY(fixture.settingsText().contains(on ? "cat=1" : "cat=0"));
}

void SaveWindowTest::categoryEditorOverTheBusOpensNoWindow() {
    ShellFixture fixture;
    const QString catFile = fixture.path(QStringLiteral("cat.txt"));
    {
        QFile cat(catFile);
        QVERIFY(cat.open(QIODevice::WriteOnly));
        cat.write(" a/b:c \r\n\r\nNature\r\n");
    }
    MainWindow& window = fixture.create();
    window.show();
    BusService bus(window);
    // Without an answer the editor is cancelled: nothing is written, no modal window waits.
    QCOMPARE(bus.Invoke(QStringLiteral("Label106"), QString()), QString());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(contentOf(catFile), QByteArray(" a/b:c \r\n\r\nNature\r\n"));
    // "ok" runs the editor's Ok on the stored list: cleaned and written.
    bus.SetAnswer(QStringLiteral("ok"));
    QCOMPARE(bus.Invoke(QStringLiteral("Label106"), QString()), QString());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(contentOf(catFile), QByteArray("a_b_c\r\nNature\r\n"));
    QCOMPARE(window.saving().state().categories,
             (QStringList{QStringLiteral("a_b_c"), QStringLiteral("Nature")}));
    QCOMPARE(window.ui().categoryEditorLabel->toolTip(),
             QStringLiteral("Pictures aren't saved under categories"));
}

void SaveWindowTest::cachedPictureIsCopiedWhileItsServerIsDown() {
    VORLAKEN_REQUIRE_CHROMIUM();
    // A browser whose profile sits where the program looks for browsers, so its endpoint comes with its
    // profile folder, and a server whose answers it may cache.
    QTemporaryDir config;
    QVERIFY(QDir().mkpath(config.filePath(QStringLiteral("chromium"))));
    auto server = std::make_unique<CachingHttpServer>();
    QVERIFY(server->listen());
    const QByteArray picture = SolidPng(QSize(150, 120), QColor(200, 40, 40));
    server->add(QStringLiteral("/cached.htm"),
                {200, "text/html",
                 "<html><head><title>Cached</title></head><body>"
                 "<img src='/pic/red.png' width=150 height=120></body></html>"});
    server->add(QStringLiteral("/pic/red.png"), {200, "image/png", picture});
    const QString pictureUrl = server->url(QStringLiteral("/pic/red.png"));

    ChromiumProcess browser;
    browser.setProfileDir(config.filePath(QStringLiteral("chromium")));
    QVERIFY2(browser.start(server->url(QStringLiteral("/cached.htm"))), qPrintable(browser.errorString()));
    qunsetenv("VORLAKEN_DEVTOOLS");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    auto restore = qScopeGuard([&] {
        if (oldConfig.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig);
    });
    // The browser stores the picture in its disk cache shortly after loading it.
    QTRY_VERIFY_WITH_TIMEOUT(server->hits(QStringLiteral("/pic/red.png")) > 0, 15000);
    QTRY_VERIFY_WITH_TIMEOUT(
        !CreateBrowserCache({config.filePath(QStringLiteral("chromium"))})->lookup(pictureUrl).isEmpty(),
        20000);

    ShellFixture fixture;
    const QString out = fixture.path(QStringLiteral("out"));
    QDir().mkpath(out);
    fixture.writeSettings("[config]\r\ndir=" + out.toUtf8() + "\r\nkeepdir=1\r\nsave=0\r\n");
    DevToolsBrowserFinder finder;
    MainWindow& window = fixture.create(finder);
    QVERIFY(fixture.showAndWaitForStartup());
    QCOMPARE(window.state().table.size(), 1);
    QVERIFY(previewPicturesLoaded(window, 1));
    QCOMPARE(finder.attachedProfile(), config.filePath(QStringLiteral("chromium")));
    // No cache is opened before the first save.
    QVERIFY(!window.saving().cache());

    server.reset();  // the picture's server is gone
    window.desktop().beginBusCall();
    window.ui().saveButton->click();
    const QStringList messages = window.desktop().endBusCall();
    QCOMPARE(messages, QStringList());
    QCOMPARE(window.ui().savedLabel->text(), QStringLiteral("Saved:1/1"));
    const QStringList files = filesBelow(out);
    QCOMPARE(files.size(), 1);
    QCOMPARE(contentOf(out + QLatin1Char('/') + files[0]), picture);
    QVERIFY(window.saving().cache());
}

// The window makes no cache of its own: each save run asks the factory it was given, with the profile
// the finder attached to and the page the capture read.
void SaveWindowTest::eachRunMakesItsCacheForTheAttachedProfile() {
    ShellFixture fixture;
    FakeBrowserFinder finder;
    finder.profile = QStringLiteral("/profiles/attached");
    QList<QStringList> made;
    fixture.makeCache = [&made](const QString& profile, const QString& page) {
        made.append({profile, page});
        return std::make_unique<FakeBrowserCache>();
    };
    MainWindow& window = fixture.create(finder);
    QVERIFY(fixture.showAndWaitForStartup());
    QVERIFY(made.isEmpty());
    window.ui().locationEdit->setText(QStringLiteral("http://example.test/page.htm"));
    for (int run = 1; run <= 2; ++run) {
        window.ui().saveButton->setEnabled(true);
        window.desktop().beginBusCall();
        window.ui().saveButton->click();
        window.desktop().endBusCall();
        QCOMPARE(made.size(), run);
        QCOMPARE(made.last(), (QStringList{QStringLiteral("/profiles/attached"),
                                           QStringLiteral("http://example.test/page.htm")}));
        QVERIFY(dynamic_cast<FakeBrowserCache*>(window.saving().cache()));
    }
}

QTEST_MAIN(SaveWindowTest)
#include "tst_savewindow.moc"
