// Pictures handed out of the preview to other programs, in the real window with its real Qt WebEngine
// zone and pictures from a real loopback server and from a local page: a drag from a picture carries
// its file, bytes and image; "Copy Picture" puts them on the clipboard, from the window and over the
// automation. The platform's drag loop is replaced by taking the drag's data: offscreen has none.
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>
#include <QWebEngineView>

#include "FakeBrowserCache.h"
#include "FakeDesktop.h"
#include "LoopbackHttpServer.h"
#include "ShellFixture.h"
#include "SolidPng.h"
#include "platform/webzone/SilentPage.h"
#include "platform/webzone/WebZone.h"
#include "shell/BusService.h"
#include "shell/PictureDragger.h"
#include "shell/PictureExport.h"
#include "shell/PreviewPictureMenu.h"
#include "shell/ResultsController.h"

using namespace vorlaken;
using namespace vorlaken::test;

namespace {

const QSize kFirstSize(40, 30);
const QSize kSecondSize(24, 36);

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Row {
    QString picture;
    QString page;
};

// A window after its start-up (no browser) that keeps the data of the drags it starts.
struct Window {
    // services and makeCache: the program's own unless given.
    explicit Window(Desktop* services = nullptr, RunCacheFactory makeCache = {})
        : window(create(services, std::move(makeCache))), bus(window) {
        ok = fixture.showAndWaitForStartup();
        window.pictureDragger().setStartDrag(
            [this](QWidget*, std::unique_ptr<QMimeData> data) { drags.push_back(std::move(data)); });
    }

    MainWindow& create(Desktop* services, RunCacheFactory makeCache) {
        if (makeCache)
            fixture.makeCache = std::move(makeCache);
        return services ? fixture.create(fixture.noBrowser, *services) : fixture.create();
    }

    void showRows(const QList<Row>& rows) {
        window.state().table.clear();
        for (const Row& row : rows)
            window.state().table.append(row.picture, QStringLiteral("1*1"), kPlaceholderLinkUrl, row.page);
        window.state().pageLocation = rows.value(0).page;
        window.ui().saveButton->setEnabled(true);
        window.renderPreview();
    }

    QWebEngineView* view() { return window.ui().previewView; }
    QWidget* mouseTaker() { return view()->focusProxy() ? view()->focusProxy() : view(); }
    QJsonValue run(const QString& script) {
        auto* zone = dynamic_cast<WebZone*>(window.zone(QStringLiteral("wb1")));
        try {
            return ScriptRunner(zone->page()).run(script);
        } catch (const PageError&) {
            return QJsonValue();
        }
    }

    // The centre of picture n (from 1) in the view, once it has loaded.
    std::optional<QPoint> pictureCentre(int n) {
        const QJsonValue at =
            run(QStringLiteral("var e=document.getElementsByName('p%1')[0];"
                               "if(!e||!e.complete||!e.naturalWidth)return null;"
                               "var r=e.getBoundingClientRect();return [r.left+r.width/2,r.top+r.height/2];")
                    .arg(n));
        if (!at.isArray())
            return std::nullopt;
        const double zoom = view()->zoomFactor();
        return QPoint(int(at[0].toDouble() * zoom), int(at[1].toDouble() * zoom));
    }
    bool waitForPicture(int n, QPoint* centre) {
        return QTest::qWaitFor(
            [&] {
                const std::optional<QPoint> at = pictureCentre(n);
                if (at)
                    *centre = *at;
                return at.has_value();
            },
            30000);
    }

    void send(QEvent::Type type, const QPoint& at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QWidget* target = mouseTaker();
        QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    // A left press at from, moved to to in steps, the button held.
    void pressAndMove(const QPoint& from, const QPoint& to) {
        send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
        for (int step = 1; step <= 4; ++step)
            send(QEvent::MouseMove, from + (to - from) * step / 4, Qt::NoButton, Qt::LeftButton);
    }
    // A right click as the platform delivers it; the page then asks for its menu.
    QMenu* contextMenuAt(const QPoint& at) {
        QMenu* before = window.pictureMenu().shown();
        send(QEvent::MouseButtonPress, at, Qt::RightButton, Qt::RightButton);
        send(QEvent::MouseButtonRelease, at, Qt::RightButton, Qt::NoButton);
        QWidget* target = mouseTaker();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, target->mapToGlobal(at));
        QApplication::sendEvent(target, &event);
        QMenu* menu = nullptr;
        const bool shown = QTest::qWaitFor(
            [&] {
                menu = window.pictureMenu().shown();
                return menu && menu != before && menu->isVisible();
            },
            30000);
        return shown ? menu : nullptr;
    }
    QString invoke(const char* name) { return bus.Invoke(QLatin1String(name), QString()); }

