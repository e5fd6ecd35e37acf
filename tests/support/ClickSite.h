#pragma once

#include <QByteArray>
#include <QString>

namespace vorlaken::test {

class LoopbackHttpServer;

// The small site the auto-click ways and the big-picture finders are tested on. Pictures are at
// /pic/NAME.png, each of the size its page gives it.
// - /gallery/1.html .. /gallery/3.html: "from big to big": a big picture (big1..big3) in a link to the
//   next page, and a bigger picture outside any link (wide1..wide3), so the linked one must win;
//   a click on the wide picture goes to /to/advert.html, and on /gallery/3.html, which has no link,
//   sets the title to "wide clicked".
// - /thumbs.html: "from small to big": thumbnails t1..t3 whose clicks show the big picture b1..b3 in
//   the picture "big".
// - /next.html: "click fixed links": a text link "  NEXT " to /to/text.html, a picture link (pic
//   next.png) to /to/image.html, a script link javascript:goOn() to /to/script.html, an image input
//   (pic go.png) sending its form to /to/input.html, and before all of them an advert whose text is
//   "Next" too, with class "advert", to /to/advert.html. Each /to/ page shows the picture of its name.
// - /keys.html: "keyboard navigate": the right-arrow key (key code 39) shows k2 in place of k1;
//   /trusted-keys.html the same for a key the browser itself delivers (isTrusted) only.
// - /popup.html: small pictures p1..p3 whose onclick code opens big pictures, in the ways pages write
//   it (single, double and no quotes, https, none).
class ClickSite {
  public:
    static void serve(LoopbackHttpServer& server);
    // The big-picture address the onclick code of p1..p3 on /popup.html opens.
    static QString popupBigUrl(const LoopbackHttpServer& server, int n);
};

}  // namespace vorlaken::test
