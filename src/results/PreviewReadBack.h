#pragma once

#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "capture/PageModel.h"
#include "common/Desktop.h"

namespace vorlaken {

// The preview zone shows something other than the preview page (the origin page, a page of fewer
// form elements than pictures): what it holds cannot be read as the user's choice.
class NotPreviewPageError : public PageError {
  public:
    NotPreviewPageError();
};

// Shown when a command needs the preview page and the zone shows something else.
inline const QString kNotPreviewPageMessage = QStringLiteral(
    "The preview zone does not show the pictures of the last capture. Please click \"Get\" to get the "
    "pictures again.");

// The preview page as the user left it: the values the page holds for each picture and its tick, found
// where PreviewLayout places them.
// Read in a fixed number of page-model calls. Values come from the page, never from the table.
struct PreviewReadBack {
    int count = 0;  // N, the number of pictures in the page
    std::vector<bool> checked;
    QStringList picUrl;         // src of image i, as the page resolved it
    QStringList sizeText;       // value of picture i's checkbox
    QStringList linkUrl;        // href of link i
    QStringList pageUrl;        // value of picture i's hidden field
    std::vector<bool> loading;  // image i has not ended loading yet (and shows width 0 meanwhile)
    // Image i's load ended without a picture: its error handler shrank it to width 0 and unticked it.
    std::vector<bool> loadFailed;
    CollectionPtr formElements;  // the controls of form1, for ticking

    // A page without pictures gives count 0. Throws NotPreviewPageError when the page has pictures but
    // not the preview page's form and links, and when the zone's document is not one the preview page
    // can be in: a page shown there by other means may copy the preview page's form. That document is
    // the one at previewLocation (the template) when given, else any local one (file, about, data), never
    // a web page. Other page-model failures propagate as PageError.
    static PreviewReadBack read(Browser& previewZone, const QString& previewLocation = QString());
    // read() for the commands: nothing when the page fails, and when it is not the preview page the
    // user is told to get the pictures again.
    static std::optional<PreviewReadBack> readForCommand(Browser& previewZone, Desktop& desktop);

    std::vector<int> checkedRows() const;
    // Positions of the checkboxes among the form's controls.
    std::vector<int> checkboxIndexes() const;
};

}  // namespace vorlaken
