#pragma once

#include <memory>

#include <QStringList>

#include "capture/CaptureState.h"
#include "support/FakePageModel.h"

namespace vorlaken {

// A browser showing one page, attached to a fresh state whose filters let every picture through.
struct CaptureFixture {
    std::shared_ptr<FakeBrowser> browser = std::make_shared<FakeBrowser>();
    FakeDocumentPtr doc;
    CaptureState state;

    explicit CaptureFixture(const QString& url = QStringLiteral("http://h/d/p.htm"),
                            const QString& title = QStringLiteral("Top")) {
        doc = browser->showPage(url, title);
        state.attached = browser;
        for (FilterSet* f : {&state.mainFilters, &state.enhancedFilters}) {
            f->widthLimit = 0;
            f->heightLimit = 0;
        }
    }

    // Rows as "picUrl|sizeText|linkUrl|pageUrl", the placeholder link shown as "-".
    static QStringList rows(const CaptureTable& table) {
        QStringList out;
        for (int i = 0; i < table.size(); ++i) {
            const QString link =
                table.linkUrl[i] == kPlaceholderLinkUrl ? QStringLiteral("-") : table.linkUrl[i];
            out << table.picUrl[i] + u'|' + table.sizeText[i] + u'|' + link + u'|' + table.pageUrl[i];
        }
        return out;
    }
    QStringList rows() const { return rows(state.table); }
};

}  // namespace vorlaken
