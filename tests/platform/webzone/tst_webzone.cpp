// The page model of the program's own web zones on a real Qt WebEngine view (offscreen).
#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>

#include "platform/webzone/WebZone.h"

using namespace vorlaken;

class WebZoneTest : public QObject {
    Q_OBJECT

  private slots:
    void init();
    void cleanup();

    void batchedReadsGiveEveryFieldOfEveryItem();
    void linkAddressesAsTheBrowserFollowsThem_data();
    void linkAddressesAsTheBrowserFollowsThem();
    void checkedStateIsSetForManyBoxesAtOnce();
    void innerHtmlRoundTripsAwkwardText();
    void relativeNamesResolveAgainstTheProgramFolder();
    void documentCompleteReportsTheTopPageOnly();
    void silentZoneAnswersScriptDialogsItself();
    void aZoneThatDoesNotAnswerFailsWithinItsBound();
    void sameOriginFramesAreReachable();
    void missingElementsAndDocumentsFail();

  private:
    // Loads html and waits for the document to complete.
    void load(const QString& html);

    QTemporaryDir dir_;
    QWebEngineView* view_ = nullptr;
    WebZone* zone_ = nullptr;
};

void WebZoneTest::init() {
    view_ = new QWebEngineView;
    view_->resize(600, 400);
    view_->show();
    // Every access granted: these tests are about the page model, not about what a zone may reach.
    zone_ =
        new WebZone(view_, QUrl::fromLocalFile(dir_.path() + QLatin1Char('/')), ZoneAccess{true, true, true});
}

void WebZoneTest::cleanup() {
    delete view_;
    view_ = nullptr;
    zone_ = nullptr;
}

void WebZoneTest::load(const QString& html) {
    QSignalSpy done(zone_, &WebZone::documentComplete);
    zone_->loadHtml(html);
    QVERIFY(done.wait(10000));
}

void WebZoneTest::batchedReadsGiveEveryFieldOfEveryItem() {
    load(
        QStringLiteral("<html><head><title>T</title></head><body>"
                       "<a href='/big/1.jpg'><img src='http://127.0.0.1:9/a.jpg' width=120 height=90></a>"
                       "<p><img src='http://127.0.0.1:9/b.gif' width=20 height=30></p>"
                       "<input type=IMAGE src='http://127.0.0.1:9/c.png' width=5 height=6>"
                       "</body></html>"));
    DocumentPtr document = zone_->document();
    QCOMPARE(document->title(), QStringLiteral("T"));
    const auto images = document->images()->read(kSrc | kWidth | kHeight | kParentTagName |
                                                 kParentHrefAttribute | kTagName | kSourceIndex);
    QCOMPARE(images.size(), size_t(2));
    QCOMPARE(images[0].src, QStringLiteral("http://127.0.0.1:9/a.jpg"));
    QCOMPARE(images[0].width, 120);
    QCOMPARE(images[0].height, 90);
    QCOMPARE(images[0].tagName, QStringLiteral("IMG"));
    QCOMPARE(images[0].parentTagName, QStringLiteral("A"));
    QCOMPARE(images[0].parentHrefAttribute, QStringLiteral("/big/1.jpg"));
    QCOMPARE(images[1].parentTagName, QStringLiteral("P"));
    QVERIFY(images[1].parentHrefAttribute.isEmpty());
    QVERIFY(images[0].sourceIndex < images[1].sourceIndex);

    const auto all = document->all()->read(kTagName | kType | kSrc);
    QCOMPARE(all.front().tagName, QStringLiteral("HTML"));
    const auto input =
        std::find_if(all.begin(), all.end(), [](const ElementData& d) { return d.tagName == "INPUT"; });
    QVERIFY(input != all.end());
    QCOMPARE(input->type, QStringLiteral("image"));
    QCOMPARE(input->src, QStringLiteral("http://127.0.0.1:9/c.png"));

    // Single-element calls agree with the batch.
    ElementPtr first = document->images()->item(0);
    QVERIFY(first);
    QCOMPARE(first->width(), 120);
    QCOMPARE(first->parentElement()->getAttribute(QStringLiteral("HREF")), QStringLiteral("/big/1.jpg"));
    QVERIFY(!document->images()->item(5));
}

