#pragma once

#include <QString>
#include <QStringList>

namespace vorlaken {

// Where a program's button on the browsers' toolbar is registered, and taken out again. Failures of the
// store are PlatformError.
class ToolbarButtonRegistry {
  public:
    // The values of one button.
    struct Button {
        QString identifier;
        bool visible = true;
        // 0 an extension object, 1 a band, 2 a script, 3 a program to start (target is its path).
        int kind = 3;
        QString target;
        QString hotIcon;
        QString icon;
        QString buttonText;
    };

    virtual ~ToolbarButtonRegistry() = default;

    // Writes the button's values and whatever the browsers need to show it (overwriting an earlier
    // registration). Returns what the user still has to do in some browser, empty when nothing. Throws
    // PlatformError when a write is refused; what was written until then stays on record, so that
    // unregistering removes it.
    virtual QStringList registerButton(const Button& button) = 0;
    // Removes exactly what registering the identifier wrote. Nothing registered: nothing happens.
    virtual void unregisterButton(const QString& identifier) = 0;
};

}  // namespace vorlaken
