#pragma once

#include <memory>

#include "capture/PageModel.h"
#include "platform/webzone/ScriptRunner.h"

namespace vorlaken {

// A live collection of a zone's document (images, links, forms, all elements, a form's controls),
// named by its script expression. read() and setChecked() cover every item in one call.
class ZoneCollection : public Collection {
  public:
    ZoneCollection(std::shared_ptr<const ScriptRunner> runner, QString expression);

    int length() override;
    ElementPtr item(int index) override;
    std::vector<ElementData> read(unsigned fields) override;
    void setChecked(const std::vector<int>& indexes, bool checked) override;

  private:
    std::shared_ptr<const ScriptRunner> runner_;
    QString expression_;
};

}  // namespace vorlaken
