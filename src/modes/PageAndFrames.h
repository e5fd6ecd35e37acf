#pragma once

#include <functional>

#include "capture/PageModel.h"

namespace vorlaken {

// Visits the page and then each of its frames in order (an entry that is no browser is passed over),
// until visit gives true. A page whose frames cannot be read is visited alone. True when a visit gave
// true.
bool ForPageAndFrames(Browser& page, const std::function<bool(Browser&)>& visit);

}  // namespace vorlaken