// Links arrive absolute, against the page's <base> when it has one; other schemes as written.
void WebZoneTest::linkAddressesAsTheBrowserFollowsThem_data() {
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QString>("expected");

    const QString base = QStringLiteral("http://site.test/d/p.htm?q=1#top");
    QTest::newRow("plain relative") << base << "big.htm"
                                    << "http://site.test/d/big.htm";
    QTest::newRow("parent folder") << base << "../x/y.htm"
                                   << "http://site.test/x/y.htm";
    QTest::newRow("dot") << base << "./here.htm"
                         << "http://site.test/d/here.htm";
    QTest::newRow("root") << base << "/root.htm"
                          << "http://site.test/root.htm";
    QTest::newRow("query only") << base << "?id=2"
                                << "http://site.test/d/p.htm?id=2";
    QTest::newRow("fragment only") << base << "#f"
                                   << "http://site.test/d/p.htm?q=1#f";
    QTest::newRow("protocol-relative") << base << "//cdn.test/z.htm"
                                       << "http://cdn.test/z.htm";
    QTest::newRow("blanks around") << base << " spaced.htm\n"
                                   << "http://site.test/d/spaced.htm";
    QTest::newRow("javascript as written") << base << "JavaScript:go('a b')"
                                           << "JavaScript:go('a b')";
    QTest::newRow("mailto as written") << base << "mailto:Someone@Example.test"
                                       << "mailto:Someone@Example.test";
    QTest::newRow("empty") << base << ""
                           << "";
    QTest::newRow("blank") << base << "   "
                           << "";
    QTest::newRow("no base: the program folder") << QString() << "big.htm"
                                                 << "{dir}big.htm";
}

void WebZoneTest::linkAddressesAsTheBrowserFollowsThem() {
    QFETCH(QString, base);
    QFETCH(QString, href);
    QFETCH(QString, expected);
    expected.replace(QStringLiteral("{dir}"), QUrl::fromLocalFile(dir_.path() + QLatin1Char('/')).toString());

    const QString head = base.isEmpty() ? QString() : QStringLiteral("<base href=\"%1\">").arg(base);
    load(QStringLiteral("<html><head>%1</head><body><a href=\"%2\"><img src='http://127.0.0.1:9/a.jpg'></a>"
                        "</body></html>")
             .arg(head, href.toHtmlEscaped()));
    const DocumentPtr document = zone_->document();
    QCOMPARE(document->images()->read(kParentLinkAddress).at(0).parentLinkAddress, expected);
    const auto all = document->all()->read(kTagName | kLinkAddress | kHrefAttribute);
    const auto anchor =
        std::find_if(all.begin(), all.end(), [](const ElementData& d) { return d.tagName == "A"; });
    QVERIFY(anchor != all.end());
    QCOMPARE(anchor->linkAddress, expected);
    QCOMPARE(anchor->hrefAttribute, href);  // the attribute itself stays as written
}

void WebZoneTest::checkedStateIsSetForManyBoxesAtOnce() {
    QString html = QStringLiteral("<body><form name=form1>");
    for (int i = 1; i <= 50; ++i)
        html +=
            QStringLiteral(
                "<input type=checkbox name=c%1 checked value='%1*%1'><input type=hidden name=h%1 value=p%1>")
                .arg(i);
    load(html + QStringLiteral("</form></body>"));
    CollectionPtr elements = zone_->document()->forms()->item(0)->formElements();
    QCOMPARE(elements->length(), 100);
    elements->setChecked({0, 2, 98}, false);
    const auto items = elements->read(kChecked | kValue | kType);
    QCOMPARE(items.size(), size_t(100));
    QVERIFY(!items[0].checked);
    QVERIFY(!items[2].checked);
    QVERIFY(items[4].checked);
    QVERIFY(!items[98].checked);
    QCOMPARE(items[2].value, QStringLiteral("2*2"));
    QCOMPARE(items[3].type, QStringLiteral("hidden"));
    QCOMPARE(items[3].value, QStringLiteral("p2"));
}

