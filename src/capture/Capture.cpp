#include "capture/Capture.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include <QSet>

#include "capture/DocumentPass.h"

namespace vorlaken {
namespace {

// Frames beyond this many are not looked at.
constexpr std::size_t kMaxFrames = 100;

class CaptureRun {
  public:
    CaptureRun(CaptureState& state, bool useEnhancedFilters)
        : state_(state), filters_(useEnhancedFilters ? state.enhancedFilters : state.mainFilters) {}

    void run() {
        if (!state_.attached) {
            throw PageError(QStringLiteral("No browser is attached."));
        }
        const BrowserPtr top = state_.attached;
        std::vector<BrowserPtr> frames = top->frames();
        if (frames.size() > kMaxFrames) {
            frames.resize(kMaxFrames);
        }

        std::optional<DocumentFindings> topFound = passOn(*top);
        if (!topFound) {
            throw PageError(QStringLiteral("The page shows no HTML document."));
        }
        const QString topTitle = topFound->title;
        accept(*topFound, top);

        for (const BrowserPtr& frame : frames) {
            if (!frame) {
                continue;
            }
            // A frame that cannot be read (gone, cross-process and unanswered, not HTML) must not cost
            // the pictures of the page and the other frames; its partial findings are dropped whole.
            try {
                std::optional<DocumentFindings> found = passOn(*frame);
                if (found) {
                    accept(*found, frame);
                }
            } catch (const PageError&) {
            }
        }

        if (bestCount_ == 0) {
            choosePage(topTitle);
        }
        mergeIntoTable();
    }

  private:
    std::optional<DocumentFindings> passOn(Browser& browser) {
        DocumentPass pass(filters_, state_.specialProcess, state_.linkNearBy, state_.picturesWithLinks,
                          state_.probe, runKeys_);
        pass.takeLargestVersions(state_.largestVersions);
        pass.measureOwnSize(state_.ownSize);
        return pass.run(browser);
    }

    void accept(const DocumentFindings& found, const BrowserPtr& browser) {
        for (int i = 0; i < found.rows.size(); ++i) {
            const QString key = found.rows.picUrl[i].toCaseFolded();
            runKeys_.insert(key);
            // The size shown beside the own size is the latest capture's, or none.
            const auto shown = found.shownSizes.constFind(key);
            if (shown != found.shownSizes.cend()) {
                state_.shownSizes.insert(key, *shown);
            } else {
                state_.shownSizes.remove(key);
            }
        }
        run_.picUrl += found.rows.picUrl;
        run_.sizeText += found.rows.sizeText;
        run_.linkUrl += found.rows.linkUrl;
        run_.pageUrl += found.rows.pageUrl;

        if (found.biggestElement) {
            state_.probe.biggestArea = found.biggestArea;
            state_.probe.biggestBrowser = browser;
            state_.probe.biggestElement = found.biggestElement;
        }
        if (found.biggestLinkedElement) {
            state_.probe.biggestLinkedArea = found.biggestLinkedArea;
            state_.probe.biggestLinkedBrowser = browser;
            state_.probe.biggestLinkedElement = found.biggestLinkedElement;
        }

        if (!found.title.isEmpty() && !state_.titleItems.contains(found.title, Qt::CaseInsensitive)) {
            state_.titleItems.append(found.title);
        }
        // Ties keep the earlier document, so the top page wins over a frame with as many pictures.
        if (found.pictureCount > bestCount_) {
            bestCount_ = found.pictureCount;
            choosePage(found.title);
        }
    }

    // The location is always the top page's, also when a frame gave the title.
    void choosePage(const QString& title) {
        const QString location = state_.attached->locationUrl();
        state_.pageTitle = title;
        state_.pageLocation = location;
        if (!state_.lock) {
            state_.titleText = title;
        }
        state_.locationText = location;
    }

    void mergeIntoTable() {
        if (!state_.merge) {
            state_.table.clear();
        }
        QSet<QString> held;
        held.reserve(state_.table.size() + run_.size());
        for (const QString& url : std::as_const(state_.table.picUrl)) {
            held.insert(url.toCaseFolded());
        }
        for (int i = 0; i < run_.size(); ++i) {
            const QString key = run_.picUrl[i].toCaseFolded();
            if (held.contains(key)) {
                continue;
            }
            held.insert(key);
            state_.table.append(run_.picUrl[i], run_.sizeText[i], run_.linkUrl[i], run_.pageUrl[i]);
        }
        state_.countLabel = QString::number(state_.table.size());
    }

    CaptureState& state_;
    FilterSet& filters_;
    CaptureTable run_;
    QSet<QString> runKeys_;
    int bestCount_ = 0;
};

}  // namespace

void Capture(CaptureState& state, bool useEnhancedFilters) {
    CaptureRun(state, useEnhancedFilters).run();
}

}  // namespace vorlaken
