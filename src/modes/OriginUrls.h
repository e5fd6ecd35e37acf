#pragma once

#include <QString>

#include "capture/PageModel.h"

namespace vorlaken {

// ShowUrlsOnOriginPage ("link to a picture?"): the lines of a URL list shown as pictures at the top of
// the attached page, so that the main page's Get can capture them.
class OriginUrls {
  public:
    static const QString kHeadWithOrigin;
    static const QString kHeadWithoutOrigin;
    static const QString kOriginAnchor;

    // The text written before the page's own body (or in its place with noOriginContent): the head
    // line, then one picture per line of the list, empty lines included, each line ended by CR LF.
    static QString pictureLines(const QString& listText, bool noOriginContent);
    // Without an attached browser nothing happens; failures on the page are passed over.
    static void Show(const BrowserPtr& attached, const QString& listText, bool noOriginContent);
};

}  // namespace vorlaken
