#include "shell/WelcomePage.h"

namespace vorlaken {

// The maker's web presence lives under a reserved example domain until a real one exists.
QString MakerSite::site() {
    return QStringLiteral("https://www.vorlaken.example/");
}
QString MakerSite::helpPage() {
    return QStringLiteral("https://www.vorlaken.example/help.htm");
}
QString MakerSite::newsPage() {
    return QStringLiteral("https://www.vorlaken.example/news.htm");
}

QString WelcomePageText() {
    return QStringLiteral(
               "<html><head><meta http-equiv=\"refresh\" content=\"15;url=%1\">"
               "<style>a{font-size:9pt;text-decoration:underline;color:#0000ff}"
               "body{font-size:9pt}</style></head>"
               "<body topmargin=5 leftmargin=1 style=\"margin-top:5px;margin-left:1px\" bgcolor=\"#E8F0FD\">"
               "<center>Welcome to use Vorlaken 8.1 (Release on Sep 18th,2008).  "
               "<a href=\"%2\" target=\"_blank\">Technical support</a><br>"
               "<a href=\"%3\" target=\"_blank\">Vorlaken home</a> &nbsp; "
               "<a href=\"%3tidewell.htm\" target=\"_blank\">Tidewell cache viewer</a> &nbsp; "
               "<a href=\"%3hrefsift.htm\" target=\"_blank\">webpage link finder</a>"
               "</center></body></html>")
        .arg(MakerSite::newsPage(), MakerSite::helpPage(), MakerSite::site());
}

QString MissingTemplatePageText() {
    return QStringLiteral("<html><body><h1>") +
           QStringLiteral(
               "The file grabnest.htm is not found in current directory. Please reinstall Vorlaken. If you "
               "missed  setup file, you can download it on") +
           QStringLiteral(" ") + MakerSite::site() + QStringLiteral(".</h1>");
}

}  // namespace vorlaken
