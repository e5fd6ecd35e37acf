#pragma once

#include "capture/PageModel.h"
#include "platform/devtools/FrameContext.h"

namespace vorlaken {

// The attached page of a Chromium-family browser, or one of its frames, over the page's DevTools
// connection. Key presses go to the page (its focused frame), as a user's would.
class DevToolsBrowser : public Browser {
  public:
    // topLevel: the frame is the page itself (not one of its frames).
    explicit DevToolsBrowser(FrameContext frame, bool topLevel = false);

    DocumentPtr document() override;
    // This browser's own address: the page's, or for a frame the frame's. The page's is that of the
    // document it shows, also while another is on its way (the browser keeps a page's commands until
    // the next document is there, so the page itself is not asked).
    QString locationUrl() override;
    void navigate(const QString& url) override;
    void goBack() override;
    void reload() override;
    void openInNewWindow(const QString& url) override;
    std::vector<BrowserPtr> frames() override;
    void postKey(int virtualKey, bool down) override;
    QString cookieHeader(const QString& url) override;
    // One round trip for every few hundred distinct addresses.
    QStringList cookieHeaders(const QStringList& urls) override;

    const FrameContext& frame() const { return frame_; }

  private:
    FrameContext frame_;
    bool topLevel_;
};

}  // namespace vorlaken
