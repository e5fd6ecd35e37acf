#include "widgets/AccessibleNames.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QWidget>

#include "widgets/LayoutOrder.h"

namespace vorlaken {

namespace {

QString caption(const QWidget* widget) {
    QString text;
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        text = button->text();
    else if (const auto* label = qobject_cast<const QLabel*>(widget))
        text = label->text();
    text.remove(QLatin1Char('&'));
    while (text.endsWith(QLatin1Char(':')))
        text.chop(1);
    return text.trimmed();
}

bool opensMenu(const QWidget* widget) {
    if (const auto* button = qobject_cast<const QPushButton*>(widget))
        return button->menu() != nullptr;
    if (const auto* button = qobject_cast<const QToolButton*>(widget))
        return button->menu() != nullptr || button->popupMode() != QToolButton::DelayedPopup;
    return false;
}

bool isControl(const QWidget* widget) {
    // Web views read out their pages; what belongs to them is theirs.
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w->inherits("QWebEngineView"))
            return false;
    return (widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->focusProxy();
}

}  // namespace

QString AccessibleNames::of(QWidget* widget) {
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    return accessible ? accessible->text(QAccessible::Name) : QString();
}

void AccessibleNames::apply(QWidget* root) {
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!isControl(widget) || !of(widget).isEmpty())
            continue;
        QWidget* before = LayoutOrder::before(widget);
        auto* label = qobject_cast<QLabel*>(before);
        if (label && !label->buddy() && !qobject_cast<QAbstractButton*>(widget) &&
            !caption(label).isEmpty()) {
            label->setBuddy(widget);
            if (!of(widget).isEmpty())
                continue;
        }
        if (!widget->toolTip().isEmpty())
            widget->setAccessibleName(widget->toolTip());
        else if (qobject_cast<QAbstractButton*>(before) && !qobject_cast<QAbstractButton*>(widget) &&
                 !opensMenu(before) && !caption(before).isEmpty())
            // A box that sets the value a check box before it switches on ("time to navigate back").
            widget->setAccessibleName(caption(before));
        else if (opensMenu(widget) && before && !caption(before).isEmpty())
            widget->setAccessibleName(caption(before) + QStringLiteral(" menu"));
    }
}

}  // namespace vorlaken
