// The save run reading the ticked pictures back from a real preview page in a Qt WebEngine zone.
#include <QSignalSpy>
#include <QWebEngineView>
#include <QtTest>

#include "SaveFixture.h"
#include "capture/PreviewPage.h"
#include "platform/webzone/WebZone.h"
#include "support/LoopbackHttpServer.h"
#include "support/SolidPng.h"

using namespace vorlaken;
using namespace vorlaken::test;

class TestSavePreview : public QObject {
    Q_OBJECT

    LoopbackHttpServer server_;

  private slots:
    void initTestCase() {
        server_.addPage("/a.png", SolidPng(QSize(300, 200), Qt::darkGreen), "image/png");
        server_.addPage("/b.png", SolidPng(QSize(40, 30), Qt::darkGreen), "image/png");
        server_.addPage("/c.png", SolidPng(QSize(50, 50), Qt::darkGreen), "image/png");
        server_.addNotFound("/gone.png");
        QVERIFY(server_.listen());
    }

    // Four rows: linked, unticked by the user, failed to load, without a link. The run stores the
    // first and the last, with their own links.
    void savesWhatThePreviewShowsTicked() {
        QTemporaryDir base;
        QWebEngineView view;
        view.resize(800, 600);
        view.show();
        WebZone zone(&view, QUrl::fromLocalFile(base.path() + u'/'));
        QSignalSpy done(&zone, &WebZone::documentComplete);
        zone.loadHtml("<html><body></body></html>");
        QVERIFY(done.wait(15000));

        SaveFixture f;
        f.save.namingRule = kNumber;
        f.save.localWebpage = true;
        f.services.previewZone = &zone;
        CaptureTable& table = f.capture.table;
        table.append(server_.url("/a.png"), "300*200", server_.url("/page1.html"), server_.url("/"));
        table.append(server_.url("/b.png"), "40*30", kPlaceholderLinkUrl, server_.url("/"));
        table.append(server_.url("/gone.png"), "10*10", kPlaceholderLinkUrl, server_.url("/"));
        table.append(server_.url("/c.png"), "50*50", kPlaceholderLinkUrl, server_.url("/"));
        f.capture.pageLocation = server_.url("/");
        PreviewOptions options;
        options.availableWidth = 700;
        RenderPreview(f.capture, zone, options);

        // Loaded pictures have their width; the one that failed unticked itself and has none.
        QVERIFY(QTest::qWaitFor(
            [&] {
                try {
                    const auto images = zone.document()->images()->read(kWidth);
                    return images.size() == 4 && images[0].width > 0 && images[1].width > 0 &&
                           images[2].width == 0 && images[3].width > 0;
                } catch (const PageError&) {
                    return false;
                }
            },
            15000));
        zone.document()->forms()->item(0)->formElements()->setChecked({2}, false);  // c2

        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:2/2"));
        QCOMPARE(f.filesIn(f.saveFolder).filter(".png"), QStringList({"1.png", "2.png"}));
        QCOMPARE(readFile(f.saveFolder + "1.png"), SolidPng(QSize(300, 200), Qt::darkGreen));
        QCOMPARE(readFile(f.saveFolder + "2.png"), SolidPng(QSize(50, 50), Qt::darkGreen));
        const QString page = QString::fromUtf8(readFile(f.save.lastIndexPage));
        const QString linked = QStringLiteral("<a href=\"%1\" target=_blank><img border=0 src=\"1.png\"")
                                   .arg(server_.url("/page1.html"));
        QVERIFY2(page.contains(linked), qPrintable(page));
        QVERIFY(page.contains("\r\n<img border=0 src=\"2.png\""));
        QVERIFY(!page.contains("vorlaken:"));
    }

    // Save right after the preview was written, its pictures still coming: the run waits a while for
    // them, so one that fails meanwhile unticks itself and is not counted; one the preview has not
    // drawn when the wait ends is saved all the same. The total is what stayed ticked.
    void savesPicturesThePreviewHasNotDrawnYet() {
        HttpRoute never;  // the preview's request for it is answered long after the test
        never.contentType = "image/png";
        never.body = SolidPng(QSize(60, 40), Qt::darkGreen);
        never.delayMs = 120000;
        server_.addRoute("/slow.png", never);
        HttpRoute failsLate;
        failsLate.status = 404;
        failsLate.delayMs = 300;
        server_.addRoute("/fails-late.png", failsLate);

        QTemporaryDir base;
        QWebEngineView view;
        view.resize(800, 600);
        view.show();
        WebZone zone(&view, QUrl::fromLocalFile(base.path() + u'/'));
        QSignalSpy done(&zone, &WebZone::documentComplete);
        zone.loadHtml("<html><body></body></html>");
        QVERIFY(done.wait(15000));

        SaveFixture f;
        f.save.namingRule = kNumber;
        f.services.previewZone = &zone;
        f.services.previewWaitMs = 4000;
        CaptureTable& table = f.capture.table;
        for (const char* path : {"/a.png", "/slow.png", "/fails-late.png"})
            table.append(server_.url(path), "60*40", kPlaceholderLinkUrl, server_.url("/"));
        f.capture.pageLocation = server_.url("/");
        PreviewOptions options;
        options.availableWidth = 700;
        RenderPreview(f.capture, zone, options);
        QTRY_VERIFY_WITH_TIMEOUT(!server_.requestsFor("/slow.png").isEmpty(), 15000);
        // The run's own transfer of it is answered at once.
        server_.addPage("/slow.png", SolidPng(QSize(60, 40), Qt::darkGreen), "image/png");

        f.run();
        QCOMPARE(f.label, QStringLiteral("Saved:2/2"));
        QCOMPARE(f.progress.maximum, 2);
        QCOMPARE(f.filesIn(f.saveFolder), QStringList({"1.png", "2.png"}));
        QCOMPARE(readFile(f.saveFolder + "1.png"), SolidPng(QSize(300, 200), Qt::darkGreen));
        QCOMPARE(readFile(f.saveFolder + "2.png"), SolidPng(QSize(60, 40), Qt::darkGreen));
    }
};

QTEST_MAIN(TestSavePreview)
#include "tst_savepreview.moc"
