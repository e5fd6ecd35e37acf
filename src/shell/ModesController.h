#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QStringList>

#include "capture/CaptureState.h"
#include "modes/ModesState.h"
#include "modes/RunServices.h"
#include "modes/StopSwitch.h"
#include "shell/ModePagesUi.h"

namespace vorlaken {

class CommandGuard;
class MainWindow;
class MemoMenu;
class SaveController;
class WebZone;
class Zone;

// The enhanced modes of the main window: builds the mode pages, owns their state and the runs' stop
// switches, binds the pages' controls to the mode commands, and runs the multipage and interval runs
// with the window kept alive and in step with them.
class ModesController : public QObject {
    Q_OBJECT
  public:
    ModesController(MainWindow& window, Zone& preview, CommandGuard& commands);

    // The Save buttons of the mode pages with their counters.
    void addSaveButtons(SaveController& saving);
    // The window closes: a run going on ends at its next step.
    void windowClosing();

    ModesState& state() { return modes_; }
    ModePagesUi& pages() { return pages_; }
    MemoMenu& memoMenu() { return *memoMenu_; }
    Zone& scratchZone();
    // Milliseconds in one second of the pages' time controls; tests shorten it.
    void setSecondMs(int ms) { secondMs_ = ms; }

  signals:
    // A run of a mode has ended.
    void runFinished();

  private:
    // Runs a command of the pages on their state; what the user set goes in, what it sets comes out.
    template <typename Command>
    void runOnPages(Command command);
    // Runs a multipage or interval run with everything but "stop" and the list taken out of use.
    template <typename Run>
    void runMode(Run run);
    RunServices services();
    // During a run: shows what the run changed and takes in what the user changed meanwhile.
    void refresh();
    void bindStop(QCheckBox* box, StopSwitch& stop);
    void connectCommands();
    void connectAutoClick();
    void connectPopup();
    void connectUrlPage();
    // The auto-click page shows the Get/Save pair of its step.
    void showAutoClickPair();
    // The attached browser, found again when none is attached yet; null when there is none.
    BrowserPtr attachedBrowser();
    void showReferenceValues();
    void showInCommentPanel(const QString& html);
    bool busy() const;
    void openBuilder();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void onDrop(const QMap<QString, QByteArray>& formats);

    MainWindow& window_;
    MainWindowUi& ui_;
    Zone& preview_;
    CommandGuard& commands_;
    ModePagesUi pages_;
    ModesState modes_;
    ModesState shownModes_;
    CaptureState shownCapture_;
    StopSwitch multipageStop_;
    StopSwitch intervalStop_;
    StopSwitch autoClickStop_;
    WebZone* scratchZone_ = nullptr;
    MemoMenu* memoMenu_ = nullptr;
    int secondMs_ = 1000;
};

}  // namespace vorlaken
