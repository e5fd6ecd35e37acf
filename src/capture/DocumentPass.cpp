#include "capture/DocumentPass.h"

#include <algorithm>

#include "capture/LocalFiles.h"

namespace vorlaken {
namespace {

QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= u'A' && c <= u'Z') {
            c = QChar(c.unicode() + (u'a' - u'A'));
        }
    }
    return out;
}

// Areas are 32-bit products as the auto-click mode has always compared them; computed in 64 bits and
// narrowed so that an overflow wraps instead of being undefined.
std::int32_t area(int width, int height) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(width) * height);
}

}  // namespace

DocumentPass::DocumentPass(FilterSet& filters, bool specialProcess, bool linkNearBy, bool picturesWithLinks,
                           const BigPictureProbe& probe, const QSet<QString>& knownPictures)
    : filters_(filters),
      specialProcess_(specialProcess),
      linkNearBy_(linkNearBy),
      picturesWithLinks_(picturesWithLinks),
      probe_(probe),
      knownPictures_(knownPictures) {}

std::optional<DocumentFindings> DocumentPass::run(Browser& browser) {
    document_ = browser.document();
    if (!document_) {
        return std::nullopt;
    }
    QString documentUrl;
    try {
        documentUrl = document_->url();
    } catch (const PageError&) {
        documentUrl.clear();
    }
    filters_.trimTexts();

    CollectionPtr images = document_->images();
    if (!images) {
        throw PageError(QStringLiteral("The document has no image collection."));
    }
    imagePass(*images, documentUrl);
    if (specialProcess_) {
        inputPass(documentUrl);
    }
    found_.title = document_->title();
    return std::move(found_);
}

void DocumentPass::imagePass(Collection& images, const QString& documentUrl) {
    unsigned fields = kSrc | kWidth | kHeight | kParentTagName | kParentLinkAddress;
    if (linkNearBy_) {
        fields |= kSourceIndex;
    }
    if (largestVersions_) {
        fields |= kLargestSrc;
    }
    if (ownSize_) {
        fields |= kNaturalWidth | kNaturalHeight;
    }
    std::vector<ElementData> pictures = images.read(fields);
    if (largestVersions_) {
        for (ElementData& picture : pictures) {
            if (!picture.largestSrc.isEmpty()) {
                picture.src = picture.largestSrc;
            }
        }
    }

    std::int32_t biggest = probe_.biggestArea;
    std::int32_t biggestLinked = probe_.biggestLinkedArea;
    int biggestAt = -1;
    int biggestLinkedAt = -1;

    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const ElementData& picture = pictures[i];
        if (picture.src.isEmpty() || !MayTakePicture(picture.src, documentUrl)) {
            continue;
        }
        // A picture not loaded yet has no size of its own: until then its displayed size counts.
        const bool own = ownSize_ && picture.naturalWidth > 0 && picture.naturalHeight > 0;
        const int w = own ? picture.naturalWidth : picture.width;
        const int h = own ? picture.naturalHeight : picture.height;
        if (!filters_.passesSize(w, h) || !filters_.passesUrl(asciiLower(picture.src))) {
            continue;
        }
        const bool linked = picture.parentTagName == QLatin1String("A");
        // Link addresses arrive absolute, as the browser follows them, so they keep their meaning in
        // the preview, the lists and the index page, far from the page they came from.
        QString link = linked ? picture.parentLinkAddress : QString();
        if (link.isEmpty() && linkNearBy_) {
            link = nearByLink(picture.sourceIndex);
        }
        if ((!link.isEmpty() || picturesWithLinks_) && !filters_.passesLink(asciiLower(link))) {
            continue;
        }
        if (isKnown(picture.src)) {
            continue;
        }
        record(picture.src, w, h, link, documentUrl);
        if (own && (w != picture.width || h != picture.height)) {
            found_.shownSizes.insert(picture.src.toCaseFolded(),
                                     QString::number(picture.width) + u'*' + QString::number(picture.height));
        }

        const std::int32_t a = area(w, h);
        if (a > biggest) {
            biggest = a;
            biggestAt = int(i);
        }
        if (probe_.probe && linked && a > biggestLinked) {
            biggestLinked = a;
            biggestLinkedAt = int(i);
        }
    }

    // Only the winners are fetched as elements, so the probe costs at most two calls per document.
    if (biggestAt >= 0) {
        found_.biggestArea = biggest;
        found_.biggestElement = images.item(biggestAt);
    }
    if (biggestLinkedAt >= 0) {
        found_.biggestLinkedArea = biggestLinked;
        found_.biggestLinkedElement =
            biggestLinkedAt == biggestAt ? found_.biggestElement : images.item(biggestLinkedAt);
    }
}

void DocumentPass::inputPass(const QString& documentUrl) {
    for (const ElementData& element : taggedElements()) {
        if (element.tagName != QLatin1String("INPUT") || element.type != QLatin1String("image") ||
            element.src.isEmpty() || !MayTakePicture(element.src, documentUrl)) {
            continue;
        }
        if (!filters_.passesSize(element.width, element.height) ||
            !filters_.passesUrl(asciiLower(element.src)) || isKnown(element.src)) {
            continue;
        }
        record(element.src, element.width, element.height, QString(), documentUrl);
    }
}

// The A and INPUT elements the options look at, read once: on a page of thousands of elements the
// others only cost time, and none of them can give a link or an INPUT picture.
const std::vector<ElementData>& DocumentPass::taggedElements() {
    if (taggedRead_) {
        return tagged_;
    }
    unsigned fields = kTagName;
    QStringList tags;
    if (linkNearBy_) {
        fields |= kLinkAddress | kSourceIndex;
        tags << QStringLiteral("A");
    }
    if (specialProcess_) {
        fields |= kType | kSrc | kWidth | kHeight;
        tags << QStringLiteral("INPUT");
    }
    CollectionPtr elements = document_->tagged(tags);
    if (!elements) {
        throw PageError(QStringLiteral("The document has no element collection."));
    }
    tagged_ = elements->read(fields);
    taggedRead_ = true;

    if (linkNearBy_) {
        for (const ElementData& e : tagged_) {
            if (e.tagName == QLatin1String("A") && !e.linkAddress.isEmpty()) {
                links_.push_back({e.sourceIndex, e.linkAddress});
            }
        }
    }
    return tagged_;
}

// The link of the first A element after the picture, however far; empty A elements are passed over.
QString DocumentPass::nearByLink(int sourceIndex) {
    taggedElements();
    const auto after =
        std::upper_bound(links_.begin(), links_.end(), sourceIndex,
                         [](int index, const std::pair<int, QString>& link) { return index < link.first; });
    return after == links_.end() ? QString() : after->second;
}

bool DocumentPass::isKnown(const QString& url) const {
    const QString key = url.toCaseFolded();
    return knownPictures_.contains(key) || passKeys_.contains(key);
}

void DocumentPass::record(const QString& src, int width, int height, const QString& link,
                          const QString& pageUrl) {
    passKeys_.insert(src.toCaseFolded());
    found_.rows.append(src, QString::number(width) + u'*' + QString::number(height),
                       link.isEmpty() ? kPlaceholderLinkUrl : link, pageUrl);
    ++found_.pictureCount;
}

}  // namespace vorlaken
