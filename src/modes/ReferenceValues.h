#pragma once

#include <QString>
#include <QStringList>

#include "capture/PageModel.h"
#include "modes/ModesState.h"

namespace vorlaken {

// "reference values": every candidate value of the attached page and its frames for a kind of fixed
// link, with the HTML code of its element, for the fixed-link list and the comment panel.
class ReferenceValues {
  public:
    QStringList values;
    // The element's HTML of each value, without CR and LF.
    QStringList codes;

    // Values in collection order, documents in frame order; duplicates stay. A document that cannot be
    // read gives what it gave before it failed.
    static ReferenceValues Collect(Browser& page, FixedLinkKind kind, const LinkCodeFilter& code);
    // The comment panel's page of the values: each value, its picture for the picture kinds, and its
    // code in a text box with "view code". Every value and code is written as text, never as markup.
    QString panelHtml(FixedLinkKind kind, bool viewCode) const;

  private:
    void collectFrom(Browser& browser, FixedLinkKind kind, const LinkCodeFilter& code);
    void add(const QString& value, QString code, const LinkCodeFilter& filter);
};

}  // namespace vorlaken
