#include "shell/PreviewPictureMenu.h"

#include <QMenu>

namespace vorlaken {

PreviewPictureMenu::PreviewPictureMenu(QWebEngineView* view, PictureDragger::Find find, Copy copy)
    : QObject(view), view_(view), find_(std::move(find)), copy_(std::move(copy)) {
    // The view still asks the page what was clicked; only the menu is ours.
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    // Queued: the request comes from within the page's engine, where a script call cannot be answered.
    connect(view, &QWidget::customContextMenuRequested, this, &PreviewPictureMenu::show,
            Qt::QueuedConnection);
}

void PreviewPictureMenu::show(const QPoint& point) {
    if (!view_)
        return;
    if (shown_)
        shown_->close();
    QMenu* menu = view_->createStandardContextMenu();
    menu->setObjectName(QStringLiteral("previewPopupMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (const std::optional<PointedPicture> picture = find_(point)) {
        QAction* first = menu->actions().value(0);
        auto* copy = new QAction(QStringLiteral("Copy Picture"), menu);
        copy->setObjectName(QStringLiteral("nCopyPictureHere"));
        // Queued: the picture may have to be fetched, which the menu's own event handling should not wait on.
        connect(
            copy, &QAction::triggered, this, [this, found = *picture] { copy_(found); },
            Qt::QueuedConnection);
        menu->insertAction(first, copy);
        if (first)
            menu->insertSeparator(first);
    }
    shown_ = menu;
    menu->popup(view_->mapToGlobal(point));
}

}  // namespace vorlaken
