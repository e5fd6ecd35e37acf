#pragma once

#include <memory>

#include "capture/PageModel.h"
#include "platform/webzone/ScriptRunner.h"

namespace vorlaken {

// An element of a zone's document, named by the script expression that reaches it
// (for example document.images[3]). Each call evaluates that expression anew.
class ZoneElement : public Element {
  public:
    ZoneElement(std::shared_ptr<const ScriptRunner> runner, QString expression);

    const QString& expression() const { return expression_; }

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
    // Runs body with the element bound to el; throws PageError when the element is gone.
    QJsonValue onElement(const QString& body) const;
    // The fields of the element, read as a collection reads them.
    ElementData field(unsigned mask) const;

    std::shared_ptr<const ScriptRunner> runner_;
    QString expression_;
};

}  // namespace vorlaken