void WebZoneTest::innerHtmlRoundTripsAwkwardText() {
    load(QStringLiteral("<html><body></body></html>"));
    const QString text = QStringLiteral("a \"quoted\" 'single' \\ back\r\nline ") + QChar(0x2028) +
                         QStringLiteral(" sep </script> \u00e9\u4e2d\ttab \x01 \U0001F600 ") + QChar(0x2029);
    ElementPtr body = zone_->document()->body();
    body->setInnerHtml(QStringLiteral("<p id=x></p>"));
    zone_->document()->all()->item(3);  // any call in between must not disturb the page
    body->setInnerHtml(QStringLiteral("<textarea>") + text.toHtmlEscaped() + QStringLiteral("</textarea>"));
    const auto areas = zone_->document()->all()->read(kTagName | kValue);
    const auto area = std::find_if(areas.begin(), areas.end(),
                                   [](const ElementData& d) { return d.tagName == "TEXTAREA"; });
    QVERIFY(area != areas.end());
    QString expected = text;
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QCOMPARE(area->value, expected);

    // A surrogate without its pair does not break the script that carries it.
    body->setInnerHtml(QStringLiteral("<p>") + QChar(0xD800) + QStringLiteral("</p>"));

    body->setBgColor(QStringLiteral("#FEF9ED"));
    body->setStyleAttribute(QStringLiteral("overflow"), QStringLiteral("scroll"));
    QVERIFY(body->outerHtml().contains(QStringLiteral("bgcolor=\"#FEF9ED\"")));
    QVERIFY(body->outerHtml().contains(QStringLiteral("overflow: scroll")));
    body->setStyleAttribute(QStringLiteral("overflow"), QString());
    QVERIFY(!body->outerHtml().contains(QStringLiteral("overflow")));
    body->setContentEditable(true);
    QVERIFY(body->outerHtml().contains(QStringLiteral("contenteditable=\"true\"")));
}

void WebZoneTest::relativeNamesResolveAgainstTheProgramFolder() {
    QFile picture(dir_.filePath(QStringLiteral("pic.svg")));
    QVERIFY(picture.open(QIODevice::WriteOnly));
    picture.write(
        "<svg xmlns='http://www.w3.org/2000/svg' width='40' height='30'><rect width='40' "
        "height='30'/></svg>");
    picture.close();
    load(QStringLiteral("<body><img src='pic.svg'></body>"));
    QTRY_COMPARE_WITH_TIMEOUT(zone_->document()->images()->read(kWidth).at(0).width, 40, 5000);
    QCOMPARE(zone_->document()->images()->read(kSrc).at(0).src,
             QUrl::fromLocalFile(picture.fileName()).toString());

    QSignalSpy done(zone_, &WebZone::documentComplete);
    zone_->navigate(picture.fileName());
    QVERIFY(done.wait(10000));
    QCOMPARE(zone_->locationUrl(), QUrl::fromLocalFile(picture.fileName()).toString());
}

