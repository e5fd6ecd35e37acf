#pragma once

#include <functional>

#include <QObject>
#include <QString>

#include "capture/PageModel.h"

class QWidget;

namespace vorlaken {

// Reaches the controls of a window by component name (objectName): runs their command as a click
// would, reads their value, sets it as a user would. Used by the settings binding and the automation,
// so any control a later command adds is reachable without new code here.
class ControlAccess {
  public:
    using ZoneLookup = std::function<Zone*(const QString& name)>;

    ControlAccess(QWidget* root, ZoneLookup zones);

    // The control or menu item of that name (the window itself by its own name); null when none. A
    // control of another window the window owns is named "Window.Control" (TfrmPrompt.CheckBox1).
    QObject* find(const QString& name) const;

    // Clicks a button, check box or command label, triggers a menu item. False when there is no such
    // control or it takes no clicks. A disabled control does nothing, as for a user.
    bool invoke(const QString& name) const;
    // Triggers the item of the menu of that name whose category name (its data) or caption is item, as
    // choosing it would. A control that is no menu but has an invokable invokeWithArgument(QString)
    // (a drop zone) is handed item instead. False when there is no such menu, item or control, or the
    // control does not take the argument.
    bool invokeItem(const QString& menuName, const QString& item) const;
    // The value as text; "name.enabled", "name.visible" and "name.focused" give "1"/"0". Web zones give
    // their body's inner HTML. False when there is no such control.
    bool value(const QString& name, QString* result) const;
    // Types, ticks or chooses as a user would, so change handlers run; "name.focused" gives a control
    // the keyboard focus ("1") or takes it away ("0"). False when there is no such control or the value
    // does not fit it.
    bool setValue(const QString& name, const QString& value) const;

    // Typed access for the settings: check boxes and check items, spin boxes and list indexes, texts.
    // The setters block the control's signals, so no change handler runs.
    static bool boolOf(const QObject* control);
    static void setBoolQuietly(QObject* control, bool value);
    static int intOf(const QObject* control);
    static void setIntQuietly(QObject* control, int value);
    static QString textOf(const QObject* control);
    static void setTextQuietly(QObject* control, const QString& value);

  private:
    QWidget* root_;
    ZoneLookup zones_;
};

}  // namespace vorlaken
