#pragma once

#include <QString>

#include "support/LoopbackHttpServer.h"

// Fixture pages for the attached-browser tests, served by a loopback server: a gallery with linked
// and unlinked pictures, an INPUT picture, a picture that is still loading, a same-origin frame that
// holds a frame of its own, a cross-origin frame (localhost) and a frame added by script before them.
namespace gallery {

// Registers every page and picture of the gallery on the server, which must be listening already.
void serve(vorlaken::test::LoopbackHttpServer& server);

}  // namespace gallery
