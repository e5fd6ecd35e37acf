#include "widgets/WindowHandle.h"

#include <QGuiApplication>
#include <QWidget>

namespace vorlaken {

quint64 WindowHandle(QWidget* window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return 0;
    return static_cast<quint64>(window->window()->winId());
}

}  // namespace vorlaken
