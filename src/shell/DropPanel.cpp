#include "shell/DropPanel.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

#include "modes/DroppedData.h"

namespace vorlaken {

DropPanel::DropPanel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setAcceptDrops(true);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
}

bool DropPanel::invokeWithArgument(const QString& argument) {
    QMap<QString, QByteArray> formats;
    if (!DroppedData::formatsFromJson(argument, &formats))
        return false;
    emit dropped(formats);
    return true;
}

void DropPanel::dragEnterEvent(QDragEnterEvent* event) {
    if (!event->mimeData()->formats().isEmpty())
        event->acceptProposedAction();
}

void DropPanel::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void DropPanel::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    QMap<QString, QByteArray> formats;
    for (const QString& format : data->formats())
        formats.insert(format, data->data(format));
    event->acceptProposedAction();
    emit dropped(formats);
}

}  // namespace vorlaken
