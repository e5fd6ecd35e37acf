#include "common/WindowPlacement.h"

#include <algorithm>

namespace vorlaken {

namespace {

// Far beyond any screen; a window this size already costs hundreds of megabytes of backing store.
constexpr int kLargest = 8192;

int fitSize(int stored, int design, int room) {
    const int wanted = stored > 0 ? stored : design;
    return std::max(1, std::min({wanted, room, kLargest}));
}

int fitEdge(int stored, int areaStart, int areaSize, int size) {
    const qint64 last = qint64(areaStart) + areaSize - size;
    return int(std::clamp<qint64>(stored, areaStart, std::max<qint64>(areaStart, last)));
}

}  // namespace

QRect PlaceStoredWindow(int x, int y, int width, int height, const QRect& design, const QRect& available) {
    const QRect area =
        available.isValid() ? available : QRect(-kLargest, -kLargest, 2 * kLargest, 2 * kLargest);
    const int w = fitSize(width, design.width(), area.width());
    const int h = fitSize(height, design.height(), area.height());
    return QRect(fitEdge(x, area.left(), area.width(), w), fitEdge(y, area.top(), area.height(), h), w, h);
}

}  // namespace vorlaken
