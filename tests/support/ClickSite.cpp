#include "ClickSite.h"

#include <QColor>

#include "LoopbackHttpServer.h"
#include "RunSite.h"
#include "SolidPng.h"

namespace vorlaken::test {

namespace {

void picture(LoopbackHttpServer& server, const QString& name, QSize size, QColor colour) {
    server.addPage(QStringLiteral("/pic/%1.png").arg(name), SolidPng(size, colour), "image/png");
}

QString img(const QString& name, int width, int height, const QString& extra = QString()) {
    return QStringLiteral("<img src='/pic/%1.png' width=%2 height=%3 %4>")
        .arg(name)
        .arg(width)
        .arg(height)
        .arg(extra);
}

}  // namespace

QString ClickSite::popupBigUrl(const LoopbackHttpServer& server, int n) {
    return server.url(QStringLiteral("/pic/b%1.png").arg(n));
}

void ClickSite::serve(LoopbackHttpServer& server) {
    for (int n = 1; n <= 3; ++n) {
        picture(server, QStringLiteral("big%1").arg(n), QSize(200, 150), QColor(40 * n, 0, 0));
        picture(server, QStringLiteral("wide%1").arg(n), QSize(300, 150), QColor(0, 40 * n, 0));
        picture(server, QStringLiteral("t%1").arg(n), QSize(40, 30), QColor(0, 0, 40 * n));
        picture(server, QStringLiteral("b%1").arg(n), QSize(160, 120), QColor(40 * n, 40 * n, 0));
        picture(server, QStringLiteral("p%1").arg(n), QSize(40, 30), QColor(0, 40 * n, 40 * n));
        const QString next = n < 3 ? QStringLiteral("<a href='/gallery/%1.html'>%2</a>")
                                         .arg(n + 1)
                                         .arg(img(QStringLiteral("big%1").arg(n), 200, 150))
                                   : img(QStringLiteral("big%1").arg(n), 200, 150);
        // A click on the wide picture shows itself: away to the advert before the last page, in the
        // title on it.
        const QString wideClick = n < 3 ? QStringLiteral("onclick=\"location.href='/to/advert.html'\"")
                                        : QStringLiteral("onclick=\"document.title='wide clicked'\"");
        server.addPage(
            QStringLiteral("/gallery/%1.html").arg(n),
            RunSite::page("Gallery", img(QStringLiteral("wide%1").arg(n), 300, 150, wideClick) + next));
    }

    QString thumbs;
    for (int n = 1; n <= 3; ++n)
        thumbs += img(QStringLiteral("t%1").arg(n), 40, 30,
                      QStringLiteral("onclick=\"document.getElementById('big').src='/pic/b%1.png'\"").arg(n));
    server.addPage("/thumbs.html",
                   RunSite::page("Thumbs", thumbs + "<br><img id='big' width=160 height=120>"));

    for (const char* name : {"next", "go", "text", "image", "script", "input", "advert", "k1", "k2"})
        picture(server, QString::fromLatin1(name), QSize(60, 40), Qt::darkYellow);
    server.addPage("/next.html",
                   RunSite::page("Next",
                                 "<a class='advert' href='/to/advert.html'>Next</a> "
                                 "<a class='real' href='/to/text.html'>  NEXT </a> "
                                 "<a href='/to/image.html'>" +
                                     img(QStringLiteral("next"), 60, 40) +
                                     "</a> <a href='javascript:goOn()'>further</a>"
                                     "<script>function goOn() { location.href = '/to/script.html'; }"
                                     "</script><form action='/to/input.html'><input type=image "
                                     "src='/pic/go.png' width=60 height=40></form>"));
    for (const char* name : {"text", "image", "script", "input", "advert"})
        server.addPage(QStringLiteral("/to/%1.html").arg(QLatin1String(name)),
                       RunSite::page(name, img(QString::fromLatin1(name), 60, 40)));

    for (const auto& [path, test] : {std::pair{"/keys.html", "e.keyCode === 39 || e.key === 'ArrowRight'"},
                                     std::pair{"/trusted-keys.html", "e.isTrusted && e.keyCode === 39"}})
        server.addPage(
            QString::fromLatin1(path),
            RunSite::page("Keys", QStringLiteral("<img id='k' src='/pic/k1.png' width=60 height=40>"
                                                 "<script>document.addEventListener('keydown', e => {"
                                                 " if (%1) document.getElementById('k').src ="
                                                 " '/pic/k2.png'; });</script>")
                                      .arg(QLatin1String(test))));

    const QString big1 = popupBigUrl(server, 1);
    const QString big2 = popupBigUrl(server, 2);
    server.addPage(
        "/popup.html",
        RunSite::page(
            "Popup",
            img(QStringLiteral("p1"), 40, 30,
                QStringLiteral("onclick=\"window.open('%1', 'big')\"").arg(big1)) +
                img(QStringLiteral("p2"), 40, 30, QStringLiteral("onclick='show(\"%1\")'").arg(big2)) +
                img(QStringLiteral("p3"), 40, 30, QStringLiteral("onclick=\"return false\"")) +
                "<script>function show(u) { window.open(u); }</script>"));
}

}  // namespace vorlaken::test
