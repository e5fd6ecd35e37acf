#pragma once

#include <functional>

#include <QDateTime>
#include <QString>
#include <QStringList>

#include "capture/CaptureState.h"
#include "common/BrowserCache.h"
#include "common/Desktop.h"
#include "common/IniFile.h"
#include "save/SaveProgress.h"
#include "save/SaveRunData.h"
#include "save/SaveState.h"
#include "save/TransferQueue.h"

namespace vorlaken {

// The services a save run works with. The window fills it once; tests use fakes.
struct SaveServices {
    Desktop* desktop = nullptr;
    BrowserCache* cache = nullptr;
    SaveProgress* progress = nullptr;
    Browser* previewZone = nullptr;  // wb1, holding the preview page
    CommentPanelView comments;       // Panel2 shown, and wb2
    IniFile* settings = nullptr;     // for "dir" written at once by the folder dialog; may be null
    // The address of the document the preview page is written into (the template); a zone showing
    // another document holds nothing to save. Empty: not checked.
    QString previewLocation;
    // How long the run waits for the preview's ticked pictures to end loading before it reads the ticks
    // (a picture that fails unticks itself); pictures still loading then are saved all the same.
    int previewWaitMs = 5000;
    // Pops catPopup up at the bottom-left corner of the Save button that was pressed.
    std::function<void()> popCategoryMenu;
    // Called whenever the run changed state the window shows (counter label, Get/Save enabled), before
    // pending events are processed, so the window can repaint it.
    std::function<void()> refresh;
    // The clock for the run stamp and the page stamps; the system clock when empty.
    std::function<QDateTime()> now;
    int endPauseMs = 500;  // pause before the progress window is hidden
    // How long a transfer may deliver (almost) nothing before it counts as stalled; 0: the default.
    int stallWindowMs = 0;
    // How many transfers to one host may be under way at once, the picture in hand included.
    int transfersPerHost = TransferQueue::kPerHost;
};

// The cache's local file of exactly this address, or empty.
QString CacheLookup(BrowserCache& cache, const QString& url);
// Walks the cache once, filling cacheFiles (parallel to saveList) with the local files of matching entries.
void CacheScan(BrowserCache& cache, const QList<SaveEntry>& saveList, QStringList& cacheFiles);

// The ticked pictures of the preview page, read back by position once its ticked pictures have ended
// loading or waitMs has passed, leaving out those whose load failed and local files named by a page
// that is not itself local. Throws NotPreviewPageError when the zone does not show the preview page
// (previewLocation as for PreviewReadBack), PageError when it cannot be read.
QList<SaveEntry> ReadSaveList(Browser& previewZone, const QString& previewLocation = QString(),
                              int waitMs = 0);

// The handler of every Save button: beeps when the button is disabled or a run is going on, pops the
// category menu when categories are on (remembering counterLabel as PendingSaveLabel), else runs.
void StartSave(CaptureState& capture, SaveState& save, SaveServices& services, bool buttonEnabled,
               QString& counterLabel);

// The save run, updating counterLabel ("Saved:count/total") after every picture.
void SaveRun(CaptureState& capture, SaveState& save, SaveServices& services, QString& counterLabel);

// A choice from catPopup: the caption with "&&" reduced to "&" becomes CurrentCategory, then the run
// starts with PendingSaveLabel (Label3, capture.savedLabel, when no Save button popped the menu).
// Beeps while a run is going on.
void ChooseCategory(CaptureState& capture, SaveState& save, SaveServices& services, const QString& caption);

}  // namespace vorlaken
