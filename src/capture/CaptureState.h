#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "capture/BigPictureProbe.h"
#include "capture/CaptureTable.h"
#include "capture/FilterSet.h"
#include "capture/PageModel.h"

namespace vorlaken {

// Everything the capture and the Get command read and write: the main window owns one, binds its
// controls to it and hands it to the commands. Names in comments are the controls showing each value.
struct CaptureState {
    CaptureTable table;
    FilterSet mainFilters;      // SpinEdit1, SpinEdit2, cbsize, Edit3, Edit4, linkEdit1, linkEdit2
    FilterSet enhancedFilters;  // SpinEdit12, spinedit22, cbsize2, Edit32, edit42, linkEdit12, linkEdit22

    bool specialProcess = false;     // inputchk
    bool picturesWithLinks = false;  // chkLink
    bool linkNearBy = false;         // nearbychk
    bool merge = false;              // CheckBox4
    bool lock = false;               // lockchk
    bool largestVersions = false;    // largestChk "largest version": srcset's largest, not the shown
    bool ownSize = false;            // ownSizeChk "own size": the picture's pixel size, not the shown
    // Case-folded picture address to its displayed size, where "own size" gave it another; the
    // preview shows both.
    QHash<QString, QString> shownSizes;

    QString titleText;                                 // cbtitle text
    QStringList titleItems;                            // cbtitle drop-down list
    QString locationText;                              // Edit2
    QString countLabel = QStringLiteral("Total:0");    // cLabel
    QString savedLabel = QStringLiteral("Saved:0/0");  // Label3
    bool getEnabled = false;                           // getbtn
    bool saveEnabled = false;                          // savebtn

    // Kept by the last capture; RenderPreview copies the location into Edit2 and derives PageDomain.
    QString pageTitle;
    QString pageLocation;
    QString pageDomain;

    BigPictureProbe probe;
    BrowserPtr attached;  // the attached browser; null until the first successful discovery
};

}  // namespace vorlaken
