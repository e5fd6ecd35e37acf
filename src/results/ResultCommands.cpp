#include "results/ResultCommands.h"

#include <algorithm>

#include <QCollator>
#include <QHash>

#include "capture/PageBody.h"

namespace vorlaken {

void ResultCommands::copyLines(const QStringList& lines, Desktop& desktop) {
    if (lines.isEmpty()) {
        return;
    }
    desktop.setClipboardText(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void ResultCommands::CopyPictureUrls(const CaptureTable& table, Desktop& desktop) {
    copyLines(table.picUrl, desktop);
}

void ResultCommands::CopyLinkUrls(const CaptureTable& table, Desktop& desktop) {
    QStringList lines;
    for (const QString& link : table.linkUrl) {
        if (link != kPlaceholderLinkUrl) {
            lines << link;
        }
    }
    copyLines(lines, desktop);
}

void ResultCommands::CopyUbbCode(const CaptureTable& table, Desktop& desktop) {
    QStringList lines;
    for (const QString& url : table.picUrl) {
        lines << QStringLiteral("[img]") + url + QStringLiteral("[/img]");
    }
    copyLines(lines, desktop);
}

void ResultCommands::SortByUrl(CaptureState& state, bool ascending,
                               const std::function<void()>& renderPreview) {
    const CaptureTable& table = state.table;
    QStringList sorted = table.picUrl;
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    if (!ascending) {
        std::reverse(sorted.begin(), sorted.end());
    }

    QHash<QString, int> rowOf;
    for (int i = table.size() - 1; i >= 0; --i) {
        rowOf.insert(table.picUrl[i].toCaseFolded(), i);  // the first equal row wins
    }
    CaptureTable reordered;
    for (const QString& url : std::as_const(sorted)) {
        const int row = rowOf.value(url.toCaseFolded());
        reordered.append(url, table.sizeText[row], table.linkUrl[row], table.pageUrl[row]);
    }
    state.table = reordered;
    if (renderPreview) {
        try {
            renderPreview();
        } catch (const PageError&) {
        }
    }
}

void ResultCommands::ClearResult(CaptureState& state, Browser& previewZone, bool disableSave) {
    state.table.clear();
    if (disableSave) {
        state.saveEnabled = false;
    }
    try {
        PageBody(previewZone)->setInnerHtml(QStringLiteral("<html></html>"));
    } catch (const PageError&) {
    }
}

}  // namespace vorlaken
