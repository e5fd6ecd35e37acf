#pragma once

#include <QWidget>

namespace vorlaken {

// A progress gauge drawn as a pie: the done share of the circle filled in green.
class PieGauge : public QWidget {
    Q_OBJECT
  public:
    explicit PieGauge(QWidget* parent = nullptr);

    void setMaximum(int maximum);
    void setPosition(int position);
    int maximum() const { return maximum_; }
    int position() const { return position_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    int maximum_ = 100;
    int position_ = 0;
};

}  // namespace vorlaken
