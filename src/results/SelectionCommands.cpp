#include "results/SelectionCommands.h"

#include "results/PreviewReadBack.h"

namespace vorlaken {

SelectionCommands::SelectionCommands(Browser& previewZone, Desktop& desktop,
                                     std::function<void()> renderPreview)
    : previewZone_(previewZone), desktop_(desktop), renderPreview_(std::move(renderPreview)) {}

void SelectionCommands::setAll(bool checked) {
    const std::optional<PreviewReadBack> page = PreviewReadBack::readForCommand(previewZone_, desktop_);
    if (!page || page->count == 0) {
        return;
    }
    try {
        page->formElements->setChecked(page->checkboxIndexes(), checked);
    } catch (const PageError&) {
    }
}

void SelectionCommands::InvertSelection() {
    const std::optional<PreviewReadBack> page = PreviewReadBack::readForCommand(previewZone_, desktop_);
    if (!page || page->count == 0) {
        return;
    }
    const std::vector<int> boxes = page->checkboxIndexes();
    std::vector<int> toTick;
    std::vector<int> toUntick;
    for (int i = 0; i < page->count; ++i) {
        (page->checked[std::size_t(i)] ? toUntick : toTick).push_back(boxes[std::size_t(i)]);
    }
    try {
        page->formElements->setChecked(toUntick, false);
        page->formElements->setChecked(toTick, true);
    } catch (const PageError&) {
    }
}

void SelectionCommands::ReduceToSelection(CaptureState& state, Reduce mode) {
    const std::optional<PreviewReadBack> read = PreviewReadBack::readForCommand(previewZone_, desktop_);
    if (!read || read->count == 0) {
        return;
    }
    const PreviewReadBack& page = *read;

    std::vector<int> rows;
    if (mode == Reduce::KeepChecked) {
        rows = page.checkedRows();
    } else {
        // Only the topmost tick counts, also for "Checked After".
        const std::vector<int> ticked = page.checkedRows();
        if (ticked.empty()) {
            return;
        }
        const int first = ticked.front();
        const int from = mode == Reduce::CheckedBefore ? 0 : first;
        const int to = mode == Reduce::CheckedBefore ? first : page.count - 1;
        for (int i = from; i <= to; ++i) {
            rows.push_back(i);
        }
    }
    if (rows.empty()) {
        return;
    }

    CaptureTable kept;
    for (int i : rows) {
        kept.append(page.picUrl[i], page.sizeText[i], page.linkUrl[i], page.pageUrl[i]);
    }
    state.table = kept;
    state.countLabel = QString::number(state.table.size());
    if (renderPreview_) {
        try {
            renderPreview_();
        } catch (const PageError&) {
        }
    }
}

}  // namespace vorlaken
