#pragma once

#include <QtGlobal>

class QWidget;

namespace vorlaken {

// The number other programs can reach a window by: its X11 window id on X11 (QWidget::winId()), and 0
// where the platform has no such public number (Wayland, offscreen).
quint64 WindowHandle(QWidget* window);

}  // namespace vorlaken
