#include "results/PreviewReadBack.h"

#include <QUrl>

#include "capture/PreviewLayout.h"

namespace vorlaken {

namespace {

bool sameDocument(const QString& documentUrl, const QString& expected) {
    const QUrl shown = QUrl(documentUrl).adjusted(QUrl::RemoveFragment);
    const QUrl wanted = QUrl(expected).adjusted(QUrl::RemoveFragment);
    if (shown.isLocalFile() && wanted.isLocalFile())
        return shown.toLocalFile() == wanted.toLocalFile();
    return shown == wanted;
}

// The preview page is written into the program's own local template. A page from anywhere else (the
// origin page after "Pictures invisible ?", or where it went) may copy its form, but is never it.
bool mayHoldPreviewPage(const QString& documentUrl, const QString& previewLocation) {
    if (!previewLocation.isEmpty())
        return sameDocument(documentUrl, previewLocation);
    const QString scheme = QUrl(documentUrl).scheme().toLower();
    return scheme == QLatin1String("file") || scheme == QLatin1String("about") ||
           scheme == QLatin1String("data");
}

}  // namespace

NotPreviewPageError::NotPreviewPageError()
    : PageError(QStringLiteral("The preview zone does not show the preview page.")) {}

PreviewReadBack PreviewReadBack::read(Browser& previewZone, const QString& previewLocation) {
    PreviewReadBack page;
    DocumentPtr document = previewZone.document();
    if (!document) {
        throw PageError(QStringLiteral("The preview zone shows no document."));
    }
    if (!mayHoldPreviewPage(document->url(), previewLocation)) {
        throw NotPreviewPageError();
    }
    CollectionPtr images = document->images();
    if (!images) {
        throw PageError(QStringLiteral("The preview page has no image collection."));
    }
    const std::vector<ElementData> pictures = images->read(kSrc | kWidth | kComplete);
    const int n = int(pictures.size());
    if (n == 0) {
        return page;
    }

    CollectionPtr forms = document->forms();
    ElementPtr form = forms ? forms->item(0) : nullptr;
    CollectionPtr elements = form ? form->formElements() : nullptr;
    CollectionPtr links = document->links();
    if (!elements || !links) {
        throw NotPreviewPageError();
    }
    const std::vector<ElementData> controls = elements->read(kType | kValue | kChecked);
    const std::vector<ElementData> anchors = links->read(kHref);
    if (PreviewLayout::picturesWithControls(int(controls.size())) < n ||
        int(anchors.size()) <= PreviewLayout::linkIndex(n - 1)) {
        throw NotPreviewPageError();
    }
    for (int i = 0; i < n; ++i) {
        const ElementData& box = controls[std::size_t(PreviewLayout::checkboxIndex(i))];
        const ElementData& hidden = controls[std::size_t(PreviewLayout::hiddenIndex(i))];
        if (box.type != QLatin1String("checkbox") || hidden.type != QLatin1String("hidden")) {
            throw NotPreviewPageError();
        }
        const ElementData& picture = pictures[std::size_t(PreviewLayout::imageIndex(i))];
        page.checked.push_back(box.checked);
        page.picUrl << picture.src;
        page.sizeText << box.value;
        page.linkUrl << anchors[std::size_t(PreviewLayout::linkIndex(i))].href;
        page.pageUrl << hidden.value;
        page.loading.push_back(!picture.complete);
        page.loadFailed.push_back(picture.complete && picture.width <= 0);
    }
    page.count = n;
    page.formElements = elements;
    return page;
}

std::optional<PreviewReadBack> PreviewReadBack::readForCommand(Browser& previewZone, Desktop& desktop) {
    try {
        return read(previewZone);
    } catch (const NotPreviewPageError&) {
        desktop.showMessage(kNotPreviewPageMessage);
    } catch (const PageError&) {
    }
    return std::nullopt;
}

std::vector<int> PreviewReadBack::checkedRows() const {
    std::vector<int> rows;
    for (int i = 0; i < count; ++i) {
        if (checked[std::size_t(i)]) {
            rows.push_back(i);
        }
    }
    return rows;
}

std::vector<int> PreviewReadBack::checkboxIndexes() const {
    return PreviewLayout::checkboxIndexes(count);
}

}  // namespace vorlaken
