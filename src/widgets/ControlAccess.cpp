#include "widgets/ControlAccess.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

#include "common/IniFile.h"
#include "widgets/ClickableLabel.h"

namespace vorlaken {

namespace {

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

bool parseFlag(const QString& text, bool* on) {
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("1") || t == QLatin1String("true") || t == QLatin1String("yes")) {
        *on = true;
        return true;
    }
    if (t == QLatin1String("0") || t == QLatin1String("false") || t == QLatin1String("no")) {
        *on = false;
        return true;
    }
    return false;
}

}  // namespace

ControlAccess::ControlAccess(QWidget* root, ZoneLookup zones) : root_(root), zones_(std::move(zones)) {}

QObject* ControlAccess::find(const QString& name) const {
    if (name.isEmpty())
        return nullptr;
    if (root_->objectName() == name)
        return root_;
    if (QObject* control = root_->findChild<QObject*>(name))
        return control;
    // "Window.Control": a control of one of the window's own windows, whose name may be taken in the
    // main window too (the save progress window's "stop saving" is CheckBox1, as is "origin size").
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot <= 0)
        return nullptr;
    const QString owner = name.left(dot);
    QObject* window = root_->objectName() == owner ? root_ : root_->findChild<QObject*>(owner);
    if (!qobject_cast<QWidget*>(window) || !qobject_cast<QWidget*>(window)->isWindow())
        return nullptr;
    return window->findChild<QObject*>(name.mid(dot + 1));
}

bool ControlAccess::invoke(const QString& name) const {
    QObject* control = find(name);
    if (auto* action = qobject_cast<QAction*>(control)) {
        if (action->isSeparator())
            return false;
        action->trigger();
        return true;
    }
    if (auto* label = qobject_cast<ClickableLabel*>(control)) {
        label->click();
        return true;
    }
    if (auto* push = qobject_cast<QPushButton*>(control)) {
        // A menu button only opens its menu; its items are invoked by their own names.
        if (push->menu())
            return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        button->click();
        return true;
    }
    return false;
}

bool ControlAccess::invokeItem(const QString& menuName, const QString& item) const {
    QObject* control = find(menuName);
    auto* menu = qobject_cast<QMenu*>(control);
    if (!menu) {
        // A control that takes what a user hands it (a drop zone) says so with invokeWithArgument.
        bool taken = false;
        return control && control->metaObject()->indexOfMethod("invokeWithArgument(QString)") >= 0 &&
               QMetaObject::invokeMethod(control, "invokeWithArgument", Q_RETURN_ARG(bool, taken),
                                         Q_ARG(QString, item)) &&
               taken;
    }
    for (QAction* action : menu->actions()) {
        if (action->isSeparator() || !action->isEnabled())
            continue;
        if (action->data().toString() == item || action->text() == item) {
            menu->hide();
            action->trigger();
            return true;
        }
    }
    return false;
}

bool ControlAccess::value(const QString& name, QString* result) const {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        const QString property = name.mid(dot + 1);
        QObject* control = find(name.left(dot));
        auto* widget = qobject_cast<QWidget*>(control);
        auto* action = qobject_cast<QAction*>(control);
        if (widget || action) {
            if (property == QLatin1String("enabled")) {
                *result = flag(widget ? widget->isEnabled() : action->isEnabled());
                return true;
            }
            if (property == QLatin1String("visible")) {
                *result = flag(widget ? !widget->isHidden() : action->isVisible());
                return true;
            }
            if (property == QLatin1String("minimized") && widget) {
                *result = flag(widget->isMinimized());
                return true;
            }
            if (property == QLatin1String("focused") && widget) {
                *result = flag(widget->hasFocus());
                return true;
            }
            if (property == QLatin1String("hint")) {
                *result = widget ? widget->toolTip() : action->toolTip();
                return true;
            }
            if (property == QLatin1String("caption")) {
                if (auto* button = qobject_cast<QAbstractButton*>(widget))
                    *result = button->text();
                else if (action)
                    *result = action->text();
                else
                    *result = widget->windowTitle();
                return true;
            }
        }
    }
    if (Zone* zone = zones_ ? zones_(name) : nullptr) {
        try {
            *result = zone->document()->body()->innerHtml();
        } catch (const PageError&) {
            result->clear();
        }
        return true;
    }
    QObject* control = find(name);
    if (!control)
        return false;
    if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
        *result = QString::number(tabs->currentIndex());
        return true;
    }
    if (qobject_cast<QWidget*>(control) == root_) {
        *result = root_->windowTitle();
        return true;
    }
    *result = textOf(control);
    return true;
}

