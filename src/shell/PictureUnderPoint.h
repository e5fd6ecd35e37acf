#pragma once

#include <optional>

#include <QPoint>
#include <QString>

namespace vorlaken {

class WebZone;

// A picture of the preview page: its address as the page resolved it, and the page it was found on.
struct PointedPicture {
    QString pictureUrl;
    QString pageUrl;
};

// Finds the preview's picture at a point of its zone's view, with one bounded script call. Only the
// preview page written into the template counts: another document shown in the zone (the origin
// page, a web page) has no pictures of ours, whatever its markup.
class PictureUnderPoint {
  public:
    // templatePath: the local file the preview page is written into.
    PictureUnderPoint(WebZone& zone, const QString& templatePath);

    // point: in the coordinates of the zone's view (and of the widget inside it that takes the mouse).
    // Nothing when no picture of the preview page is there, or the zone does not answer.
    std::optional<PointedPicture> at(const QPoint& point) const;

  private:
    bool showsPreviewPage() const;

    WebZone& zone_;
    QString templatePath_;
};

}  // namespace vorlaken
