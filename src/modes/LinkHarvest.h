#pragma once

#include <QString>
#include <QStringList>

#include "capture/PageModel.h"
#include "modes/DroppedData.h"

namespace vorlaken {

// The drop handler of dropPanel (DropHtmlTarget1Drop): the links of a dropped page selection, read in
// the scratch page wb222 so that their addresses are those the browser resolves, added to the URL list.
class LinkHarvest {
  public:
    struct Options {
        bool includeItself = false;  // chkInclude: the dropped page's own address too
        bool scriptLinks = false;    // chkjs: keep "javascript:" links
    };

    // The page address named in an HTML clipboard text: the first of its lines 0 to 10 that begins with
    // "SourceURL:", without those 10 characters. Empty when there is none.
    static QString sourceUrlLine(const QString& html);
    // What the scratch page's body is given: the fragment after a base naming the address its links
    // resolve against, when there is one.
    static QString scratchMarkup(const QString& html, const QString& baseUrl);

    // The addresses the drop yields, in order, none twice without regard to case. A failing scratch
    // page yields what was found before it.
    static QStringList Harvest(const DropContent& drop, const Options& options, Browser& scratch);
    // The list text with each address it does not yet hold (without regard to case) as a new line.
    static QString appendNew(const QString& listText, const QStringList& addresses);

  private:
    static void add(QStringList& results, const QString& address);
    // The address the fragment's links resolve against in the page it came from: its own first base,
    // resolved against the page, else the page. Found by the scratch page, as the browser resolves.
    static QString baseOf(const QString& html, const QString& pageUrl, Browser& scratch, Element& body);
};

}  // namespace vorlaken
