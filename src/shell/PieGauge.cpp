#include "shell/PieGauge.h"

#include <algorithm>

#include <QPainter>

namespace vorlaken {

PieGauge::PieGauge(QWidget* parent) : QWidget(parent) {
    setMinimumSize(64, 64);
}

void PieGauge::setMaximum(int maximum) {
    maximum_ = std::max(0, maximum);
    update();
}

void PieGauge::setPosition(int position) {
    position_ = std::max(0, position);
    update();
}

void PieGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = std::min(width(), height()) - 2;
    const QRect circle((width() - side) / 2, (height() - side) / 2, side, side);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawEllipse(circle);
    if (maximum_ <= 0 || position_ <= 0)
        return;
    const double share = std::min(1.0, double(position_) / maximum_);
    painter.setBrush(QColor(0, 160, 0));
    // Angles count in sixteenths of a degree, anticlockwise from three o'clock; the pie grows clockwise
    // from twelve o'clock.
    painter.drawPie(circle, 90 * 16, -int(share * 360 * 16));
}

}  // namespace vorlaken
