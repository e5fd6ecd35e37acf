#pragma once

#include <QString>

namespace vorlaken {

// The save progress window TfrmPrompt as the run sees it: its label, the gauge and "stop saving".
class SaveProgress {
  public:
    virtual ~SaveProgress() = default;

    // Shows it (borderless, centred, not modal) and repaints it.
    virtual void show() = 0;
    virtual void hide() = 0;
    // Label3; the window repaints at once.
    virtual void setText(const QString& text) = 0;
    // Gauge1.
    virtual void setMaximum(int maximum) = 0;
    virtual void setPosition(int position) = 0;
    // CheckBox1 "stop saving".
    virtual bool stopTicked() = 0;
    virtual void untick() = 0;
    virtual void setStopEnabled(bool enabled) = 0;
};

// For runs without a window.
class NullSaveProgress : public SaveProgress {
  public:
    void show() override {}
    void hide() override {}
    void setText(const QString&) override {}
    void setMaximum(int) override {}
    void setPosition(int) override {}
    bool stopTicked() override { return false; }
    void untick() override {}
    void setStopEnabled(bool) override {}
};

}  // namespace vorlaken
