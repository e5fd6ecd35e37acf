#pragma once

#include <QList>
#include <QStringList>

#include "save/SaveProgress.h"

namespace vorlaken {

// The progress window, recorded. stopAfter ticks "stop saving" once that many texts were shown.
class FakeSaveProgress : public SaveProgress {
  public:
    QStringList texts;
    int maximum = -1;
    int position = -1;
    bool shown = false;
    int shows = 0;
    bool stop = false;
    int stopAfter = -1;
    QList<bool> stopEnabledChanges;
    QStringList offeredFolders;

    void show() override {
        shown = true;
        ++shows;
    }
    void hide() override { shown = false; }
    void setText(const QString& text) override {
        texts << text;
        if (stopAfter >= 0 && texts.size() == stopAfter + 1)
            stop = true;
    }
    void setMaximum(int value) override { maximum = value; }
    void setPosition(int value) override { position = value; }
    bool stopTicked() override { return stop; }
    void untick() override { stop = false; }
    void setStopEnabled(bool enabled) override { stopEnabledChanges << enabled; }
    void offerFolder(const QString& folder) override { offeredFolders << folder; }
};

}  // namespace vorlaken
