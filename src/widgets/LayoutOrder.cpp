#include "widgets/LayoutOrder.h"

#include <algorithm>

#include <QGridLayout>
#include <QLayout>
#include <QWidget>

namespace vorlaken {

namespace {

bool isTabStop(const QWidget* widget) {
    return (widget->focusPolicy() & Qt::TabFocus) != 0 && !widget->focusProxy();
}

// The layout below layout that holds widget directly, and the index of its item there.
QLayout* holder(QLayout* layout, const QWidget* widget, int* index) {
    if (!layout)
        return nullptr;
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget() == widget) {
            *index = i;
            return layout;
        }
        if (QLayout* found = holder(item->layout(), widget, index))
            return found;
    }
    return nullptr;
}

}  // namespace

void LayoutOrder::visitLayout(QLayout* layout, QList<QWidget*>& stops, QList<QWidget*>& seen) {
    QList<int> order;
    for (int i = 0; i < layout->count(); ++i)
        order << i;
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        const auto cell = [grid](int index) {
            int row = 0, column = 0, rows = 0, columns = 0;
            grid->getItemPosition(index, &row, &column, &rows, &columns);
            return std::pair(row, column);
        };
        std::stable_sort(order.begin(), order.end(), [&cell](int a, int b) { return cell(a) < cell(b); });
    }
    for (int i : order) {
        QLayoutItem* item = layout->itemAt(i);
        if (item->widget())
            visit(item->widget(), stops, seen);
        else if (item->layout())
            visitLayout(item->layout(), stops, seen);
    }
}

void LayoutOrder::visit(QWidget* widget, QList<QWidget*>& stops, QList<QWidget*>& seen) {
    if (seen.contains(widget))
        return;
    seen << widget;
    if (isTabStop(widget)) {
        stops << widget;
        return;  // a control's own parts (a spin box's editor) are its business
    }
    visitContents(widget, stops, seen);
}

void LayoutOrder::visitContents(QWidget* widget, QList<QWidget*>& stops, QList<QWidget*>& seen) {
    if (widget->layout())
        visitLayout(widget->layout(), stops, seen);
    for (QObject* child : widget->children()) {
        auto* inner = qobject_cast<QWidget*>(child);
        if (inner && !inner->isWindow())
            visit(inner, stops, seen);
    }
}

QList<QWidget*> LayoutOrder::tabStops(QWidget* root) {
    QList<QWidget*> stops;
    QList<QWidget*> seen{root};
    visitContents(root, stops, seen);
    return stops;
}

void LayoutOrder::applyAsTabOrder(QWidget* root) {
    const QList<QWidget*> stops = tabStops(root);
    for (qsizetype i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1], stops[i]);
}

QWidget* LayoutOrder::before(const QWidget* widget) {
    QWidget* parent = widget->parentWidget();
    int index = -1;
    QLayout* layout = parent ? holder(parent->layout(), widget, &index) : nullptr;
    if (!layout)
        return nullptr;
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(index, &row, &column, &rows, &columns);
        QWidget* nearest = nullptr;
        int nearestColumn = -1;
        for (int i = 0; i < grid->count(); ++i) {
            int r = 0, c = 0, rs = 0, cs = 0;
            grid->getItemPosition(i, &r, &c, &rs, &cs);
            if (r == row && c < column && c > nearestColumn) {
                nearestColumn = c;
                nearest = grid->itemAt(i)->widget();
            }
        }
        return nearest;
    }
    return index > 0 ? layout->itemAt(index - 1)->widget() : nullptr;
}

}  // namespace vorlaken
