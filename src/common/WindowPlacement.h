#pragma once

#include <QRect>

namespace vorlaken {

// Where a window whose placement comes from a settings file appears. The stored size is taken where it
// is positive (else the design size) but never larger than the available screen area; the window is
// then moved so that it lies wholly on that area. Without a known area (an invalid rectangle) only sizes
// and positions a window system can bear are kept. Any int is safe: nothing overflows.
QRect PlaceStoredWindow(int x, int y, int width, int height, const QRect& design, const QRect& available);

}  // namespace vorlaken
