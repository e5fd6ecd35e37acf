#include "widgets/ClickableLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace vorlaken {

namespace {

// What assistive technology sees of the label: a link named by its caption, with a press action.
class AccessibleClickableLabel : public QAccessibleWidget {
  public:
    explicit AccessibleClickableLabel(ClickableLabel* label) : QAccessibleWidget(label, QAccessible::Link) {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (text.isEmpty() && kind == QAccessible::Name)
            text = static_cast<const ClickableLabel*>(widget())->text();
        return text;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<ClickableLabel*>(widget())->click();
        else
            QAccessibleWidget::doAction(action);
    }
};

QAccessibleInterface* accessibleLabel(const QString& className, QObject* object) {
    if (className == QLatin1String(ClickableLabel::staticMetaObject.className()) && object->isWidgetType())
        return new AccessibleClickableLabel(static_cast<ClickableLabel*>(object));
    return nullptr;
}

}  // namespace

ClickableLabel::ClickableLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleLabel);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont f = font();
    f.setUnderline(true);
    setFont(f);
}

void ClickableLabel::click() {
    if (isEnabled())
        emit clicked();
}

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
    QLabel::mouseReleaseEvent(event);
}

void ClickableLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
                click();
                return;
            }
            break;
        default:
            break;
    }
    QLabel::keyPressEvent(event);
}

void ClickableLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    // A label draws no focus of its own; without this one could not see where the keys go.
    if (!hasFocus())
        return;
    QStylePainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace vorlaken
