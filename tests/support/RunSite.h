#pragma once

#include <QByteArray>
#include <QString>

namespace vorlaken::test {

class LoopbackHttpServer;

// The small site the enhanced runs are tested on, every picture 100 by 100:
// - /start.html: picture s;
// - /p1.html: picture a, and a script link javascript:next() that shows b in its place;
// - /p2.html: picture c and a frame from the server's other origin, /frame.html, whose script link
//   javascript:more() adds picture d to the frame;
// - /p3.html: picture e;
// - /slides.html: a slide show that moves from picture 1 to 2 and 3, 400 ms apart, then stays.
// Pictures are at /pic/NAME.png.
class RunSite {
  public:
    static void serve(LoopbackHttpServer& server);
    static QByteArray page(const char* title, const QString& body);
    static QByteArray startPage();
};

}  // namespace vorlaken::test
