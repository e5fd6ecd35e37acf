#include "shell/MemoMenu.h"

#include <QApplication>
#include <QTextCursor>

#include "common/Desktop.h"
#include "modes/MemoMenuState.h"

namespace vorlaken {

MemoMenu::MemoMenu(Desktop& desktop, QWidget* parent)
    : QObject(parent), desktop_(desktop), menu_(new QMenu(parent)) {
    menu_->setObjectName(QStringLiteral("PopupMenu1"));
    copyItem = item("memoCopy", QStringLiteral("Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    pasteItem = item("memoPaste", QStringLiteral("Paste"), QKeySequence(Qt::CTRL | Qt::Key_P));
    cutItem = item("memoCut", QStringLiteral("Cut"), QKeySequence(Qt::CTRL | Qt::Key_X));
    clearItem = item("memoClear", QStringLiteral("Clear"), QKeySequence());
    selectAllItem = item("memoSelectAll", QStringLiteral("Select all"), QKeySequence(Qt::CTRL | Qt::Key_A));
    undoItem = item("memoUndo", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_U));
    countItem = item("memoCount", QStringLiteral("Count:0"), QKeySequence());
    countItem->setEnabled(false);

    connect(copyItem, &QAction::triggered, this, [this] { copy(false); });
    connect(cutItem, &QAction::triggered, this, [this] { copy(true); });
    connect(pasteItem, &QAction::triggered, this, [this] {
        if (QPlainTextEdit* memo = focusedMemo())
            memo->paste();
    });
    connect(clearItem, &QAction::triggered, this, [this] {
        if (QPlainTextEdit* memo = focusedMemo())
            memo->clear();
    });
    connect(selectAllItem, &QAction::triggered, this, [this] {
        if (QPlainTextEdit* memo = focusedMemo())
            memo->selectAll();
    });
    connect(undoItem, &QAction::triggered, this, [this] {
        if (QPlainTextEdit* memo = focusedMemo())
            memo->undo();
    });
    connect(menu_, &QMenu::aboutToShow, this, &MemoMenu::update);
    // Scripts use the items without opening the menu: they follow the focus and the selection too.
    connect(qApp, &QApplication::focusChanged, this, &MemoMenu::update);
}

QAction* MemoMenu::item(const char* name, const QString& caption, const QKeySequence& shortcut) {
    QAction* action = menu_->addAction(caption);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    // The shortcuts belong to the memo with the focus, not to the whole window.
    action->setShortcutContext(Qt::WidgetShortcut);
    return action;
}

void MemoMenu::attach(QPlainTextEdit* memo) {
    memos_.append(memo);
    memo->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(memo, &QWidget::customContextMenuRequested, this, [this, memo](const QPoint& at) {
        memo->setFocus(Qt::PopupFocusReason);
        menu_->popup(memo->mapToGlobal(at));
    });
    connect(memo, &QPlainTextEdit::selectionChanged, this, &MemoMenu::update);
    connect(memo, &QPlainTextEdit::textChanged, this, &MemoMenu::update);
    for (QAction* action : menu_->actions()) {
        if (!action->shortcut().isEmpty())
            memo->addAction(action);
    }
}

QPlainTextEdit* MemoMenu::focusedMemo() const {
    for (const QPointer<QPlainTextEdit>& memo : memos_) {
        if (memo && memo->hasFocus())
            return memo;
    }
    return nullptr;
}

void MemoMenu::update() {
    QPlainTextEdit* memo = focusedMemo();
    if (!memo)
        return;
    const MemoMenuState state =
        MemoMenuState::forMemo(memo->toPlainText(), memo->textCursor().hasSelection());
    copyItem->setEnabled(state.copyEnabled);
    cutItem->setEnabled(state.cutEnabled);
    countItem->setText(state.countCaption);
}

void MemoMenu::copy(bool cut) {
    QPlainTextEdit* memo = focusedMemo();
    if (!memo)
        return;
    QTextCursor cursor = memo->textCursor();
    if (!cursor.hasSelection())
        return;
    // The editor marks line ends in a selection with the paragraph separator.
    desktop_.setClipboardText(cursor.selectedText().replace(QChar::ParagraphSeparator, u'\n'));
    if (cut) {
        cursor.removeSelectedText();
        memo->setTextCursor(cursor);
    }
}

}  // namespace vorlaken
