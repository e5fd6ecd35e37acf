#pragma once

#include <QString>

#include "CachingHttpServer.h"
#include "PictureFixture.h"

namespace vorlaken::test {

// Lets a headless Chromium with a fresh profile load the fixture page from the server, closes it and
// copies the simple cache it wrote to cacheCopy. Returns an empty text on success, else what failed.
QString RunChromiumOnFixture(CachingHttpServer& server, const PictureFixture& fixture,
                             const QString& cacheCopy);

}  // namespace vorlaken::test
