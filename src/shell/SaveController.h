#pragma once

#include <memory>

#include <QLabel>
#include <QMenu>
#include <QObject>
#include <QPushButton>

#include "capture/BrowserFinder.h"
#include "capture/CaptureState.h"
#include "common/BrowserCache.h"
#include "common/IniFile.h"
#include "save/SaveRun.h"
#include "save/SaveState.h"
#include "shell/CommandGuard.h"
#include "shell/SaveProgressWindow.h"

namespace vorlaken {

class MainWindowUi;
class BusModeDesktop;
struct WindowSettings;

// The saving side of the main window: owns the SaveState, the progress window TfrmPrompt and the
// category menu catPopup, and binds savebtn, the save menu, the extension boxes and "Picture Category
// Set" to the save commands. The browser cache is opened for each run, so start-up does not pay for
// listing it.
class SaveController : public QObject {
    Q_OBJECT
  public:
    struct Parts {
        QWidget* window = nullptr;
        MainWindowUi* ui = nullptr;
        CaptureState* capture = nullptr;
        BusModeDesktop* desktop = nullptr;
        BrowserFinder* finder = nullptr;
        RunCacheFactory makeCache;       // required: every run reads the cache it makes
        Browser* previewZone = nullptr;  // wb1
        Browser* commentZone = nullptr;  // wb2
        QString catFile;                 // cat.txt
        QString settingsFile;            // vorlaken.ini, for the folder chosen during a run
        QString previewTemplate;         // grabnest.htm, the document wb1 shows the preview page in
        CommandGuard* commands = nullptr;
    };

    explicit SaveController(const Parts& parts, QObject* parent = nullptr);
    ~SaveController() override;

    // Start-up: the values of the settings file not held by a control, then cat.txt and the menu.
    void load(const WindowSettings& settings);
    // Close: the values the settings binding writes besides the controls.
    void store(WindowSettings& settings) const;

    // Another Save button (of a mode page) and the counter it writes: the run keeps its "Saved:" text
    // in counter and label shows it. Like "Save", the button starts a run, or pops up the category menu
    // at itself when categories are on.
    void addSaveButton(QPushButton* button, QLabel* label, QString* counter);

    SaveState& state() { return save_; }
    SaveProgressWindow& progressWindow() { return *progress_; }
    QMenu* categoryMenu() const { return categoryMenu_; }
    // The cache the last run read (none before the first run).
    BrowserCache* cache() const { return cache_.get(); }
    // The cache a run started now would read (the running one's while a run goes on).
    BrowserCache* currentCache();

  signals:
    // A save run (or a choice that led to none) has ended.
    void saveFinished();

  private:
    // A Save button, the label of its counter and the text the run writes there.
    struct SaveButton {
        QPushButton* button = nullptr;
        QLabel* label = nullptr;
        QString* counter = nullptr;
    };

    template <typename Command>
    void runOnState(Command command);
    // Runs a save command while the user goes on working: afterwards, and whenever the run shows its
    // progress, only what the command changed is written into the controls.
    template <typename Command>
    void runSaving(Command command);
    void refreshWindow();
    void applyWindowRequests();
    void prepareServices();
    void ensureCache();
    void buildCategoryMenu();
    bool refusedWhileBusy();
    void onSave(const SaveButton& pressed);
    void onCategoryChosen(QAction* item);
    void showCounter();
    void onEditCategories();

    Parts parts_;
    MainWindowUi& ui_;
    CaptureState& capture_;
    SaveState save_;
    CaptureState shown_;  // what the controls show of capture_ during a save command
    SaveServices services_;
    SaveProgressWindow* progress_;  // a separate window, owned by the main window
    std::unique_ptr<BrowserCache> cache_;
    IniFile settingsFile_;
    QMenu* categoryMenu_ = nullptr;
    QAction* saveMenuOpenIndexPage_ = nullptr;
    // The Save button whose run goes on, and the one whose press popped up the category menu.
    SaveButton active_;
    SaveButton pending_;
};

}  // namespace vorlaken
