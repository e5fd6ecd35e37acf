#include "PageModelContract.h"

#include <QTest>

#include "support/LoopbackHttpServer.h"
#include "support/SolidPng.h"

namespace vorlaken::test {
namespace {

QString page(const QString& title, const QString& body) {
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>").arg(title, body);
}

QString yesNo(bool value) {
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

// One line per item with the requested fields, in the order of ElementField.
QStringList describe(const std::vector<ElementData>& items, unsigned fields) {
    QStringList lines;
    for (const ElementData& e : items) {
        QStringList parts;
        if (fields & kTagName)
            parts << e.tagName;
        if (fields & kSrc)
            parts << QStringLiteral("src=") + e.src;
        if (fields & kHref)
            parts << QStringLiteral("href=") + e.href;
        if (fields & kHrefAttribute)
            parts << QStringLiteral("written=") + e.hrefAttribute;
        if (fields & (kWidth | kHeight))
            parts << QStringLiteral("%1x%2").arg(e.width).arg(e.height);
        if (fields & kType)
            parts << QStringLiteral("type=") + e.type;
        if (fields & kValue)
            parts << QStringLiteral("value=") + e.value;
        if (fields & kChecked)
            parts << QStringLiteral("checked=") + yesNo(e.checked);
        if (fields & kParentTagName)
            parts << QStringLiteral("parent=") + e.parentTagName;
        if (fields & kParentHrefAttribute)
            parts << QStringLiteral("parent written=") + e.parentHrefAttribute;
        if (fields & kLinkAddress)
            parts << QStringLiteral("link=") + e.linkAddress;
        if (fields & kParentLinkAddress)
            parts << QStringLiteral("parent link=") + e.parentLinkAddress;
        if (fields & kComplete)
            parts << QStringLiteral("complete=") + yesNo(e.complete);
        lines << parts.join(QLatin1Char(' '));
    }
    return lines;
}

QStringList read(const CollectionPtr& collection, unsigned fields) {
    return describe(collection->read(fields), fields);
}

QList<ContractCase> makeCases() {
    QList<ContractCase> cases;

    // Sizes as drawn: natural, scaled to one given side, given outright; a picture that cannot be had
    // has ended loading all the same. Addresses are absolute however they were written.
    cases.append(
        {"pictures loaded and not",
         {{QStringLiteral("/loads/page.html"),
           page(QStringLiteral("Loads"),
                QStringLiteral("<img src='../pic/wide.png'><img src='/pic/square.png' width=32>"
                               "<img src='/pic/wide.png' height=10><img src='/pic/gone.png' width=7 height=9>"
                               "<img src='/pic/gone.png' alt=''>"))}},
         [](Browser& b) {
             return read(b.document()->images(), kTagName | kSrc | kWidth | kHeight | kComplete);
         },
         {QStringLiteral("IMG src=%BASE%/pic/wide.png 40x20 complete=yes"),
          QStringLiteral("IMG src=%BASE%/pic/square.png 32x32 complete=yes"),
          QStringLiteral("IMG src=%BASE%/pic/wide.png 20x10 complete=yes"),
          QStringLiteral("IMG src=%BASE%/pic/gone.png 7x9 complete=yes"),
          QStringLiteral("IMG src=%BASE%/pic/gone.png 0x0 complete=yes")}});

    // A picture's parent link and the page's links: relative, of other schemes, blank, absent.
    cases.append(
        {"parent and near-by links",
         {{QStringLiteral("/links/page.html"),
           page(QStringLiteral("Links"),
                QStringLiteral("<a href='big/1.jpg'><img src='/pic/wide.png'></a>"
                               "<p><img src='/pic/square.png'></p>"
                               "<a href='javascript:void(0)'>js</a> <a href='mailto:x@example.test'>mail</a> "
                               "<a href=''>blank</a> <a name='n'>none</a> "
                               "<a href='http://example.test/a?b=1&amp;c=2'>abs</a>"))}},
         [](Browser& b) {
             DocumentPtr d = b.document();
             return read(d->images(), kParentTagName | kParentHrefAttribute | kParentLinkAddress) +
                    read(d->links(), kHref | kHrefAttribute | kLinkAddress);
         },
         {QStringLiteral("parent=A parent written=big/1.jpg parent link=%BASE%/links/big/1.jpg"),
          QStringLiteral("parent=P parent written= parent link="),
          QStringLiteral("href=%BASE%/links/big/1.jpg written=big/1.jpg link=%BASE%/links/big/1.jpg"),
          QStringLiteral("href=javascript:void(0) written=javascript:void(0) link=javascript:void(0)"),
          QStringLiteral(
              "href=mailto:x@example.test written=mailto:x@example.test link=mailto:x@example.test"),
          QStringLiteral("href=%BASE%/links/page.html written= link="),
          QStringLiteral("href=http://example.test/a?b=1&c=2 written=http://example.test/a?b=1&c=2 "
                         "link=http://example.test/a?b=1&c=2")}});

    // The elements of some tag names are those of all elements with those names, at the same places
    // among all elements: links near a picture and INPUT pictures are found from them alone.
    cases.append(
        {"elements of some tag names",
         {{QStringLiteral("/tagged/page.html"),
           page(QStringLiteral("Tagged"),
                QStringLiteral("<p><a href='one.html'>one</a></p><input type=image src='/pic/square.png'>"
                               "<div><a name=n>none</a><area href='map.html'><input type=text></div>"
                               "<A HREF='/two.html'>two</A>"))}},
         [](Browser& b) {
             DocumentPtr d = b.document();
             const unsigned fields = kTagName | kType | kLinkAddress | kSourceIndex;
             const std::vector<ElementData> tagged =
                 d->tagged({QStringLiteral("A"), QStringLiteral("INPUT")})->read(fields);
             std::vector<ElementData> all;
             for (const ElementData& e : d->all()->read(fields)) {
                 if (e.tagName == QLatin1String("A") || e.tagName == QLatin1String("INPUT"))
                     all.push_back(e);
             }
             QStringList lines = describe(tagged, fields);
             bool samePlaces = tagged.size() == all.size();
             for (std::size_t i = 0; samePlaces && i < tagged.size(); ++i)
                 samePlaces = tagged[i].sourceIndex == all[i].sourceIndex && tagged[i].sourceIndex > 0;
             lines << QStringLiteral("same places as among all: ") + yesNo(samePlaces);
             lines << QString::number(d->tagged({QStringLiteral("AREA")})->length());
             return lines;
         },
         {QStringLiteral("A type= link=%BASE%/tagged/one.html"), QStringLiteral("INPUT type=image link="),
          QStringLiteral("A type= link="), QStringLiteral("INPUT type=text link="),
          QStringLiteral("A type= link=%BASE%/two.html"), QStringLiteral("same places as among all: yes"),
          QStringLiteral("1")}});

    // The controls of a form as the preview page has them, ticked and unticked in one call each.
    cases.append(
        {"form fields",
         {{QStringLiteral("/form/page.html"),
           page(QStringLiteral("Form"),
                QStringLiteral("<form name='form1'><input type='CheckBox' name='c1' value='1*1' checked=true>"
                               "<input type=hidden name=h1 value='http://p/?a=1&amp;b=&quot;2&quot;'>"
                               "<input type=checkbox name=c2 value=''><input name=t value=typed>"
                               "<input type=checkbox name=c3 checked=false></form>"))}},
         [](Browser& b) {
             CollectionPtr forms = b.document()->forms();
             CollectionPtr controls = forms->item(0)->formElements();
             QStringList lines = read(controls, kTagName | kType | kValue | kChecked);
             controls->setChecked({0}, false);
             controls->setChecked({2}, true);
             lines << read(controls, kChecked);
             lines << QString::number(forms->length());
             return lines;
         },
         {QStringLiteral("INPUT type=checkbox value=1*1 checked=yes"),
          QStringLiteral("INPUT type=hidden value=http://p/?a=1&b=\"2\" checked=no"),
          QStringLiteral("INPUT type=checkbox value= checked=no"),
          QStringLiteral("INPUT type=text value=typed checked=no"),
          QStringLiteral("INPUT type=checkbox value=on checked=yes"), QStringLiteral("checked=no"),
          QStringLiteral("checked=no"), QStringLiteral("checked=yes"), QStringLiteral("checked=no"),
          QStringLiteral("checked=yes"), QStringLiteral("1")}});

    // The title as the browser shows it: entities decoded, white space collapsed.
    cases.append(
        {"titles and addresses",
         {{QStringLiteral("/title/page.html?q=1"),
           page(QStringLiteral("  Gallery &amp;\n  &lt;friends&gt;  "), QStringLiteral("<p>x</p>"))}},
         [](Browser& b) {
             DocumentPtr d = b.document();
             return QStringList{d->title(), d->url(), b.locationUrl()};
         },
         {QStringLiteral("Gallery & <friends>"), QStringLiteral("%BASE%/title/page.html?q=1"),
          QStringLiteral("%BASE%/title/page.html?q=1")}});

    // The direct frames of the page, in document order, each with its own document.
    cases.append({"frames",
                  {{QStringLiteral("/frames/page.html"),
                    page(QStringLiteral("Top"),
                         QStringLiteral("<img src='/pic/square.png'>"
                                        "<iframe src='one.html'></iframe><iframe src='two.html'></iframe>"))},
                   {QStringLiteral("/frames/one.html"),
                    page(QStringLiteral("One"), QStringLiteral("<img src='/pic/wide.png'>"))},
                   {QStringLiteral("/frames/two.html"),
                    page(QStringLiteral("Two"), QStringLiteral("<p>no pictures</p>"))}},
                  [](Browser& b) {
                      QStringList lines;
                      for (const BrowserPtr& frame : b.frames()) {
                          if (!frame) {
                              lines << QStringLiteral("not a browser");
                              continue;
                          }
                          DocumentPtr d = frame->document();
                          lines << d->title() + QLatin1Char(' ') + d->url();
                          lines << read(d->images(), kSrc);
                      }
                      return lines;
                  },
                  {QStringLiteral("One %BASE%/frames/one.html"), QStringLiteral("src=%BASE%/pic/wide.png"),
                   QStringLiteral("Two %BASE%/frames/two.html")}});

    // What is not there is null, never a failure or another element.
    cases.append(
        {"absent items",
         {{QStringLiteral("/absent/page.html"),
           page(QStringLiteral("Absent"), QStringLiteral("<div><img src='/pic/square.png'></div>"))}},
         [](Browser& b) {
             DocumentPtr d = b.document();
             CollectionPtr images = d->images();
             ElementPtr image = images->item(0);
             return QStringList{QString::number(images->length()),
                                yesNo(images->item(1) == nullptr),
                                yesNo(images->item(-1) == nullptr),
                                yesNo(d->forms()->item(0) == nullptr),
                                QString::number(d->links()->length()),
                                image->parentElement()->tagName(),
                                QStringLiteral("[") + image->getAttribute(QStringLiteral("alt")) + "]",
                                QString::number(int(b.frames().size()))};
         },
         {QStringLiteral("1"), QStringLiteral("yes"), QStringLiteral("yes"), QStringLiteral("yes"),
          QStringLiteral("0"), QStringLiteral("DIV"), QStringLiteral("[]"), QStringLiteral("0")}});

    // An address the browser's parser does not take is refused at once, and the page stays.
    cases.append(
        {"navigation refused",
         {{QStringLiteral("/refuse/page.html"), page(QStringLiteral("Stay"), QStringLiteral("<p>x</p>"))}},
         [](Browser& b) {
             QStringList lines;
             for (const QString& address : {QStringLiteral("http://[::1"), QStringLiteral("https://[zz]/")}) {
                 try {
                     b.navigate(address);
                     lines << QStringLiteral("went to ") + address;
                 } catch (const PageError&) {
                     lines << QStringLiteral("refused ") + address;
                 }
             }
             lines << b.locationUrl() << b.document()->title();
             return lines;
         },
         {QStringLiteral("refused http://[::1"), QStringLiteral("refused https://[zz]/"),
          QStringLiteral("%BASE%/refuse/page.html"), QStringLiteral("Stay")}});
    return cases;
}

}  // namespace

const QList<ContractCase>& PageModelContract::cases() {
    static const QList<ContractCase> table = makeCases();
    return table;
}

const QList<ContractPicture>& PageModelContract::pictures() {
    static const QList<ContractPicture> list = {{QStringLiteral("/pic/wide.png"), QSize(40, 20)},
                                                {QStringLiteral("/pic/square.png"), QSize(16, 16)}};
    return list;
}

QString PageModelContract::missingPicture() {
    return QStringLiteral("/pic/gone.png");
}

void PageModelContract::serve(LoopbackHttpServer& server) {
    for (const ContractCase& c : cases()) {
        for (const ContractPage& p : c.pages)
            server.addPage(p.path, p.html.toUtf8());
    }
    for (const ContractPicture& picture : pictures())
        server.addPage(picture.path, SolidPng(picture.size, Qt::darkCyan), "image/png");
    server.addNotFound(missingPicture());
}

void PageModelContract::addRows() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < cases().size(); ++i)
        QTest::newRow(cases().at(i).name) << i;
}

void PageModelContract::check(ContractBackEnd& backEnd) {
    QFETCH(int, index);
    const ContractCase& c = cases().at(index);
    const BrowserPtr browser = backEnd.show(c);
    if (!browser)
        return;
    QStringList expected = c.expected;
    expected.replaceInStrings(QStringLiteral("%BASE%"), backEnd.base());
    QStringList got;
    try {
        got = c.run(*browser);
    } catch (const PageError& error) {
        QFAIL(qPrintable(QStringLiteral("page error: ") + error.text()));
    }
    QCOMPARE(got.join(QLatin1Char('\n')), expected.join(QLatin1Char('\n')));
}

}  // namespace vorlaken::test
