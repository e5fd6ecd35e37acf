#include "RunSite.h"

#include <QColor>

#include "LoopbackHttpServer.h"
#include "SolidPng.h"

namespace vorlaken::test {

namespace {

QString picture(const char* name, const char* id = "") {
    return QStringLiteral("<img id='%2' src='/pic/%1.png' width=100 height=100>")
        .arg(QLatin1String(name), QLatin1String(id));
}

}  // namespace

QByteArray RunSite::page(const char* title, const QString& body) {
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
        .arg(QLatin1String(title), body)
        .toUtf8();
}

QByteArray RunSite::startPage() {
    return page("Start", picture("s"));
}

void RunSite::serve(LoopbackHttpServer& server) {
    const std::pair<const char*, QColor> pictures[] = {
        {"s", Qt::gray},    {"a", Qt::red},     {"b", Qt::green},     {"c", Qt::blue},    {"d", Qt::cyan},
        {"e", Qt::magenta}, {"1", Qt::darkRed}, {"2", Qt::darkGreen}, {"3", Qt::darkBlue}};
    for (const auto& [name, colour] : pictures)
        server.addPage(QStringLiteral("/pic/%1.png").arg(QLatin1String(name)),
                       SolidPng(QSize(100, 100), colour), "image/png");
    server.addPage("/start.html", startPage());
    server.addPage(
        "/p1.html",
        page("P1", picture("a", "m") + "<a href='javascript:next()'>next</a><script>function next() {"
                                       " document.getElementById('m').src = '/pic/b.png'; }</script>"));
    server.addPage("/p2.html",
                   page("P2", picture("c") + QStringLiteral("<iframe src='%1' width=300 height=200>"
                                                            "</iframe>")
                                                 .arg(server.localhostUrl("/frame.html"))));
    server.addPage("/frame.html",
                   page("Frame",
                        "<a href='javascript:more()'>more</a><script>function more() {"
                        " const i = document.createElement('img'); i.src = '/pic/d.png';"
                        " i.width = 100; i.height = 100; document.body.appendChild(i); }</script>"));
    server.addPage("/p3.html", page("P3", picture("e")));
    server.addPage(
        "/slides.html",
        page("Slides", picture("1", "m") +
                           "<script>let n = 1; const t = setInterval(() => {"
                           " if (++n > 3) { clearInterval(t); return; }"
                           " document.getElementById('m').src = '/pic/' + n + '.png'; }, 400);</script>"));
}

}  // namespace vorlaken::test
