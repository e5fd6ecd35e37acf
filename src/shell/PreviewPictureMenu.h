#pragma once

#include <functional>

#include <QObject>
#include <QPointer>
#include <QWebEngineView>

#include "shell/PictureDragger.h"
#include "shell/PictureUnderPoint.h"

class QMenu;

namespace vorlaken {

// The preview's context menu: the zone's own items and, over one of the preview's pictures, "Copy
// Picture" for that picture.
class PreviewPictureMenu : public QObject {
    Q_OBJECT
  public:
    using Copy = std::function<void(const PointedPicture& picture)>;

    PreviewPictureMenu(QWebEngineView* view, PictureDragger::Find find, Copy copy);

    // The menu shown now (previewPopupMenu), if any.
    QMenu* shown() const { return shown_; }

  private:
    void show(const QPoint& point);

    QPointer<QWebEngineView> view_;
    PictureDragger::Find find_;
    Copy copy_;
    QPointer<QMenu> shown_;
};

}  // namespace vorlaken
