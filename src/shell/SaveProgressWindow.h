#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "save/SaveProgress.h"
#include "shell/PieGauge.h"

namespace vorlaken {

// The save progress window TfrmPrompt: borderless, centred on the screen, never blocking the main
// window. One lives as long as the main window.
class SaveProgressWindow : public QWidget, public SaveProgress {
    Q_OBJECT
  public:
    explicit SaveProgressWindow(QWidget* parent = nullptr);

    void show() override;
    void hide() override;
    void setText(const QString& text) override;
    void setMaximum(int maximum) override;
    void setPosition(int position) override;
    bool stopTicked() override;
    void untick() override;
    void setStopEnabled(bool enabled) override;
    // Shows the window again with "Open folder" (openFolder) in place of "stop saving" for
    // kOfferMs, then hides it.
    void offerFolder(const QString& folder) override;

    static constexpr int kOfferMs = 6000;

    QLabel* label() const { return label_; }
    QCheckBox* stopBox() const { return stop_; }
    QPushButton* openFolderButton() const { return openFolder_; }

  signals:
    // "Open folder" was pressed for the folder the run saved into.
    void openFolderRequested(const QString& folder);

  private:
    void centre();

    QLabel* label_;
    PieGauge* gauge_;
    QCheckBox* stop_;
    QPushButton* openFolder_;
    QTimer offerEnds_;
    QString offeredFolder_;
};

}  // namespace vorlaken
