#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

namespace vorlaken {

// Everything the viewer window shows and keeps, as plain values. The window binds its controls to
// these fields (component names in the comments); the commands read and change them.
struct ViewerState {
    enum TimeUnit { Min = 0, Hour = 1, Day = 2 };
    enum SizeMode { LowerLimit = 0, UpperLimit = 1, Exactly = 2 };
    enum Tab { InitialSelected = 0, ShowAllTab = 1, UpgradeTab = 2 };

    // "Initial selected" tab
    QString urlInclude;        // Edit3, lower case
    QString urlExclude;        // Edit4, lower case
    bool jpg = true;           // c1
    bool gif = true;           // c2
    bool png = true;           // c3
    bool bmp = true;           // c7
    QString otherFormat;       // extEdit
    int timePassed = 1;        // SpinEdit3
    int timeUnit = Hour;       // cb1
    bool previewLocal = true;  // RadioButton1 ("local cached"); RadioButton2 is its opposite
    QString picturesFoundText = QStringLiteral("Pictures found:0");  // Label1
    QList<bool> listChecked;                                         // ListBox1: one tick per foundUrls entry
    int listSelected = -1;                                           // ListBox1's selected item
    QString currentUrl;                                              // Edit1
    bool showAllEnabled = false;                                     // Button3
    bool clearEnabled = true;                                        // Button2
    // cacheNote: what the last listing has to say about the caches (none found, parts not read);
    // hidden when empty.
    QString cacheNote;

    // The lists of the last listing and of the show-all page.
    QStringList foundFiles;
    QStringList foundUrls;
    QStringList shownFiles;
    QStringList shownUrls;

    // "Show All" tab
    QString cacheSaveFolder;         // Edit2; ends in "/" once chosen
    int widthLimit = 80;             // SpinEdit1
    int heightLimit = 80;            // SpinEdit2
    int sizeMode = LowerLimit;       // cbsize
    bool thumbnail = false;          // CheckBox5
    bool originSize = true;          // CheckBox6
    bool filterEnabled = true;       // Button4
    QStringList pictureInformation;  // Memo1
    int tabControlWidth = 700;       // the tab control's width, for the page layout

    // "Upgrade" tab
    bool autoUpgrade = true;  // autoUpgrade

    int currentTab = InitialSelected;
    QRect geometry{230, 147, 734, 551};
};

}  // namespace vorlaken
