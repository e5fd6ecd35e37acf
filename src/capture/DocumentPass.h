#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include <QHash>
#include <QSet>
#include <QString>

#include "capture/BigPictureProbe.h"
#include "capture/CaptureTable.h"
#include "capture/FilterSet.h"
#include "capture/PageModel.h"

namespace vorlaken {

// What one document gave: its accepted pictures and what they mean for the page title and the probe.
struct DocumentFindings {
    CaptureTable rows;
    int pictureCount = 0;
    QString title;
    // Set only where this document beat the probe's records.
    std::int32_t biggestArea = 0;
    ElementPtr biggestElement;
    std::int32_t biggestLinkedArea = 0;
    ElementPtr biggestLinkedElement;
    // Displayed sizes of pictures measured by their own size, where the two differ.
    QHash<QString, QString> shownSizes;
};

// The pictures of one document (the top page or a frame) that pass the filters. Reads the page model
// a fixed number of times, however many elements the document holds, and changes nothing but the
// filter texts (trimmed): the caller decides what to keep, so a failing frame leaves no trace.
class DocumentPass {
  public:
    // knownPictures: case-folded addresses already taken by this capture run.
    DocumentPass(FilterSet& filters, bool specialProcess, bool linkNearBy, bool picturesWithLinks,
                 const BigPictureProbe& probe, const QSet<QString>& knownPictures);

    // With it on, a picture that offers other versions (srcset, <picture>) is taken at the address of
    // the largest of them instead of the one the browser chose for the screen.
    void takeLargestVersions(bool on) { largestVersions_ = on; }
    // With it on, a loaded picture is measured by its own pixel size instead of its displayed size.
    void measureOwnSize(bool on) { ownSize_ = on; }

    // Nothing when the browser shows no document. Page-model failures propagate.
    std::optional<DocumentFindings> run(Browser& browser);

  private:
    void imagePass(Collection& images, const QString& documentUrl);
    void inputPass(const QString& documentUrl);
    QString nearByLink(int sourceIndex);
    const std::vector<ElementData>& taggedElements();
    bool isKnown(const QString& url) const;
    void record(const QString& src, int width, int height, const QString& link, const QString& pageUrl);

    FilterSet& filters_;
    const bool specialProcess_;
    const bool linkNearBy_;
    const bool picturesWithLinks_;
    const BigPictureProbe& probe_;
    const QSet<QString>& knownPictures_;

    DocumentPtr document_;
    DocumentFindings found_;
    QSet<QString> passKeys_;
    bool taggedRead_ = false;
    bool largestVersions_ = false;
    bool ownSize_ = false;
    std::vector<ElementData> tagged_;
    // The source index and link address of every A element with a link, in document order.
    std::vector<std::pair<int, QString>> links_;
};

}  // namespace vorlaken
