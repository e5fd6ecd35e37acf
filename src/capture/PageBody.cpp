#include "capture/PageBody.h"

namespace vorlaken {

ElementPtr PageBody(Browser& browser) {
    DocumentPtr document = browser.document();
    ElementPtr body = document ? document->body() : nullptr;
    if (!body) {
        throw PageError(QStringLiteral("The page has no body."));
    }
    return body;
}

}  // namespace vorlaken
