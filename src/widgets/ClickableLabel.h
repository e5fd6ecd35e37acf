#pragma once

#include <QLabel>

namespace vorlaken {

// A label that works as a command, like the link-style labels of the panels ("Upgrade Now"). It takes
// the keyboard focus and runs on Enter, Return and Space as a button would, and tells assistive
// technology that it is a link one can press.
class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

  public slots:
    // Runs the label's command as a click would; a disabled label does nothing.
    void click();

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vorlaken
