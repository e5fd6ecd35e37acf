#pragma once

#include <QString>

namespace vorlaken {

class FakeElement;

// Just enough HTML for the pages the program writes: start and end tags with quoted or bare attributes,
// void elements, the five common entities. Text between tags is dropped.
class FakeHtml {
  public:
    // Appends the elements of html as children of parent.
    static void parseInto(FakeElement& parent, const QString& html);
    static QString decodeEntities(const QString& text);
};

}  // namespace vorlaken
