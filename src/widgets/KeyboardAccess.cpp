#include "widgets/KeyboardAccess.h"

#include <QAbstractButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QWidget>

#include "widgets/AccessibleNames.h"
#include "widgets/LayoutOrder.h"

namespace vorlaken {

namespace {

// A button on a page that is not shown still works by its key; one the program hid or disabled (a
// pair of another mode, the button bar during a run) does not, as it would not for a click.
bool usable(const QAbstractButton* button) {
    for (const QWidget* w = button; w && !w->isWindow(); w = w->parentWidget())
        if (w->isHidden() && !qobject_cast<const QStackedWidget*>(w->parentWidget()))
            return false;
    return button->isEnabled();
}

void pressOnKey(QWidget* window, QAbstractButton* button, const QKeySequence& key) {
    if (!button)
        return;
    auto* shortcut = new QShortcut(key, window);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
        if (usable(button))
            button->click();
    });
}

}  // namespace

void KeyboardAccess::addShortcuts(QWidget* window, const Commands& commands) {
    pressOnKey(window, commands.help, QKeySequence(Qt::Key_F1));
    pressOnKey(window, commands.refresh, QKeySequence(Qt::Key_F5));
    pressOnKey(window, commands.save, QKeySequence(Qt::CTRL | Qt::Key_S));
    auto* close = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), window);
    QObject::connect(close, &QShortcut::activated, window, &QWidget::close);
}

void KeyboardAccess::prepare(QWidget* window) {
    AccessibleNames::apply(window);
    LayoutOrder::applyAsTabOrder(window);
}

}  // namespace vorlaken
