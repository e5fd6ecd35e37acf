#pragma once

#include <QString>

namespace vorlaken {

// The context menu of the URL memos (PopupMenu1) as it opens on the focused memo.
struct MemoMenuState {
    bool copyEnabled = false;  // text is selected
    bool cutEnabled = false;   // as "Copy"
    QString countCaption = QStringLiteral("Count:0");

    static MemoMenuState forMemo(const QString& text, bool hasSelection);
};

}  // namespace vorlaken
