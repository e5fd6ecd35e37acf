#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include <QHash>
#include <QMap>
#include <QSet>
#include <QSize>
#include <QString>
#include <QStringList>

#include "capture/PageModel.h"

// An in-memory page model for unit tests: element trees built by hand (or from simple HTML), every
// operation counted, and any operation made to throw PageError.
namespace vorlaken {

class FakeDocument;
class FakeElement;
using FakeElementPtr = std::shared_ptr<FakeElement>;
using FakeDocumentPtr = std::shared_ptr<FakeDocument>;

// The calls made into one fake page (shared by a browser, its frames, documents and elements).
// Operations are named "Class.operation", for example "Collection.read" or "Document.title".
class FakeCalls {
  public:
    int total() const { return total_; }
    int count(const QString& operation) const { return counts_.value(operation); }
    void reset() {
        counts_.clear();
        total_ = 0;
    }
    // Counts the call; throws PageError when the operation is in failing.
    void hit(const QString& operation, const QSet<QString>& failing);

  private:
    QHash<QString, int> counts_;
    int total_ = 0;
};
using FakeCallsPtr = std::shared_ptr<FakeCalls>;

class FakeCollection : public Collection {
  public:
    // failing: the owner's set; this collection fails an operation "read" when it holds "<name>.read".
    FakeCollection(FakeCallsPtr calls, QString name, std::vector<FakeElementPtr> items,
                   const QSet<QString>& failing);

    int length() override;
    ElementPtr item(int index) override;
    std::vector<ElementData> read(unsigned fields) override;
    void setChecked(const std::vector<int>& indexes, bool checked) override;

    const std::vector<FakeElementPtr>& items() const { return items_; }

  private:
    void hit(const QString& operation);

    FakeCallsPtr calls_;
    QString name_;
    std::vector<FakeElementPtr> items_;
    QSet<QString> failing_;
};

class FakeElement : public Element, public std::enable_shared_from_this<FakeElement> {
  public:
    FakeElement(FakeDocument* document, const QString& tagName);

    // The element's values. tagName upper case; hrefAttribute is what getAttribute("HREF") returns.
    ElementData data;
    QMap<QString, QString> attributes;  // other attributes, by upper-case name
    QString bgColor;
    bool contentEditable = false;
    QMap<QString, QString> style;
    int clicks = 0;
    std::function<void(FakeElement&)> onClick;
    // Operations of this element that throw ("parentElement", "src", "setInnerHtml", ...).
    QSet<QString> failing;

    FakeElementPtr parent() const { return parent_.lock(); }
    const std::vector<FakeElementPtr>& children() const { return children_; }
    FakeElementPtr appendChild(const QString& tagName);
    void removeChildren();
    // This element and its descendants in document order.
    void collect(std::vector<FakeElementPtr>& out);
    // The link address as the real back-ends give it: the HREF resolved against the document's address,
    // links of other schemes than the web's as written, nothing for a blank or unresolvable HREF.
    QString linkAddress() const;
    // The requested fields as the page model gives them, without counting a call.
    void fill(ElementData& out, unsigned fields, int sourceIndex) const;
    FakeDocument* document() const { return document_; }

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
    void hit(const QString& operation) const;

    FakeDocument* document_;
    std::weak_ptr<FakeElement> parent_;
    std::vector<FakeElementPtr> children_;
};

class FakeDocument : public Document {
  public:
    FakeDocument(QString url, QString title, FakeCallsPtr calls = std::make_shared<FakeCalls>());

    QString urlValue;
    QString titleValue;
    // Operations of this document that throw ("url", "title", "images", ...), and of the collections it
    // hands out ("images.read", "all.read", "forms.item", ...).
    QSet<QString> failing;

    const FakeCallsPtr& calls() const { return calls_; }
    const FakeElementPtr& bodyElement() const { return body_; }
    // Adds an element as the last child of parent (the body when null).
    FakeElementPtr add(const QString& tagName, const FakeElementPtr& parent = nullptr);
    FakeElementPtr addImage(const QString& src, int width, int height,
                            const FakeElementPtr& parent = nullptr);
    FakeElementPtr addLink(const QString& href, const FakeElementPtr& parent = nullptr);
    // Every element in document order, the body first.
    std::vector<FakeElementPtr> elements() const;
    int sourceIndexOf(const FakeElement* element) const;
    // The elements with that NAME attribute, in document order.
    FakeElementPtr byName(const QString& name) const;
    // Every picture's load ends as in a browser: one at an address of loadable is drawn at its size,
    // scaled to the WIDTH or HEIGHT it was given, or at both; any other at the size it was given, else 0.
    void endPictureLoads(const QHash<QString, QSize>& loadable);

    QString url() override;
    QString title() override;
    ElementPtr body() override;
    CollectionPtr images() override;
    CollectionPtr links() override;
    CollectionPtr forms() override;
    CollectionPtr all() override;
    CollectionPtr tagged(const QStringList& tagNames) override;

  private:
    CollectionPtr collection(const QString& name, const std::function<bool(const FakeElement&)>& keep);

    FakeCallsPtr calls_;
    FakeElementPtr body_;
};

// A browser, a frame's browser or an embedded zone.
class FakeBrowser : public Zone {
  public:
    explicit FakeBrowser(FakeCallsPtr calls = std::make_shared<FakeCalls>());

    FakeDocumentPtr page;  // null: no document
    QString location;
    std::vector<BrowserPtr> frameList;
    QSet<QString> failing;  // "document", "frames", "locationUrl", "navigate", ...

    QStringList navigated;
    QStringList openedInNewWindow;
    int backs = 0;
    int reloads = 0;
    std::vector<std::pair<int, bool>> keys;
    QMap<QString, QString> cookies;  // by URL
    QStringList loadedHtml;
    bool silent = false;
    int pastes = 0;
    // Called by navigate (for example to load the next page of a test sequence).
    std::function<void(FakeBrowser&, const QString&)> onNavigate;
    // Called by goBack (for example to show the page before).
    std::function<void(FakeBrowser&)> onGoBack;

    const FakeCallsPtr& calls() const { return calls_; }
    // A new document at url with that title, shown by this browser and counted in its calls.
    FakeDocumentPtr showPage(const QString& url, const QString& title);
    // A new frame browser showing a new page, appended to frameList.
    std::shared_ptr<FakeBrowser> addFrame(const QString& url, const QString& title);
    // The same for a whole HTML text: the title and the body's elements come from it.
    FakeDocumentPtr showHtml(const QString& url, const QString& html);
    std::shared_ptr<FakeBrowser> addFrameHtml(const QString& url, const QString& html);

    DocumentPtr document() override;
    QString locationUrl() override;
    void navigate(const QString& url) override;
    void goBack() override;
    void reload() override;
    void openInNewWindow(const QString& url) override;
    std::vector<BrowserPtr> frames() override;
    void postKey(int virtualKey, bool down) override;
    QString cookieHeader(const QString& url) override;
    void loadHtml(const QString& html) override;
    void setSilent(bool silent) override;
    void paste() override;

  private:
    void hit(const QString& operation);

    FakeCallsPtr calls_;
};

}  // namespace vorlaken