    ShellFixture fixture;
    MainWindow& window;
    BusService bus;
    std::vector<std::unique_ptr<QMimeData>> drags;
    bool ok = false;
};

// The picture the data carries: one local file with exactly these bytes, the bytes under their type,
// and an image of that size.
void verifyPictureData(const QMimeData& data, const QByteArray& bytes, const QSize& size, QString* file) {
    QCOMPARE(data.urls().size(), 1);
    QVERIFY(data.urls()[0].isLocalFile());
    *file = data.urls()[0].toLocalFile();
    QCOMPARE(readAll(*file), bytes);
    QCOMPARE(data.data(QStringLiteral("image/png")), bytes);
    QVERIFY(data.hasImage());
    QCOMPARE(qvariant_cast<QImage>(data.imageData()).size(), size);
}

}  // namespace

class PictureDragTest : public QObject {
    Q_OBJECT

    LoopbackHttpServer server_;
    QTemporaryDir localPage_;
    QByteArray first_ = SolidPng(kFirstSize, Qt::red);
    QByteArray second_ = SolidPng(kSecondSize, Qt::blue);

    QString localPicture() const { return localPage_.filePath(QStringLiteral("shot.png")); }
    QString localPageUrl() const {
        return QUrl::fromLocalFile(localPage_.filePath(QStringLiteral("page.html"))).toString();
    }

    // The two server pictures in the window, the second one's centre once both have loaded.
    bool showBoth(Window& w, QPoint* secondCentre) {
        if (!w.ok)
            return false;
        w.showRows({{server_.url("/first.png"), server_.url("/page.html")},
                    {server_.url("/second.png"), server_.url("/page.html")}});
        QPoint first;
        return w.waitForPicture(1, &first) && w.waitForPicture(2, secondCentre);
    }

  private slots:
    void initTestCase() {
        server_.addPage(QStringLiteral("/first.png"), first_, "image/png");
        server_.addPage(QStringLiteral("/second.png"), second_, "image/png");
        server_.addPage(QStringLiteral("/going.png"), first_, "image/png");
        QVERIFY(server_.listen());
        QFile local(localPicture());
        QVERIFY(local.open(QIODevice::WriteOnly));
        local.write(second_);
    }

    void dragCarriesThePicture_data() {
        QTest::addColumn<bool>("local");
        QTest::addColumn<double>("zoom");
        QTest::newRow("from the network") << false << 1.0;
        QTest::newRow("of a local page") << true << 1.0;
        QTest::newRow("zoomed in") << false << 1.75;
    }

    void dragCarriesThePicture() {
        QFETCH(bool, local);
        QFETCH(double, zoom);
        Window w;
        QVERIFY(w.ok);
        const Row dragged = local ? Row{QUrl::fromLocalFile(localPicture()).toString(), localPageUrl()}
                                  : Row{server_.url("/second.png"), server_.url("/page.html")};
        w.showRows({{server_.url("/first.png"), server_.url("/page.html")}, dragged});
        w.view()->setZoomFactor(zoom);
        QPoint centre;
        QVERIFY(w.waitForPicture(2, &centre));
        QTRY_VERIFY(w.pictureCentre(2) == centre);  // the zoomed layout has settled

        w.pressAndMove(centre, centre + QPoint(QApplication::startDragDistance() + 6, 4));
        QCOMPARE(w.drags.size(), std::size_t(1));
        QString file;
        verifyPictureData(*w.drags[0], second_, kSecondSize, &file);
        if (local)
            QCOMPARE(file, localPicture());
        else
            QCOMPARE(QFileInfo(file).absolutePath(),
                     QFileInfo(w.window.pictures().folder()).absoluteFilePath());
    }

