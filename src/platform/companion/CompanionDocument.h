#pragma once

#include "capture/PageModel.h"
#include "common/FreshOnce.h"
#include "platform/companion/CompanionTarget.h"

namespace vorlaken {

// The document a frame shows at the moment of each operation.
class CompanionDocument : public Document {
  public:
    // The address and title that came with the document's type, so that a command reading them right
    // away does not pay a message for each.
    struct Prefetch {
        QString url;
        QString title;
    };

    CompanionDocument(CompanionTarget target, const Prefetch& prefetch);

    QString url() override;
    QString title() override;
    ElementPtr body() override;
    CollectionPtr images() override;
    CollectionPtr links() override;
    CollectionPtr forms() override;
    CollectionPtr all() override;
    CollectionPtr tagged(const QStringList& tagNames) override;

  private:
    CollectionPtr collection(const QString& name) const;

    CompanionTarget target_;
    FreshOnce url_;
    FreshOnce title_;
};

}  // namespace vorlaken
