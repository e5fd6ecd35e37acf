#include "GalleryFixture.h"

#include "support/SolidPng.h"

namespace gallery {

using vorlaken::test::SolidPng;

void serve(vorlaken::test::LoopbackHttpServer& server) {
    server.addPage(QStringLiteral("/img/red.png"), SolidPng(QSize(40, 30), Qt::red), "image/png");
    server.addPage(QStringLiteral("/img/green.png"), SolidPng(QSize(20, 10), Qt::green), "image/png");
    server.addPage(QStringLiteral("/img/blue.png"), SolidPng(QSize(8, 8), Qt::blue), "image/png");
    server.addPage(QStringLiteral("/img/input.png"), SolidPng(QSize(12, 12), Qt::yellow), "image/png");
    server.addPage(QStringLiteral("/img/frame.png"), SolidPng(QSize(30, 30), Qt::cyan), "image/png");
    server.addPage(QStringLiteral("/img/cross.png"), SolidPng(QSize(33, 22), Qt::magenta), "image/png");
    server.addPage(QStringLiteral("/img/inner.png"), SolidPng(QSize(5, 5), Qt::black), "image/png");
    server.addDelayed(QStringLiteral("/img/slow.png"), 20000, SolidPng(QSize(64, 64), Qt::gray), "image/png");

    server.addPage(QStringLiteral("/gallery.html"), QStringLiteral(R"(<!DOCTYPE html>
<html><head><title>Gallery &amp; friends</title></head>
<body>
<div id="slot"></div>
<a href="/big/1.html"><img id="linked" src="/img/red.png" width="40" height="30"></a>
<img src="img/green.png">
<a href="./rel.html"><img src="/img/blue.png" style="width:50px;height:60px"></a>
<input type="image" src="/img/input.png" width="25" height="15">
<img src="/img/slow.png">
<iframe src="/frame-same.html" width="200" height="100"></iframe>
<iframe src="%1/frame-cross.html" width="200" height="100"></iframe>
<a href="/last.html">last</a>
<script>
  const late = document.createElement('iframe');
  late.src = '/frame-late.html';
  document.getElementById('slot').appendChild(late);
</script>
</body></html>
)")
                                                        .arg(server.localhostUrl(QString()))
                                                        .toUtf8());
    server.addPage(QStringLiteral("/frame-same.html"),
                   "<html><head><title>Same frame</title></head><body><img src=\"/img/frame.png\">"
                   "<iframe src=\"/frame-inner.html\"></iframe></body></html>");
    server.addPage(
        QStringLiteral("/frame-inner.html"),
        "<html><head><title>Inner frame</title></head><body><img src=\"/img/inner.png\"></body></html>");
    server.addPage(QStringLiteral("/frame-cross.html"),
                   "<html><head><title>Cross frame</title></head><body><a href=\"/c.html\">"
                   "<img src=\"/img/cross.png\"></a></body></html>");
    server.addPage(QStringLiteral("/frame-late.html"),
                   "<html><head><title>Late frame</title></head><body>late</body></html>");
}

}  // namespace gallery
