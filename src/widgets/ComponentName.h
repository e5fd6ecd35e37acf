#pragma once

#include <QString>

namespace vorlaken {

// Gives a control its component name (objectName), by which automation and tests find it, and its hint
// when there is one.
template <typename T>
T* named(T* widget, const char* name, const QString& hint = QString()) {
    widget->setObjectName(QLatin1String(name));
    if (!hint.isEmpty())
        widget->setToolTip(hint);
    return widget;
}

}  // namespace vorlaken
