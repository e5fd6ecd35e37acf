#include "capture/PreviewLayout.h"

namespace vorlaken {

std::vector<int> PreviewLayout::checkboxIndexes(int count) {
    std::vector<int> indexes;
    indexes.reserve(std::size_t(count > 0 ? count : 0));
    for (int i = 0; i < count; ++i)
        indexes.push_back(checkboxIndex(i));
    return indexes;
}

}  // namespace vorlaken
