#pragma once

#include <memory>

#include "capture/PageModel.h"
#include "platform/webzone/ScriptRunner.h"

namespace vorlaken {

// A same-origin child frame of a zone's page, reached through its window object. Frames of frames
// are not offered; key presses go to the zone, not here.
class ZoneFrame : public Browser {
  public:
    ZoneFrame(std::shared_ptr<const ScriptRunner> runner, QString windowExpression);

    DocumentPtr document() override;
    QString locationUrl() override;
    void navigate(const QString& url) override;
    void goBack() override;
    void reload() override;
    void openInNewWindow(const QString& url) override;
    std::vector<BrowserPtr> frames() override { return {}; }
    void postKey(int, bool) override {}
    QString cookieHeader(const QString&) override { return QString(); }

  private:
    std::shared_ptr<const ScriptRunner> runner_;
    QString window_;
};

}  // namespace vorlaken
