#include "shell/PictureDragger.h"

#include <QApplication>
#include <QChildEvent>
#include <QDrag>
#include <QImage>
#include <QMouseEvent>
#include <QPixmap>
#include <QScopeGuard>

namespace vorlaken {

namespace {

constexpr int kDragPictureSide = 96;

}  // namespace

PictureDragger::PictureDragger(QWidget* view, Find find, MakeData makeData)
    : QObject(view), view_(view), find_(std::move(find)), makeData_(std::move(makeData)) {
    watch(view);
    for (QWidget* child : view->findChildren<QWidget*>())
        watch(child);
}

void PictureDragger::watch(QObject* object) {
    // Installing again moves the filter to the front; it never runs twice.
    object->installEventFilter(this);
}

bool PictureDragger::pastDragDistance(const QPoint& point) const {
    return pressedAt_ && (point - *pressedAt_).manhattanLength() >= QApplication::startDragDistance();
}

bool PictureDragger::eventFilter(QObject* watched, QEvent* event) {
    // The view replaces the widget taking the mouse when its page's process starts anew.
    if (watched == view_ && event->type() == QEvent::ChildAdded) {
        if (QObject* child = static_cast<QChildEvent*>(event)->child(); child->isWidgetType())
            watch(child);
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !view_ || (widget != view_ && !view_->isAncestorOf(widget)))
        return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && !busy_) {
                pressedAt_ = widget->mapTo(view_, mouse->position().toPoint());
                held_ = true;
            }
            return false;
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (!(mouse->buttons() & Qt::LeftButton)) {
                pressedAt_.reset();
                return false;
            }
            if (busy_ || !pastDragDistance(widget->mapTo(view_, mouse->position().toPoint())))
                return false;
            return begin(widget);
        }
        case QEvent::MouseButtonRelease:
            if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
                pressedAt_.reset();
                held_ = false;
            }
            return false;
        default:
            return false;
    }
}

bool PictureDragger::begin(QWidget* source) {
    // One look per press: a press beside the pictures selects text as before.
    const QPoint at = *pressedAt_;
    pressedAt_.reset();
    busy_ = true;
    const auto idle = qScopeGuard([this] { busy_ = false; });
    const std::optional<PointedPicture> picture = find_(at);
    if (!picture)
        return false;
    // Fetching the picture lets events in; a button let go meanwhile ends the gesture without a drag.
    std::unique_ptr<QMimeData> data = makeData_(*picture);
    if (!data || !held_)
        return true;
    held_ = false;
    startDrag_(source, std::move(data));
    return true;
}

void PictureDragger::execDrag(QWidget* source, std::unique_ptr<QMimeData> data) {
    auto* drag = new QDrag(source);
    const QImage image = qvariant_cast<QImage>(data->imageData());
    if (!image.isNull())
        drag->setPixmap(QPixmap::fromImage(
            image.scaled(kDragPictureSide, kDragPictureSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    drag->setMimeData(data.release());
    drag->exec(Qt::CopyAction, Qt::CopyAction);
    drag->deleteLater();
}

}  // namespace vorlaken
