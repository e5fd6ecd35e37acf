#pragma once

#include "capture/PageModel.h"
#include "platform/devtools/FrameContext.h"

namespace vorlaken {

// The document a frame shows at the moment of each operation.
class DevToolsDocument : public Document {
  public:
    explicit DevToolsDocument(FrameContext frame);

    QString url() override;
    QString title() override;
    ElementPtr body() override;
    CollectionPtr images() override;
    CollectionPtr links() override;
    CollectionPtr forms() override;
    CollectionPtr all() override;

  private:
    CollectionPtr collection(const QString& expression) const;

    FrameContext frame_;
};

}  // namespace vorlaken
