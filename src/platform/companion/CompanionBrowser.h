#pragma once

#include "capture/PageModel.h"
#include "platform/companion/CompanionTarget.h"

namespace vorlaken {

// A tab of a browser running the companion extension, or one of its frames. Navigation, frames,
// cookies and keys are the browser's (its tabs, webNavigation, cookies and debugger interfaces); what
// is in the document is read and written by the extension's content script in the frame.
class CompanionBrowser : public Browser {
  public:
    explicit CompanionBrowser(CompanionTarget target);

    DocumentPtr document() override;
    // This browser's own address: the page's, or for a frame the frame's.
    QString locationUrl() override;
    void navigate(const QString& url) override;
    void goBack() override;
    void reload() override;
    void openInNewWindow(const QString& url) override;
    std::vector<BrowserPtr> frames() override;
    // Chromium-family browsers take the key through their debugger, attached for this press only, as
    // a user's; Firefox gets synthetic events in the focused element of the top document.
    void postKey(int virtualKey, bool down) override;
    QString cookieHeader(const QString& url) override;

    const CompanionTarget& target() const { return target_; }

  private:
    CompanionTarget target_;
};

}  // namespace vorlaken
