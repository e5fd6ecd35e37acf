#include "ShownCommands.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "cacheviewer/SaveName.h"
#include "cacheviewer/ShownPage.h"

namespace vorlaken {

void ShownCommands::ShowAll() {
    state_.shownFiles.clear();
    state_.shownUrls.clear();
    QList<int> numbers;
    for (qsizetype i = 0; i < state_.listChecked.size() && i < state_.foundFiles.size(); ++i) {
        if (state_.listChecked.at(i)) {
            if (cache_ != nullptr) {
                // A body that does not check out leaves no file: its picture fails and is unticked.
                cache_->Materialize(state_.foundFiles.at(i));
            }
            state_.shownFiles << state_.foundFiles.at(i);
            state_.shownUrls << state_.foundUrls.at(i);
            numbers << int(i + 1);
        }
    }
    try {
        shownZone_.loadHtml(ShownPage::text(ShownPage::showAllLines(state_.shownFiles, numbers)));
    } catch (const PageError&) {
        // The view keeps its page.
    }
    state_.currentTab = ViewerState::ShowAllTab;
    // Each box that really changes runs its click handler, as a click by the user would.
    if (state_.thumbnail) {
        state_.thumbnail = false;
        ThumbnailClicked();
    }
    if (!state_.originSize) {
        state_.originSize = true;
        OriginSizeClicked();
    }
    state_.pictureInformation = ShownPage::pictureInformation(state_.shownUrls, state_.shownFiles);
}

void ShownCommands::RenderShown() {
    const int width = state_.tabControlWidth - desktop_.scrollBarExtent() - 30;
    const QStringList lines =
        ShownPage::renderLines(state_.shownFiles, state_.thumbnail, state_.originSize, width);
    try {
        shownZone_.document()->body()->setInnerHtml(ShownPage::text(lines));
    } catch (const PageError&) {
        const QString path = programDir_.writtenFile(QStringLiteral("tidecove_temp.htm"));
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            const QByteArray data = ShownPage::text(lines).toUtf8();
            if (file.write(data) == data.size() && file.commit()) {
                try {
                    shownZone_.navigate(path);
                } catch (const PageError&) {
                }
            }
        }
    }
    state_.pictureInformation = ShownPage::pictureInformation(state_.shownUrls, state_.shownFiles);
}

void ShownCommands::ThumbnailClicked() {
    RenderShown();
}

void ShownCommands::OriginSizeClicked() {
    RenderShown();
    state_.filterEnabled = state_.originSize;
}

bool ShownCommands::readPage(bool withSizes, PageReading* reading) {
    try {
        DocumentPtr document = shownZone_.document();
        reading->images = document->images()->read(withSizes ? (kWidth | kHeight) : 0u);
        reading->ticked.assign(reading->images.size(), false);
        if (reading->images.empty()) {
            return true;
        }
        ElementPtr form = document->forms()->item(0);
        if (!form) {
            return true;
        }
        const std::vector<ElementData> elements = form->formElements()->read(kChecked);
        for (size_t i = 0; i < reading->ticked.size() && i < elements.size(); ++i) {
            reading->ticked[i] = elements[i].checked;
        }
        return true;
    } catch (const PageError&) {
        return false;
    }
}

bool ShownCommands::keepsSize(int width, int height) const {
    const int widthLimit = state_.widthLimit;
    const int heightLimit = state_.heightLimit;
    switch (state_.sizeMode) {
        case ViewerState::LowerLimit:
            return !((widthLimit != 0 && width < widthLimit) || (heightLimit != 0 && height < heightLimit));
        case ViewerState::UpperLimit:
            return !((widthLimit != 0 && widthLimit < width) || (heightLimit != 0 && heightLimit < height));
        default:
            return !((widthLimit != 0 && widthLimit != width) || (heightLimit != 0 && heightLimit != height));
    }
}

void ShownCommands::FilterShown() {
    if (!state_.originSize) {
        return;
    }
    const bool bothZero = state_.widthLimit == 0 && state_.heightLimit == 0;
    PageReading page;
    if (!readPage(!bothZero, &page) || page.images.empty()) {
        return;
    }
    for (qsizetype i = qsizetype(page.images.size()) - 1; i >= 0; --i) {
        const bool keep =
            page.ticked[i] && (bothZero || keepsSize(page.images[i].width, page.images[i].height));
        if (!keep && i < state_.shownFiles.size()) {
            state_.shownFiles.removeAt(i);
            state_.shownUrls.removeAt(i);
        }
    }
    RenderShown();
}

void ShownCommands::SaveShown() {
    if (state_.cacheSaveFolder.isEmpty()) {
        ChooseFolder();
        if (state_.cacheSaveFolder.isEmpty()) {
            return;
        }
    }
    PageReading page;
    if (!readPage(false, &page) || page.images.empty()) {
        return;
    }
    const int total = int(page.images.size());
    for (int i = 0; i < total && i < state_.shownFiles.size(); ++i) {
        if (!page.ticked[i]) {
            continue;
        }
        // SaveName picks a name nobody uses, so a copy never replaces a file already there.
        const QString target = SaveName(state_.cacheSaveFolder, state_.shownUrls.at(i), i + 1, total);
        if (!target.isEmpty()) {
            QFile::copy(state_.shownFiles.at(i), target);
        }
    }
    desktop_.openPath(state_.cacheSaveFolder);
}

void ShownCommands::ChooseFolder() {
    const QString start = QDir(state_.cacheSaveFolder).exists() && !state_.cacheSaveFolder.isEmpty()
                              ? state_.cacheSaveFolder
                              : QString();
    QString chosen = desktop_.chooseFolder(QStringLiteral("Specify Directory to save pictures"), start);
    if (chosen.isEmpty()) {
        return;
    }
    if (!chosen.endsWith(QLatin1Char('/'))) {
        chosen += QLatin1Char('/');
    }
    state_.cacheSaveFolder = chosen;
}

}  // namespace vorlaken
