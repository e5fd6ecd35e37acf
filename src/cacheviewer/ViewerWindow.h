#pragma once

#include <functional>
#include <memory>

#include <QTimer>
#include <QWidget>

#include "cacheviewer/TIECache.h"
#include "cacheviewer/ViewerState.h"
#include "cacheviewer/ViewerWindowUi.h"
#include "capture/PageModel.h"
#include "common/BrowserCache.h"
#include "common/ProgramDir.h"
#include "common/UpgradeCommands.h"
#include "widgets/BusModeDesktop.h"

namespace vorlaken {

class WebZone;

// The viewer window TForm1. It owns the state, the cache component IECache1 and the two web zones,
// binds the controls to the state and runs the commands on it.
class ViewerWindow : public QWidget {
    Q_OBJECT
  public:
    ViewerWindow(const ProgramDir& programDir, std::unique_ptr<BrowserCache> cache, Desktop& desktop,
                 QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // The desktop the commands use: the one handed in, in bus mode while an automation call runs.
    BusModeDesktop& desktop() { return desktop_; }
    const ViewerState& state() const { return state_; }
    // The web zone of that component name (wb1, wb2); null for other names.
    Zone* zone(const QString& name) const;
    // Selects item i of the check list as a click would.
    void clickListItem(int row);
    void setListItemTicked(int row, bool ticked);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    using Command = std::function<void()>;
    // Reads the controls into the state, runs the command, shows the state again.
    void run(const Command& command);
    void pullState();
    void pushState();
    void connectCommands();
    void loadSettings();
    void writeSettings();
    UpgradeCommands upgrade();
    void onUpgradeTimer();

    ProgramDir programDir_;
    BusModeDesktop desktop_;
    std::unique_ptr<BrowserCache> cache_;
    TIECache cacheComponent_;
    ViewerState state_;
    ViewerWindowUi ui_;
    WebZone* shownZone_ = nullptr;
    std::unique_ptr<Zone> shownLoaded_;  // wb1 for the commands: loads finish before they go on
    WebZone* previewZone_ = nullptr;
    QTimer upgradeTimer_;
    bool shownOnce_ = false;
    QStringList listedUrls_;  // what ListBox1 shows, to rebuild it only when the list changed
};

}  // namespace vorlaken
