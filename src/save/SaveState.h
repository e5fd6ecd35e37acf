#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// Sub folder rule (cb3) and naming rule (cb2), by drop-down index. A stored index outside 0..3 leaves the
// drop-down without a choice; a run then treats it as the first item.
enum SubFolderRule { kNoSubFolder = 0, kTitleFolder = 1, kDomainFolder = 2, kDomainTitleFolder = 3 };
enum NamingRule { kPictureName = 0, kNumberName = 1, kNumber = 2, kDateTimeNumber = 3 };

// Everything saving reads and writes besides the capture state: the main window owns one and binds its
// controls to it. Names in comments are the controls showing each value.
struct SaveState {
    QString saveFolder;      // ends with "/" when not empty; settings "dir"
    bool keepFolder = true;  // N32 "rember last folder"; settings "keepdir"
    QString lastSaveFolder;  // target folder of the last run, or the folder just chosen

    int subFolderRule = kDomainTitleFolder;             // cb3; settings "way3"
    int namingRule = kNumber;                           // cb2; settings "way2"
    QString prefix;                                     // Edit1
    QString defaultExtension = QStringLiteral(".jpg");  // cbext text
    bool forceExtension = true;                         // extchk; settings "saveext"
    bool autoRecognise = true;                          // autoextchk; settings "autoext"
    bool localWebpage = true;                           // savechk; settings "save"
    bool zipPackage = false;                            // zipChk; settings "zip"

    QString lastIndexPage;  // full name of the last index page written

    QStringList categories;     // the lines of cat.txt; items of catPopup
    bool categoriesOn = false;  // settings "cat"
    QString currentCategory;
    QString* pendingSaveLabel = nullptr;  // counter label of the Save button that popped catPopup
    QString categoryHint;                 // hint of Label106

    bool running = false;  // a save run is in progress
    // Set when the window closes during a run: the run abandons its current picture (removing the
    // partial file) and ends without index page or zip. Cleared when the run has ended.
    bool closing = false;

    // Requests to the window, set by a failed folder resolution: show the first page of PageControl1
    // and put the focus into cbtitle. The window applies them and clears them.
    bool showFirstPage = false;
    bool focusTitle = false;
};

}  // namespace vorlaken
