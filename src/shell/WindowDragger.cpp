#include "shell/WindowDragger.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace vorlaken {

void WindowDragger::watch(QWidget* panel) {
    panel->installEventFilter(this);
}

bool WindowDragger::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* panel = qobject_cast<QWidget*>(watched);
        // Presses on child controls reach their controls; only the panel's own background moves.
        if (panel && mouse->button() == Qt::LeftButton) {
            if (QWindow* window = panel->window()->windowHandle()) {
                if (window->startSystemMove())
                    return true;
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vorlaken
