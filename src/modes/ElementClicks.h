#pragma once

#include <QString>

#include "capture/PageModel.h"
#include "modes/ModesState.h"

namespace vorlaken {

// The element-click routines: each clicks the first element of the browser's document, in document
// order, whose value, trimmed and lower-cased, equals target lower-cased. With "view code" an element
// whose HTML lacks the include text or holds the exclude text (both case-sensitive, an empty one not
// tested) is passed over. True when an element was clicked, whether or not the click itself went
// through; a document that cannot be read gives false.

// Links by their address.
bool ClickLinkByAddress(Browser& browser, const QString& target, const LinkCodeFilter& code);
// Pictures by their source; the HTML tested is the enclosing link's where the picture has one.
bool ClickPictureBySource(Browser& browser, const QString& target, const LinkCodeFilter& code);
// Links by their text.
bool ClickLinkByText(Browser& browser, const QString& target, const LinkCodeFilter& code);
// Image input elements (INPUT of type image) by their source.
bool ClickImageInputBySource(Browser& browser, const QString& target, const LinkCodeFilter& code);

// The routine a fixed link of that kind is clicked with.
bool ClickFixedLink(Browser& browser, FixedLinkKind kind, const QString& target, const LinkCodeFilter& code);

// A routine on the attached page and then, until one click is made, on each of its frames in order.
// Failures are passed over. True when an element was clicked.
bool ClickInPageOrFrames(Browser& page, FixedLinkKind kind, const QString& target,
                         const LinkCodeFilter& code);

}  // namespace vorlaken
