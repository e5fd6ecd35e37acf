#pragma once

#include <memory>

#include <QMainWindow>
#include <QTimer>

#include "capture/BrowserFinder.h"
#include "capture/CaptureState.h"
#include "capture/GetCommand.h"
#include "capture/PreviewPage.h"
#include "common/BrowserCache.h"
#include "common/ProgramDir.h"
#include "common/ToolbarButtonRegistry.h"
#include "common/UpgradeCommands.h"
#include "shell/CommandGuard.h"
#include "shell/MainWindowUi.h"
#include "shell/SettingsBinding.h"
#include "widgets/BusModeDesktop.h"
#include "widgets/ControlAccess.h"

namespace vorlaken {

class ModesController;
class PictureDragger;
class PictureExport;
class PreviewPictureMenu;
class ResultsController;
class SaveController;
class WebZone;
class WindowDragger;

// The main window Tfrmgrabnest of grabnest: owns the capture state, the web zones and the settings,
// binds the controls to the commands, and runs the start-up capture once after it is first shown.
class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    // The back-ends come from the program's start: where pages come from, the desktop services, the
    // disk cache each save run reads, and where the browsers' toolbar button is registered.
    MainWindow(const ProgramDir& dir, BrowserFinder& finder, Desktop& desktop, RunCacheFactory makeCache,
               ToolbarButtonRegistry& toolbarButtons, QWidget* parent = nullptr);
    ~MainWindow() override;

    MainWindowUi& ui() { return ui_; }
    CaptureState& state() { return state_; }
    const ControlAccess& controls() const { return *controls_; }
    // The command running now, if any, and the controls it took out of use.
    const CommandGuard& commands() const { return commands_; }
    SaveController& saving() { return *saving_; }
    ResultsController& results() { return *results_; }
    ModesController& modes() { return *modes_; }
    // The preview's pictures handed to other programs: dragged out, or copied to the clipboard.
    PictureExport& pictures() { return *pictures_; }
    PictureDragger& pictureDragger() { return *pictureDragger_; }
    PreviewPictureMenu& pictureMenu() { return *pictureMenu_; }
    // Where pages come from: the discovery of the page the user looks at.
    BrowserFinder& finder() { return finder_; }
    // The desktop the commands use: the one handed in, in bus mode while an automation call runs.
    BusModeDesktop& desktop() { return desktop_; }
    const ProgramDir& programDir() const { return dir_; }
    // The web zone shown by the view of that name (wb1, wb2, wbad, ...); null for other names.
    Zone* zone(const QString& name) const;

    bool templateMissing() const { return templateMissing_; }
    bool startupCaptureDone() const { return startupDone_; }
    // Where the settings are read from and written to.
    QString settingsPath() const;

    // The Get command with the main or the enhanced filter set, as the main "Get" runs it; nothing while
    // another command goes on.
    void runGet(bool useEnhancedFilters);
    // "Get from all tabs" with the main filters, under the same rule.
    void runGetAllTabs();
    // Writes the preview page for the table with the current view options (RenderPreview).
    void renderPreview();
    // Brings the window to the front in its normal state (a second start asked for it).
    void bringToFront();

  signals:
    void documentCompleted();
    void startupCaptureFinished();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // Runs a command on the state: the controls' values go in before, its results come out after.
    template <typename Command>
    void runOnState(Command command);
    // A capture command, alone and with Get and Save out of use while it runs.
    template <typename Command>
    void runCapture(Command command);
    void connectCommands();
    void loadSettings();
    void writeSettings();
    void onFirstShown();
    void onStartupTimer();
    void onGet();
    void onViewOption();
    void onSkinChosen(int index);
    void onModeItem(int mode);
    UpgradeCommands upgrade();
    void showPanel(int page);
    void loadWelcomePage();
    void showMissingTemplateWarning();
    // Says in the preview how to attach a browser, when the start-up capture found none.
    void showAttachBrowserPage();
    bool waitForDocumentComplete();
    void reportStartupTiming();

    ProgramDir dir_;
    BrowserFinder& finder_;
    ToolbarButtonRegistry& toolbarButtons_;
    BusModeDesktop desktop_;
    MainWindowUi ui_;
    CaptureState state_;
    GetCommand getCommand_;
    CommandGuard commands_;
    std::unique_ptr<ControlAccess> controls_;
    std::unique_ptr<SaveController> saving_;
    std::unique_ptr<PictureExport> pictures_;
    PictureDragger* pictureDragger_ = nullptr;
    PreviewPictureMenu* pictureMenu_ = nullptr;
    WebZone* previewZone_ = nullptr;
    WebZone* commentZone_ = nullptr;
    WebZone* welcomeZone_ = nullptr;
    WindowDragger* dragger_ = nullptr;
    ResultsController* results_ = nullptr;
    ModesController* modes_ = nullptr;
    QTimer* startupTimer_ = nullptr;
    WindowSettings settings_;
    QString welcomeText_;
    bool templateMissing_ = false;
    bool documentComplete_ = false;
    bool firstShown_ = false;
    bool startupDone_ = false;
    qint64 shownAtMs_ = 0;
};

}  // namespace vorlaken
