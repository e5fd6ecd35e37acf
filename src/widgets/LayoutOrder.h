#pragma once

#include <QList>

class QLayout;
class QWidget;

namespace vorlaken {

// The reading order of a window as its layouts place the widgets: grids row by row, boxes in their
// order, nested layouts where they stand, and widgets outside any layout in the order they were made.
// Controls that a window inserts later, or that other code adds to its layouts, take their place.
class LayoutOrder {
  public:
    // The controls below root that Tab reaches, in reading order.
    static QList<QWidget*> tabStops(QWidget* root);
    // Makes Tab go through root's controls in reading order.
    static void applyAsTabOrder(QWidget* root);
    // What stands just before widget in its layout: the item before it in a box, the nearest item to
    // its left in the same grid row. Null when nothing does, or when that is no single widget.
    static QWidget* before(const QWidget* widget);

  private:
    static void visit(QWidget* widget, QList<QWidget*>& stops, QList<QWidget*>& seen);
    static void visitContents(QWidget* widget, QList<QWidget*>& stops, QList<QWidget*>& seen);
    static void visitLayout(QLayout* layout, QList<QWidget*>& stops, QList<QWidget*>& seen);
};

}  // namespace vorlaken
