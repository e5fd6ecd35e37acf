#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "cacheviewer/EntryFilter.h"
#include "cacheviewer/PictureList.h"
#include "support/FakeBrowserCache.h"
#include "support/FakePageModel.h"

using namespace vorlaken;

Q_DECLARE_METATYPE(ViewerState)

namespace {

const QDateTime kNow(QDate(2026, 5, 1), QTime(12, 0));

ViewerState defaults() {
    ViewerState state;
    state.timePassed = 0;
    return state;
}

}  // namespace

// The per-entry filter of "List Picture", the listing itself and the preview.
class PictureListingTest : public QObject {
    Q_OBJECT

  private slots:
    void filter_data() {
        QTest::addColumn<ViewerState>("state");
        QTest::addColumn<QString>("url");
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("ageSeconds");
        QTest::addColumn<bool>("passes");

        ViewerState twoHours = defaults();
        twoHours.timePassed = 2;
        twoHours.timeUnit = ViewerState::Hour;
        QTest::newRow("2 hours, used 1 hour ago") << twoHours << "http://a/x.jpg"
                                                  << "/c/x.jpg" << 3600LL << true;
        QTest::newRow("2 hours, used 3 hours ago") << twoHours << "http://a/x.jpg"
                                                   << "/c/x.jpg" << 10800LL << false;
        QTest::newRow("2 hours, exactly 2 hours ago") << twoHours << "http://a/x.jpg"
                                                      << "/c/x.jpg" << 7200LL << true;
        QTest::newRow("time off, 3 hours ago") << defaults() << "http://a/x.jpg"
                                               << "/c/x.jpg" << 10800LL << true;
        ViewerState minutes = defaults();
        minutes.timePassed = 30;
        minutes.timeUnit = ViewerState::Min;
        QTest::newRow("30 min, 31 min ago") << minutes << "http://a/x.jpg"
                                            << "/c/x.jpg" << 1860LL << false;
        ViewerState days = defaults();
        days.timePassed = 1;
        days.timeUnit = ViewerState::Day;
        QTest::newRow("1 day, 23 hours ago") << days << "http://a/x.jpg"
                                             << "/c/x.jpg" << 82800LL << true;
        QTest::newRow("1 day, unknown time") << days << "http://a/x.jpg"
                                             << "/c/x.jpg" << -1LL << false;

        ViewerState include = defaults();
        include.urlInclude = QStringLiteral("photos");
        QTest::newRow("include matches capitals") << include << "http://a/PHOTOS/x.jpg"
                                                  << "/c/x.jpg" << 0LL << true;
        QTest::newRow("include missing") << include << "http://a/img/x.jpg"
                                         << "/c/x.jpg" << 0LL << false;
        ViewerState exclude = defaults();
        exclude.urlExclude = QStringLiteral("thumb");
        QTest::newRow("exclude matches capitals") << exclude << "http://a/Thumb/x.jpg"
                                                  << "/c/x.jpg" << 0LL << false;
        QTest::newRow("exclude absent") << exclude << "http://a/big/x.jpg"
                                        << "/c/x.jpg" << 0LL << true;

        QTest::newRow(".JPG under jpg") << defaults() << "http://a/X.JPG"
                                        << "/c/X.JPG" << 0LL << true;
        QTest::newRow(".jpeg not under jpg") << defaults() << "http://a/x.jpeg"
                                             << "/c/x.jpeg" << 0LL << false;
        ViewerState jpeg = defaults();
        jpeg.otherFormat = QStringLiteral("jpeg");
        QTest::newRow(".jpeg not under other jpeg") << jpeg << "http://a/x.jpeg"
                                                    << "/c/x.jpeg" << 0LL << false;
        ViewerState jpe = defaults();
        jpe.otherFormat = QStringLiteral("jpe");
        QTest::newRow(".jpeg not under other jpe") << jpe << "http://a/x.jpeg"
                                                   << "/c/x.jpeg" << 0LL << false;
        ViewerState ico = defaults();
        ico.otherFormat = QStringLiteral("ico");
        QTest::newRow("other format ico") << ico << "http://a/f.ico"
                                          << "/c/f.ico" << 0LL << true;
        QTest::newRow("ico without other format") << defaults() << "http://a/f.ico"
                                                  << "/c/f.ico" << 0LL << false;
        ViewerState noGif = defaults();
        noGif.gif = false;
        QTest::newRow("gif unticked") << noGif << "http://a/a.gif"
                                      << "/c/a.gif" << 0LL << false;
        QTest::newRow("png by content type name") << defaults() << "http://a/noext"
                                                  << "/c/noext.png" << 0LL << true;
        QTest::newRow("bmp ticked") << defaults() << "http://a/b.bmp"
                                    << "/c/b.bmp" << 0LL << true;
        // The copy is named after what the picture is: a WebP at a .jpg address is no jpg, and
        // WebP, AVIF and SVG are other formats, listed only when the box names them.
        QTest::newRow("webp at a jpg address") << defaults() << "http://a/x/webp.jpg"
                                               << "/c/webp.webp" << 0LL << false;
        QTest::newRow("png at a php address") << defaults() << "http://a/img.php?id=1"
                                              << "/c/img.png" << 0LL << true;
        QTest::newRow("avif without other format") << defaults() << "http://a/p.avif"
                                                   << "/c/p.avif" << 0LL << false;
        ViewerState avif = defaults();
        avif.otherFormat = QStringLiteral("avif");
        QTest::newRow("avif under other avif") << avif << "http://a/p.avif"
                                               << "/c/p.avif" << 0LL << false;
        QTest::newRow("svg without other format") << defaults() << "http://a/logo.svg"
                                                  << "/c/logo.svg" << 0LL << false;
        ViewerState svg = defaults();
        svg.otherFormat = QStringLiteral("svg");
        QTest::newRow("svg under other svg") << svg << "http://a/logo"
                                             << "/c/logo.svg" << 0LL << true;
    }

