#pragma once

#include "capture/PageModel.h"
#include "platform/devtools/FrameContext.h"

namespace vorlaken {

// A live collection of a frame's document (images, links, forms, all elements, a form's controls),
// addressed by a JavaScript expression. Each operation is at most one evaluation in the page.
class DevToolsCollection : public Collection {
  public:
    DevToolsCollection(FrameContext frame, QString expression);

    int length() override;
    ElementPtr item(int index) override;
    std::vector<ElementData> read(unsigned fields) override;
    void setChecked(const std::vector<int>& indexes, bool checked) override;

  private:
    FrameContext frame_;
    QString expression_;
    // Items the last read() of this object saw: an item among them is taken without asking again.
    int itemsRead_ = 0;
};

}  // namespace vorlaken
