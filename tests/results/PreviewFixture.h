#pragma once

#include <initializer_list>
#include <memory>

#include "capture/CaptureState.h"
#include "capture/PreviewPage.h"
#include "support/FakeDesktop.h"
#include "support/FakePageModel.h"

namespace vorlaken {

// A preview zone showing the preview page of a table of pictures 1.jpg, 2.jpg, ... (picture 1 linked
// to 1.htm, the others without link), rendered the way the program renders it.
struct PreviewFixture {
    FakeBrowser zone;
    CaptureState state;
    FakeDesktop desktop;
    int renders = 0;

    explicit PreviewFixture(int pictures) {
        zone.showPage("file:///grabnest.htm", "");
        for (int n = 1; n <= pictures; ++n) {
            const QString link = n == 1 ? QStringLiteral("http://h/1.htm") : kPlaceholderLinkUrl;
            state.table.append(QStringLiteral("http://h/%1.jpg").arg(n), QStringLiteral("%1*%1").arg(n * 10),
                               link, QStringLiteral("http://h/page%1.htm").arg(n));
        }
        render();
        renders = 0;
    }

    void render() {
        ++renders;
        PreviewOptions options;
        options.availableWidth = 430;
        RenderPreview(state, zone, options);
    }
    std::function<void()> renderer() {
        return [this] { render(); };
    }

    FakeElementPtr element(const QString& name) const { return zone.page->byName(name); }
    // Ticks exactly the given pictures (numbers from 1).
    void tickOnly(std::initializer_list<int> numbers) {
        for (int n = 1; n <= state.table.size(); ++n) {
            element(QStringLiteral("c%1").arg(n))->data.checked = false;
        }
        for (int n : numbers) {
            element(QStringLiteral("c%1").arg(n))->data.checked = true;
        }
    }
    QList<int> ticked() const {
        QList<int> out;
        for (int n = 1;; ++n) {
            FakeElementPtr box = element(QStringLiteral("c%1").arg(n));
            if (!box) {
                return out;
            }
            if (box->data.checked) {
                out << n;
            }
        }
    }
};

}  // namespace vorlaken
