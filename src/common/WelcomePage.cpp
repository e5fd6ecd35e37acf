#include "common/WelcomePage.h"

#include <QUrl>

namespace vorlaken {

MakerSite::MakerSite(const QString& programDir) : dir_(programDir) {}

QString MakerSite::page(const QString& file, const QString& anchor) const {
    QUrl url = QUrl::fromLocalFile(dir_ + file);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    return url.toString(QUrl::FullyEncoded);
}

QString MakerSite::home() const {
    return page(QStringLiteral("welcome.htm"), QString());
}

QString MakerSite::helpPage() const {
    return page(QStringLiteral("help.htm"), QString());
}

QString MakerSite::helpSection(const QString& anchor) const {
    return page(QStringLiteral("help.htm"), anchor);
}

QString MakerSite::downloadPage() const {
    return helpSection(QStringLiteral("install"));
}

QString WelcomePageText(const MakerSite& site) {
    // The program folder may hold any character: the addresses are escaped like any other value.
    return QStringLiteral(
               "<html><head><meta http-equiv=\"refresh\" content=\"15;url=%1\">"
               "<style>a{font-size:9pt;text-decoration:underline;color:#0000ff}"
               "body{font-size:9pt}</style></head>"
               "<body topmargin=5 leftmargin=1 style=\"margin-top:5px;margin-left:1px\" bgcolor=\"#E8F0FD\">"
               "<center>Welcome to use Vorlaken 8.1 (Release on Sep 18th,2008).  "
               "<a href=\"%2\" target=\"_blank\">Technical support</a><br>"
               "<a href=\"%3\" target=\"_blank\">Vorlaken home</a> &nbsp; "
               "<a href=\"%4\" target=\"_blank\">Tidewell cache viewer</a> &nbsp; "
               "<a href=\"%5\" target=\"_blank\">webpage link finder</a>"
               "</center></body></html>")
        .arg(site.home().toHtmlEscaped(), site.helpPage().toHtmlEscaped(), site.home().toHtmlEscaped(),
             site.helpSection(QStringLiteral("tidewell")).toHtmlEscaped(),
             site.helpSection(QStringLiteral("hrefsift")).toHtmlEscaped());
}

QString MissingTemplatePageText(const MakerSite& site) {
    return QStringLiteral("<html><body><h1>") +
           QStringLiteral(
               "The file grabnest.htm is not found in current directory. Please reinstall Vorlaken. If you "
               "missed  setup file, you can download it on") +
           QStringLiteral(" ") + site.downloadPage().toHtmlEscaped() + QStringLiteral(".</h1>");
}

QString AttachBrowserPageText() {
    return QStringLiteral(
        "<div id=\"attach\" style=\"font-family: sans-serif; margin: 12px; max-width: 40em\">"
        "<h3>No browser page to read</h3>"
        "<p>Vorlaken lists the pictures of the page you look at in your web browser. It reaches the "
        "browser in one of two ways:</p>"
        "<ol>"
        "<li><b>The Vorlaken extension</b> for Chromium and Firefox: on the Options panel click "
        "\"Display an icon on IE toolbar band(Recommend)\", start the browser again, then click the "
        "Vorlaken button on its toolbar.</li>"
        "<li><b>The debugging port</b> of a Chromium-family browser: start it as "
        "<code>chromium --remote-debugging-port=9222</code>.</li>"
        "</ol>"
        "<p>Then click Get. Help &amp; Demo on the Help panel tells more.</p>"
        "</div>");
}

}  // namespace vorlaken
