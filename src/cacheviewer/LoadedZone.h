#pragma once

#include "capture/PageModel.h"

namespace vorlaken {

class WebZone;

// The view zone as the viewer's commands need it: replacing the document finishes before the command
// goes on (the page written by "Show All" is complete when the layout boxes render into it), bounded
// so that a page that never finishes cannot hang the window.
class LoadedZone : public Zone {
  public:
    explicit LoadedZone(WebZone& zone, int boundMs = 5000) : zone_(zone), boundMs_(boundMs) {}

    void loadHtml(const QString& html) override;
    void navigate(const QString& url) override;

    DocumentPtr document() override;
    QString locationUrl() override;
    void goBack() override;
    void reload() override;
    void openInNewWindow(const QString& url) override;
    std::vector<BrowserPtr> frames() override;
    void postKey(int virtualKey, bool down) override;
    QString cookieHeader(const QString& url) override;
    void setSilent(bool silent) override;
    void paste() override;

  private:
    // Runs the start of a load and waits until the zone reports its document complete.
    void waitForLoad(const std::function<void()>& start);

    WebZone& zone_;
    int boundMs_;
};

}  // namespace vorlaken