void WebZoneTest::documentCompleteReportsTheTopPageOnly() {
    QSignalSpy done(zone_, &WebZone::documentComplete);
    zone_->loadHtml(QStringLiteral(
        "<body><iframe srcdoc='<p>one</p>'></iframe><iframe srcdoc='<p>two</p>'></iframe></body>"));
    QVERIFY(done.wait(10000));
    // Once both frames show their documents, their loads have ended without a report of their own.
    const auto framesShown = [&] {
        try {
            const std::vector<BrowserPtr> frames = zone_->frames();
            int shown = 0;
            for (const BrowserPtr& frame : frames)
                shown += frame && frame->document()->body()->innerHtml().contains(QStringLiteral("<p>"));
            return shown == 2;
        } catch (const PageError&) {
            return false;
        }
    };
    QVERIFY(QTest::qWaitFor(framesShown, 10000));
    QCOMPARE(done.count(), 1);
    zone_->navigate(QStringLiteral("about:blank"));
    QVERIFY(done.wait(10000));
    QCOMPARE(zone_->locationUrl(), QStringLiteral("about:blank"));
}

void WebZoneTest::silentZoneAnswersScriptDialogsItself() {
    zone_->setSilent(true);
    load(QStringLiteral(
        "<body><script>window.r = confirm('go?'); alert('hi'); window.p = prompt('x');</script></body>"));
    // Without the silent answers the page would still be waiting on its dialogs and not answer.
    QCOMPARE(zone_->document()->title(), QString());
    ElementPtr body = zone_->document()->body();
    body->setInnerHtml(QStringLiteral("<input id=q><script></script>"));
    QVERIFY(QApplication::topLevelWidgets().size() >= 1);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible() || w == view_, qPrintable(w->metaObject()->className()));
}

void WebZoneTest::aZoneThatDoesNotAnswerFailsWithinItsBound() {
    auto* busyView = new QWebEngineView;
    busyView->show();
    auto* busy = new WebZone(busyView, QUrl(), ZoneAccess::ownPageWithPictures(), 400);  // owned by its view
    QSignalSpy done(busy, &WebZone::documentComplete);
    busy->loadHtml(QStringLiteral("<body><script>setTimeout(function(){for(;;){}}, 100);</script></body>"));
    QVERIFY(done.wait(10000));
    // The page stops answering once its timer has started the endless loop.
    const auto answersNoMore = [&] {
        try {
            busy->document();
            return false;
        } catch (const TimeoutError&) {
            return true;
        }
    };
    QVERIFY(QTest::qWaitFor(answersNoMore, 15000));
    QElapsedTimer clock;
    clock.start();
    QVERIFY_THROWS_EXCEPTION(TimeoutError, busy->document());
    QVERIFY(clock.elapsed() < 3000);
    delete busyView;
}

void WebZoneTest::sameOriginFramesAreReachable() {
    load(QStringLiteral(
        "<body><iframe srcdoc=\"<img src='http://127.0.0.1:9/f.jpg' width=7 height=8>\"></iframe>"
        "</body>"));
    QTRY_COMPARE_WITH_TIMEOUT(zone_->frames().size(), size_t(1), 5000);
    BrowserPtr frame = zone_->frames().at(0);
    QVERIFY(frame);
    // The frame's document may not be there to read for a moment after the frame is.
    const auto pictures = [&frame] {
        try {
            return frame->document()->images()->length();
        } catch (const PageError&) {
            return -1;
        }
    };
    QTRY_COMPARE_WITH_TIMEOUT(pictures(), 1, 5000);
    QCOMPARE(frame->document()->images()->read(kSrc | kWidth).at(0).width, 7);
}

void WebZoneTest::missingElementsAndDocumentsFail() {
    load(QStringLiteral("<body><form><input type=checkbox></form></body>"));
    ElementPtr box = zone_->document()->forms()->item(0)->formElements()->item(0);
    QVERIFY(box);
    zone_->document()->body()->setInnerHtml(QString());
    QVERIFY_THROWS_EXCEPTION(PageError, box->checked());
    QVERIFY(!zone_->document()->forms()->item(0));
    QVERIFY_THROWS_EXCEPTION(PageError, zone_->document()->body()->formElements());
}

QTEST_MAIN(WebZoneTest)
#include "tst_webzone.moc"
