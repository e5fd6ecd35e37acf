#pragma once

#include <vector>

#include <QString>

namespace vorlaken {

// Where the preview page puts the pieces of picture i (0-based, in table order): the form's controls
// come in pairs, its checkbox first and the hidden field with its page address second; its image and
// its link are the i-th of the page. Names number the pictures from 1: c<n>, a<n>, h<n>, p<n>.
// The page's writer and every reader of the user's choice go through this one description.
class PreviewLayout {
  public:
    static constexpr int kControlsPerPicture = 2;

    static int checkboxIndex(int picture) { return kControlsPerPicture * picture; }
    static int hiddenIndex(int picture) { return kControlsPerPicture * picture + 1; }
    static int imageIndex(int picture) { return picture; }
    static int linkIndex(int picture) { return picture; }
    // The number in the names of picture i's elements.
    static QString number(int picture) { return QString::number(picture + 1); }

    // How many pictures have both of their controls among that many form controls.
    static int picturesWithControls(int controls) {
        return controls < 0 ? 0 : controls / kControlsPerPicture;
    }
    // The checkbox positions of the first count pictures.
    static std::vector<int> checkboxIndexes(int count);
};

}  // namespace vorlaken
