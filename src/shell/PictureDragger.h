#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QMimeData>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QWidget>

#include "shell/PictureUnderPoint.h"

namespace vorlaken {

// Drags a picture out of the preview: a left press on one of the preview's pictures, moved past the
// platform's drag distance, starts a copy drag of the picture's file, bytes and image. The web page
// itself drags none of them (its template forbids it), so this is the only drag a picture starts.
// The widget inside the zone's view takes the mouse; it is watched wherever the view puts one.
class PictureDragger : public QObject {
    Q_OBJECT
  public:
    using Find = std::function<std::optional<PointedPicture>(const QPoint& viewPoint)>;
    using MakeData = std::function<std::unique_ptr<QMimeData>(const PointedPicture& picture)>;
    // Runs the drag; the platform's drag loop unless a test takes the data instead.
    using StartDrag = std::function<void(QWidget* source, std::unique_ptr<QMimeData> data)>;

    PictureDragger(QWidget* view, Find find, MakeData makeData);

    void setStartDrag(StartDrag start) { startDrag_ = std::move(start); }
    // The platform's drag: a copy, with a small picture under the pointer.
    static void execDrag(QWidget* source, std::unique_ptr<QMimeData> data);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void watch(QObject* object);
    bool pastDragDistance(const QPoint& point) const;
    // Whether the move that got here is the drag's.
    bool begin(QWidget* source);

    QPointer<QWidget> view_;
    Find find_;
    MakeData makeData_;
    StartDrag startDrag_ = &PictureDragger::execDrag;
    std::optional<QPoint> pressedAt_;  // in the view's coordinates, until the gesture is decided
    bool held_ = false;                // the left button is down
    bool busy_ = false;                // a drag is being prepared
};

}  // namespace vorlaken