    void onlyAPictureAndADragStartOne() {
        Window w;
        QVERIFY(w.ok);
        w.showRows({{server_.url("/first.png"), server_.url("/page.html")}});
        QPoint centre;
        QVERIFY(w.waitForPicture(1, &centre));
        const int far = QApplication::startDragDistance() + 6;
        // Beside the pictures: text selection, as before.
        const QPoint empty(w.view()->width() - 5, w.view()->height() - 5);
        w.pressAndMove(empty, empty - QPoint(far, far));
        w.send(QEvent::MouseButtonRelease, empty - QPoint(far, far), Qt::LeftButton, Qt::NoButton);
        // On a picture, but not moved far enough.
        w.pressAndMove(centre, centre + QPoint(1, 0));
        w.send(QEvent::MouseButtonRelease, centre + QPoint(1, 0), Qt::LeftButton, Qt::NoButton);
        // Moved without the button.
        w.send(QEvent::MouseMove, centre + QPoint(far, 0), Qt::NoButton, Qt::NoButton);
        QCOMPARE(w.drags.size(), std::size_t(0));
        // The picture still drags after all that.
        w.pressAndMove(centre, centre + QPoint(far, 0));
        QCOMPARE(w.drags.size(), std::size_t(1));
    }

    void failedFetchTellsAndDragsNothing() {
        FakeDesktop desktop;
        // The cache has no copy either.
        Window w(&desktop,
                 [](const QString&, const QString&) { return std::make_unique<FakeBrowserCache>(); });
        QVERIFY(w.ok);
        w.showRows({{server_.url("/going.png"), server_.url("/page.html")}});
        QPoint centre;
        QVERIFY(w.waitForPicture(1, &centre));
        // Shown, then gone from the server.
        server_.addNotFound(QStringLiteral("/going.png"));
        w.pressAndMove(centre, centre + QPoint(QApplication::startDragDistance() + 6, 0));
        QCOMPARE(w.drags.size(), std::size_t(0));
        QCOMPARE(desktop.messages.size(), 1);
        QVERIFY2(desktop.messages[0].contains(server_.url("/going.png")), qPrintable(desktop.messages[0]));
        QVERIFY(QDir(w.window.pictures().folder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    void copyPictureTakesTheFirstTicked() {
        Window w;
        QPoint centre;
        QVERIFY(showBoth(w, &centre));
        QString file;

        // From the window's menu: every picture ticked, the first one in the preview's order.
        auto* item = w.window.results().resultMenu->findChild<QAction*>(QStringLiteral("nCopyPicture"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Copy Picture"));
        item->trigger();
        verifyPictureData(*QApplication::clipboard()->mimeData(), first_, kFirstSize, &file);

        // Over the automation, with only the second ticked.
        w.bus.SetChecked({false, true});
        QCOMPARE(w.invoke("nCopyPicture"), QString());
        verifyPictureData(*QApplication::clipboard()->mimeData(), second_, kSecondSize, &file);

        // None ticked: the user is told, the clipboard keeps what it had.
        w.bus.SetChecked({false, false});
        QCOMPARE(w.invoke("nCopyPicture"), QStringLiteral("Please tick the picture to copy."));
        verifyPictureData(*QApplication::clipboard()->mimeData(), second_, kSecondSize, &file);
    }

    void contextMenuCopiesThePictureUnderIt() {
        Window w;
        QPoint centre;
        QVERIFY(showBoth(w, &centre));
        // Unticked pictures count here: it is the one under the pointer.
        w.bus.SetChecked({true, false});
        QMenu* menu = w.contextMenuAt(centre);
        QVERIFY(menu);
        auto* copy = menu->findChild<QAction*>(QStringLiteral("nCopyPictureHere"));
        QVERIFY(copy);
        QCOMPARE(copy->text(), QStringLiteral("Copy Picture"));
        QApplication::clipboard()->clear();
        copy->trigger();
        menu->close();
        QTRY_VERIFY(QApplication::clipboard()->mimeData() &&
                    QApplication::clipboard()->mimeData()->hasImage());
        QString file;
        verifyPictureData(*QApplication::clipboard()->mimeData(), second_, kSecondSize, &file);

        // Beside the pictures, the zone's own menu only.
        menu = w.contextMenuAt(QPoint(w.view()->width() - 5, w.view()->height() - 5));
        QVERIFY(menu);
        QVERIFY(!menu->findChild<QAction*>(QStringLiteral("nCopyPictureHere")));
        menu->close();
    }
};

QTEST_MAIN(PictureDragTest)
#include "tst_picturedrag.moc"
