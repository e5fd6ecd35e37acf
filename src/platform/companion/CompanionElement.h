#pragma once

#include "capture/PageModel.h"
#include "platform/companion/CompanionTarget.h"

namespace vorlaken {

// An element of a frame's document, named by its locator and found afresh by each operation.
class CompanionElement : public Element {
  public:
    CompanionElement(CompanionTarget target, QJsonArray locator);

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
    void change(const QString& operation, const QJsonObject& params = QJsonObject());

    CompanionTarget target_;
    QJsonArray locator_;
};

}  // namespace vorlaken
