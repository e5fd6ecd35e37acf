#pragma once

#include "capture/PageModel.h"

namespace vorlaken {

// The body of the document a browser shows. Throws PageError when there is no document or no body.
ElementPtr PageBody(Browser& browser);

}  // namespace vorlaken
