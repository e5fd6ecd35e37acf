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
    // The run has ended with pictures in folder: offers, for a few seconds and without holding
    // anything up, to open it. The next show() takes the offer back.
    virtual void offerFolder(const QString& folder) = 0;
};

}  // namespace vorlaken
