#pragma once

#include <QString>

#include "capture/PageModel.h"
#include "modes/ModesState.h"

namespace vorlaken {

// ClickLinkByAddress: clicks the first link of the browser's document whose address, lower-cased and
// trimmed, equals address lower-cased; with "view code" a link whose HTML lacks the include text or
// holds the exclude text (both case-sensitive, an empty one not tested) is passed over. True when a
// link was clicked, whether or not the click itself went through. A document that cannot be read gives
// false.
bool ClickLinkByAddress(Browser& browser, const QString& address, const LinkCodeFilter& code);

// The same on the attached page and then, until one click is made, on each of its frames in order.
// Failures are passed over. True when a link was clicked.
bool ClickLinkInPageOrFrames(Browser& page, const QString& address, const LinkCodeFilter& code);

}  // namespace vorlaken
