#pragma once

#include <QString>

namespace vorlaken {

// Addresses of the maker's pages and the fixed pages built from them.
struct MakerSite {
    static QString site();
    static QString helpPage();
    // The page the welcome zone refreshes to after 15 seconds.
    static QString newsPage();
};

// The HTML text the welcome zone shows below the preview.
QString WelcomePageText();

// The page written when the preview template is missing.
QString MissingTemplatePageText();

}  // namespace vorlaken
