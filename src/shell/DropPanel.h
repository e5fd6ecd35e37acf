#pragma once

#include <QByteArray>
#include <QLabel>
#include <QMap>

namespace vorlaken {

// A drop zone (dropPanel): hands on what is dropped on it, every format the drag offers by MIME type,
// as the drop handler reads it. Scripts drop through invokeWithArgument.
class DropPanel : public QLabel {
    Q_OBJECT
  public:
    explicit DropPanel(const QString& caption, QWidget* parent = nullptr);

    // A drop as a script gives it: a JSON object of MIME type to the dragged text. False, and nothing
    // dropped, when the argument is no such object.
    Q_INVOKABLE bool invokeWithArgument(const QString& argument);
    // The caption wraps within a zone of fixed height, which does not follow its width.
    bool hasHeightForWidth() const override { return false; }

  signals:
    void dropped(const QMap<QString, QByteArray>& formats);

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

}  // namespace vorlaken
