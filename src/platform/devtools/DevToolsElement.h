#pragma once

#include "capture/PageModel.h"
#include "platform/devtools/FrameContext.h"

namespace vorlaken {

// An element of a frame's document, addressed by a JavaScript expression that is evaluated afresh by
// each operation.
class DevToolsElement : public Element {
  public:
    DevToolsElement(FrameContext frame, QString expression);

    QString tagName() override;
    ElementPtr parentElement() override;
    QString getAttribute(const QString& name) override;
    int sourceIndex() override;
    QString src() override;
    QString href() override;
    int width() override;
    int height() override;
    QString type() override;
    QString value() override;
    bool checked() override;
    void setChecked(bool checked) override;
    QString outerHtml() override;
    QString outerText() override;
    QString innerHtml() override;
    void setInnerHtml(const QString& html) override;
    void setContentEditable(bool editable) override;
    void setBgColor(const QString& color) override;
    void setStyleAttribute(const QString& name, const QString& value) override;
    void click() override;
    CollectionPtr formElements() override;

  private:
    ElementData read(unsigned fields);
    // Runs statements with `el` bound to this element.
    QJsonValue run(const QString& statements, bool userGesture = false);

    FrameContext frame_;
    QString expression_;
};

}  // namespace vorlaken
