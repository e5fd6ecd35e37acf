#pragma once

#include "capture/PageModel.h"
#include "platform/companion/CompanionTarget.h"

namespace vorlaken {

// A live collection of a frame's document (images, links, forms, all elements, a form's controls),
// named by its locator. Each operation is one message to the frame.
class CompanionCollection : public Collection {
  public:
    CompanionCollection(CompanionTarget target, QJsonArray locator);

    int length() override;
    ElementPtr item(int index) override;
    std::vector<ElementData> read(unsigned fields) override;
    void setChecked(const std::vector<int>& indexes, bool checked) override;

  private:
    CompanionTarget target_;
    QJsonArray locator_;
    // Items the last read() of this object saw: an item among them is taken without asking again.
    int itemsRead_ = 0;
};

}  // namespace vorlaken