    void filter() {
        QFETCH(ViewerState, state);
        QFETCH(QString, url);
        QFETCH(QString, file);
        QFETCH(qint64, ageSeconds);
        QFETCH(bool, passes);
        const QDateTime used = ageSeconds < 0 ? QDateTime() : kNow.addSecs(-ageSeconds);
        QCOMPARE(EntryFilter(state, kNow).passes(TEntryInfo{url, file, used}), passes);
    }

    void listPictureTwiceRestoresTicks() {
        FakeBrowserCache cache = threeEntries();
        TIECache ieCache(&cache);
        ViewerState state = defaults();
        QCOMPARE(state.picturesFoundText, QStringLiteral("Pictures found:0"));
        PictureList::ListPictures(state, ieCache, kNow);
        QCOMPARE(state.foundUrls,
                 QStringList({QStringLiteral("http://a/1.jpg"), QStringLiteral("http://a/3.png")}));
        QCOMPARE(state.foundFiles, QStringList({dir_.filePath("1.jpg"), dir_.filePath("3.png")}));
        QCOMPARE(state.picturesFoundText, QStringLiteral("Total:2"));
        QVERIFY(state.showAllEnabled);
        // Listing reads no bodies.
        QVERIFY(cache.materialized.isEmpty());
        state.listChecked[1] = false;
        PictureList::ListPictures(state, ieCache, kNow);
        QCOMPARE(state.listChecked, QList<bool>({true, true}));
        QCOMPARE(state.foundUrls.size(), 2);
    }

    void missingCachesListNothing() {
        ViewerState state = defaults();
        FakeBrowserCache none = threeEntries();
        none.found = false;
        none.note = QStringLiteral("No browser cache was found.");
        TIECache noCache(&none);
        PictureList::ListPictures(state, noCache, kNow);
        QCOMPARE(state.picturesFoundText, QStringLiteral("Total:0"));
        QVERIFY(!state.showAllEnabled);
        // The label keeps its counter; the word about the caches goes beside it.
        QCOMPARE(state.cacheNote, none.note);
        none.note.clear();
        PictureList::ListPictures(state, noCache, kNow);
        QVERIFY(state.cacheNote.isEmpty());
    }

    void patternsAndTypesWithoutUrlEntriesYieldNothing() {
        FakeBrowserCache cache = threeEntries();
        TIECache ieCache(&cache);
        QCOMPARE(ieCache.FilterOptions, 0x230037u);
        int seen = 0;
        ieCache.OnEntry = [&](TIECache&, bool&) { ++seen; };
        for (TSearchPattern pattern : {TSearchPattern::spCookies, TSearchPattern::spHistory}) {
            ieCache.SearchPattern = pattern;
            ieCache.RetrieveEntries();
        }
        QCOMPARE(seen, 0);
        ieCache.SearchPattern = TSearchPattern::spUrl;
        ieCache.FilterOptions = COOKIE_ENTRY;
        ieCache.RetrieveEntries();
        QCOMPARE(seen, 0);
        ieCache.FilterOptions = kViewerFilterOptions;
        ieCache.OnEntry = [&](TIECache&, bool& cancel) { cancel = ++seen == 2; };
        ieCache.RetrieveEntries();
        QCOMPARE(seen, 2);
    }

    void previewShowsCachedOrWebPicture() {
        FakeBrowserCache cache = threeEntries();
        cache.items[0].intact = false;
        TIECache ieCache(&cache);
        ViewerState state = defaults();
        PictureList::ListPictures(state, ieCache, kNow);
        FakeBrowser previewZone;
        PictureList::PreviewEntry(state, previewZone, ieCache);
        QVERIFY(previewZone.navigated.isEmpty());
        state.listSelected = 1;
        PictureList::PreviewEntry(state, previewZone, ieCache);
        PictureList::PreviewEntry(state, previewZone, ieCache);
        state.previewLocal = false;
        PictureList::PreviewEntry(state, previewZone, ieCache);
        QCOMPARE(previewZone.navigated, QStringList({dir_.filePath("3.png"), dir_.filePath("3.png"),
                                                     QStringLiteral("http://a/3.png")}));
        QCOMPARE(state.currentUrl, QStringLiteral("http://a/3.png"));
        // The local copy was written once, when first needed, and holds the body.
        QCOMPARE(cache.materialized, QStringList({dir_.filePath("3.png")}));
        QFile local(dir_.filePath("3.png"));
        QVERIFY(local.open(QIODevice::ReadOnly));
        QCOMPARE(local.readAll(), QByteArray("three"));
        // A body that does not check out leaves no file behind.
        state.listSelected = 0;
        state.previewLocal = true;
        PictureList::PreviewEntry(state, previewZone, ieCache);
        QVERIFY(!QFile::exists(dir_.filePath("1.jpg")));
    }

  private:
    FakeBrowserCache threeEntries() {
        FakeBrowserCache cache;
        const QDateTime used = kNow.addSecs(-60);
        cache.items = {
            {{QStringLiteral("http://a/1.jpg"), dir_.filePath("1.jpg"), used}, "one", true},
            {{QStringLiteral("http://a/2.htm"), dir_.filePath("2.htm"), used}, "two", true},
            {{QStringLiteral("http://a/3.png"), dir_.filePath("3.png"), used}, "three", true},
        };
        return cache;
    }

    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(PictureListingTest)
#include "tst_picturelisting.moc"
