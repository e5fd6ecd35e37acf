#pragma once

#include <QString>

namespace vorlaken {

class FakeElement;

// Just enough HTML for the pages the program writes: start and end tags with quoted or bare attributes,
// void elements, the five common entities. A void element keeps its tag as its outer HTML; text is kept
// only as the rendered text of the element parsed into (line breaks for BR and paragraph ends).
class FakeHtml {
  public:
    // Appends the elements of html as children of parent.
    static void parseInto(FakeElement& parent, const QString& html);
    static QString decodeEntities(const QString& text);
    // The text a browser would render for html: tags dropped, BR and block ends as line breaks.
    static QString renderText(const QString& html);
};

}  // namespace vorlaken
