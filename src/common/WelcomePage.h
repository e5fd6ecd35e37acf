#pragma once

#include <QString>

namespace vorlaken {

// The maker's pages: shipped beside the programs (welcome.htm, help.htm and its screenshot), so every
// address leads somewhere without a network and nothing remote is ever loaded. Addresses are file URLs.
class MakerSite {
  public:
    // programDir: the folder of the executable, ending in "/".
    explicit MakerSite(const QString& programDir);

    // The name shown where the maker's web site is named (tidecove's caption).
    static QString name() { return QStringLiteral("Vorlaken"); }
    // The welcome and news page; also the page the welcome zone refreshes to after 15 seconds.
    QString home() const;
    QString helpPage() const;
    // A section of the help page ("tidewell", "hrefsift", "install", ...).
    QString helpSection(const QString& anchor) const;
    // Where a message about a missing file sends the user: how to install again.
    QString downloadPage() const;

  private:
    QString page(const QString& file, const QString& anchor) const;

    QString dir_;
};

// The HTML text the welcome zone shows below the preview.
QString WelcomePageText(const MakerSite& site);

// The page written when the preview template is missing.
QString MissingTemplatePageText(const MakerSite& site);

// What the preview shows when grabnest starts and finds no browser to attach to: the body of a short
// page that says how to attach one.
QString AttachBrowserPageText();

}  // namespace vorlaken
