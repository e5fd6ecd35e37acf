#pragma once

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>

namespace vorlaken {

class Desktop;

// The context menu of the URL memos (PopupMenu1): its commands act on whichever of the memos has the
// keyboard focus, in the order they were attached, and do nothing when none has it. Each memo takes
// the menu's shortcuts while it has the focus.
class MemoMenu : public QObject {
    Q_OBJECT
  public:
    MemoMenu(Desktop& desktop, QWidget* parent);

    // urlMemo now; the memos of the other mode pages join in their order.
    void attach(QPlainTextEdit* memo);
    QMenu* menu() const { return menu_; }

    QAction* copyItem = nullptr;       // memoCopy "Copy", Ctrl+C
    QAction* pasteItem = nullptr;      // memoPaste "Paste", Ctrl+P
    QAction* cutItem = nullptr;        // memoCut "Cut", Ctrl+X
    QAction* clearItem = nullptr;      // memoClear "Clear"
    QAction* selectAllItem = nullptr;  // memoSelectAll "Select all", Ctrl+A
    QAction* undoItem = nullptr;       // memoUndo "Undo", Ctrl+U
    QAction* countItem = nullptr;      // memoCount "Count:0", always disabled

  private:
    QAction* item(const char* name, const QString& caption, const QKeySequence& shortcut);
    QPlainTextEdit* focusedMemo() const;
    // The items as the menu opens on the focused memo.
    void update();
    void copy(bool cut);

    Desktop& desktop_;
    QMenu* menu_;
    QList<QPointer<QPlainTextEdit>> memos_;
};

}  // namespace vorlaken