bool ControlAccess::setValue(const QString& name, const QString& value) const {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && name.mid(dot + 1) == QLatin1String("focused")) {
        auto* widget = qobject_cast<QWidget*>(find(name.left(dot)));
        bool on = false;
        if (!widget || !parseFlag(value, &on))
            return false;
        if (on) {
            // The keyboard focus is the active window's: the window comes to the front with it.
            widget->window()->activateWindow();
            widget->setFocus(Qt::OtherFocusReason);
        } else {
            widget->clearFocus();
        }
        return true;
    }
    if (dot > 0 && name.mid(dot + 1) == QLatin1String("minimized")) {
        auto* widget = qobject_cast<QWidget*>(find(name.left(dot)));
        bool on = false;
        if (!widget || !parseFlag(value, &on))
            return false;
        if (on)
            widget->showMinimized();
        else
            widget->showNormal();
        return true;
    }
    QObject* control = find(name);
    if (!control)
        return false;
    if (auto* action = qobject_cast<QAction*>(control)) {
        bool on = false;
        if (!action->isCheckable() || !parseFlag(value, &on))
            return false;
        if (action->isChecked() != on)
            action->trigger();
        return true;
    }
    if (auto* button = qobject_cast<QAbstractButton*>(control)) {
        bool on = false;
        if (!button->isCheckable() || !parseFlag(value, &on))
            return false;
        if (button->isChecked() != on)
            button->click();
        return true;
    }
    if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        int number = 0;
        if (!IniFile::parseInteger(value, &number))
            return false;
        spin->setValue(number);
        return true;
    }
    if (auto* combo = qobject_cast<QComboBox*>(control)) {
        if (combo->isEditable()) {
            combo->setEditText(value);
            return true;
        }
        int index = 0;
        if (!IniFile::parseInteger(value, &index))
            return false;
        combo->setCurrentIndex(index < combo->count() ? index : -1);
        emit combo->activated(combo->currentIndex());
        return true;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        edit->setText(value);
        emit edit->textEdited(value);
        return true;
    }
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control)) {
        memo->setPlainText(value);
        return true;
    }
    if (auto* rich = qobject_cast<QTextEdit*>(control)) {
        rich->setPlainText(value);
        return true;
    }
    if (auto* tabs = qobject_cast<QTabWidget*>(control)) {
        int index = 0;
        if (!IniFile::parseInteger(value, &index))
            return false;
        tabs->setCurrentIndex(index);
        return true;
    }
    return false;
}

bool ControlAccess::boolOf(const QObject* control) {
    if (auto* action = qobject_cast<const QAction*>(control))
        return action->isChecked();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->isChecked();
    return false;
}

void ControlAccess::setBoolQuietly(QObject* control, bool value) {
    QSignalBlocker quiet(control);
    if (auto* action = qobject_cast<QAction*>(control))
        action->setChecked(value);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setChecked(value);
}

int ControlAccess::intOf(const QObject* control) {
    if (auto* spin = qobject_cast<const QSpinBox*>(control))
        return spin->value();
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentIndex();
    return 0;
}

void ControlAccess::setIntQuietly(QObject* control, int value) {
    QSignalBlocker quiet(control);
    if (auto* spin = qobject_cast<QSpinBox*>(control))
        spin->setValue(value);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
}

QString ControlAccess::textOf(const QObject* control) {
    if (auto* action = qobject_cast<const QAction*>(control))
        return action->isCheckable() ? flag(action->isChecked()) : action->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->isCheckable() ? flag(button->isChecked()) : button->text();
    if (auto* spin = qobject_cast<const QSpinBox*>(control))
        return QString::number(spin->value());
    if (auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->isEditable() ? combo->currentText() : QString::number(combo->currentIndex());
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (auto* memo = qobject_cast<const QPlainTextEdit*>(control))
        return memo->toPlainText();
    if (auto* rich = qobject_cast<const QTextEdit*>(control))
        return rich->toPlainText();
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    return QString();
}

void ControlAccess::setTextQuietly(QObject* control, const QString& value) {
    QSignalBlocker quiet(control);
    if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(value);
    else if (auto* combo = qobject_cast<QComboBox*>(control))
        combo->setEditText(value);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(value);
}

}  // namespace vorlaken
