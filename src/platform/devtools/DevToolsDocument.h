#pragma once

#include <optional>

#include "capture/PageModel.h"
#include "common/FreshOnce.h"
#include "platform/devtools/FrameContext.h"

namespace vorlaken {

// The document a frame shows at the moment of each operation.
class DevToolsDocument : public Document {
  public:
    // The address and title read together with the document's type, so that a command reading them
    // right away does not pay a round trip for each.
    struct Prefetch {
        QString url;
        QString title;
    };

    explicit DevToolsDocument(FrameContext frame, std::optional<Prefetch> prefetch = std::nullopt);

    QString url() override;
    QString title() override;
    ElementPtr body() override;
    CollectionPtr images() override;
    CollectionPtr links() override;
    CollectionPtr forms() override;
    CollectionPtr all() override;
    CollectionPtr tagged(const QStringList& tagNames) override;

  private:
    CollectionPtr collection(const QString& expression) const;

    FrameContext frame_;
    FreshOnce url_;
    FreshOnce title_;
};

}  // namespace vorlaken
