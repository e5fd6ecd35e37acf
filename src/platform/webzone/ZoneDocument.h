#pragma once

#include <memory>

#include "capture/PageModel.h"
#include "platform/webzone/ScriptRunner.h"

namespace vorlaken {

// The document of a zone's window (the top window or one of its frames), named by the script
// expression of that window.
class ZoneDocument : public Document {
  public:
    ZoneDocument(std::shared_ptr<const ScriptRunner> runner, QString windowExpression);

    // Throws PageError when the window shows no HTML document.
    static void requireHtml(const ScriptRunner& runner, const QString& windowExpression);

    QString url() override;
    QString title() override;
    ElementPtr body() override;
    CollectionPtr images() override;
    CollectionPtr links() override;
    CollectionPtr forms() override;
    CollectionPtr all() override;
    CollectionPtr tagged(const QStringList& tagNames) override;

  private:
    CollectionPtr collection(const QString& member) const;

    std::shared_ptr<const ScriptRunner> runner_;
    QString document_;
};

}  // namespace vorlaken
