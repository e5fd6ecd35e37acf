#pragma once

#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

#include "common/Errors.h"

// The page model every command works through: the attached browser's page and the program's own web
// zones alike. Every operation gives its result or throws a vorlaken::PageError (TimeoutError when the
// browser does not answer within its bound, BrowserGoneError when it went away).
namespace vorlaken {

class Element;
class Collection;
class Document;
class Browser;
using ElementPtr = std::shared_ptr<Element>;
using CollectionPtr = std::shared_ptr<Collection>;
using DocumentPtr = std::shared_ptr<Document>;
using BrowserPtr = std::shared_ptr<Browser>;

// Fields a collection can deliver for all of its items in one call. Commands that walk a collection read
// what they need this way instead of one call per element and property.
enum ElementField : unsigned {
    kTagName = 1u << 0,        // upper case
    kSrc = 1u << 1,            // absolute once loaded
    kHref = 1u << 2,           // the href property, absolute
    kHrefAttribute = 1u << 3,  // getAttribute("HREF"), as written in the page
    kWidth = 1u << 4,          // displayed size
    kHeight = 1u << 5,
    kType = 1u << 6,  // lower case
    kValue = 1u << 7,
    kChecked = 1u << 8,
    kSourceIndex = 1u << 9,  // position among all elements of the document
    kParentTagName = 1u << 10,
    kParentHrefAttribute = 1u << 11,  // getAttribute("HREF") of the parent element
    kOuterHtml = 1u << 12,
    kOuterText = 1u << 13,
    kInnerHtml = 1u << 14,
    // The link address: HREF as the browser follows it (absolute, <base> honoured); a link with a scheme
    // other than http, https, ftp or file (javascript:, mailto: ...) as written; empty for no or a blank
    // HREF and for a relative one the page's base cannot resolve.
    kLinkAddress = 1u << 15,
    kParentLinkAddress = 1u << 16,  // the link address of the parent element
    kComplete = 1u << 17,  // a picture's load has ended, with a picture or without; other elements: true
    // The absolute address of the largest candidate a picture offers in its srcset and in the <source>
    // elements of its <picture> (by width descriptor, else by density); empty when it offers none.
    kLargestSrc = 1u << 18,
    // A picture's own pixel size (naturalWidth, naturalHeight); 0 while it has none (not loaded, no
    // picture, another element).
    kNaturalWidth = 1u << 19,
    kNaturalHeight = 1u << 20,
    kParentOuterHtml = 1u << 21,  // the outer HTML of the parent element; empty when there is none
};

struct ElementData {
    QString tagName;
    QString src;
    QString href;
    QString hrefAttribute;
    QString type;
    QString value;
    QString parentTagName;  // empty when there is no parent
    QString parentHrefAttribute;
    QString outerHtml;
    QString outerText;
    QString innerHtml;
    QString linkAddress;
    QString parentLinkAddress;
    QString largestSrc;
    QString parentOuterHtml;
    int width = 0;
    int height = 0;
    int naturalWidth = 0;
    int naturalHeight = 0;
    int sourceIndex = -1;
    bool checked = false;
    bool complete = true;
};

class Element {
  public:
    virtual ~Element() = default;

    virtual QString tagName() = 0;
    // The enclosing element, or null when there is none.
    virtual ElementPtr parentElement() = 0;
    virtual QString getAttribute(const QString& name) = 0;
    virtual int sourceIndex() = 0;
    virtual QString src() = 0;
    virtual QString href() = 0;
    virtual int width() = 0;
    virtual int height() = 0;
    virtual QString type() = 0;
    virtual QString value() = 0;
    virtual bool checked() = 0;
    virtual void setChecked(bool checked) = 0;
    virtual QString outerHtml() = 0;
    virtual QString outerText() = 0;
    virtual QString innerHtml() = 0;
    virtual void setInnerHtml(const QString& html) = 0;
    virtual void setContentEditable(bool editable) = 0;
    virtual void setBgColor(const QString& color) = 0;
    // style.setAttribute(name, value, 0); an empty value restores the page's default.
    virtual void setStyleAttribute(const QString& name, const QString& value) = 0;
    virtual void click() = 0;
    // The controls of a form element, in order.
    virtual CollectionPtr formElements() = 0;
};

class Collection {
  public:
    virtual ~Collection() = default;

    virtual int length() = 0;
    // The element at that position, or null when there is none.
    virtual ElementPtr item(int index) = 0;
    // The requested fields (a mask of ElementField) of every item, in collection order, in one call.
    virtual std::vector<ElementData> read(unsigned fields) = 0;
    // Sets the checked state of the items at the given positions, in one call.
    virtual void setChecked(const std::vector<int>& indexes, bool checked) = 0;
};

class Document {
  public:
    virtual ~Document() = default;

    virtual QString url() = 0;
    virtual QString title() = 0;
    virtual ElementPtr body() = 0;
    virtual CollectionPtr images() = 0;
    virtual CollectionPtr links() = 0;
    virtual CollectionPtr forms() = 0;
    virtual CollectionPtr all() = 0;
    // The elements whose tag name (upper case, as kTagName gives it) is one of tagNames, in document
    // order; their source indexes are their places among all elements. Reading only the elements a
    // command looks at costs a page of many thousand elements far less than reading them all.
    virtual CollectionPtr tagged(const QStringList& tagNames) = 0;
};

// The attached browser, one of its frames, or a web zone of the program's own windows.
class Browser {
  public:
    virtual ~Browser() = default;

    // The current HTML document. Throws when there is none or it is not HTML.
    virtual DocumentPtr document() = 0;
    // Address of the top-level page.
    virtual QString locationUrl() = 0;
    // Starts loading in this browser and returns at once. Throws PageError, and stays where it is,
    // when the browser refuses the address (one its address parser does not take).
    virtual void navigate(const QString& url) = 0;
    virtual void goBack() = 0;
    virtual void reload() = 0;
    // Opens the address in a separate browser window (target _blank).
    virtual void openInNewWindow(const QString& url) = 0;
    // The direct child frames of the top document, at most 100, in document order. An entry is null
    // where the embedded object is not a browser.
    virtual std::vector<BrowserPtr> frames() = 0;
    // Posts a key press or release with a Windows virtual key code to the page.
    virtual void postKey(int virtualKey, bool down) = 0;
    // The Cookie header the browser would send to that address; empty when it has none.
    virtual QString cookieHeader(const QString& url) = 0;
    // The same for each address, in their order, asked all at once where the browser allows it.
    virtual QStringList cookieHeaders(const QStringList& urls) {
        QStringList headers;
        headers.reserve(urls.size());
        for (const QString& url : urls) {
            headers.append(cookieHeader(url));
        }
        return headers;
    }
};

// An embedded web zone of the program's own windows.
class Zone : public Browser {
  public:
    // Replaces the document by this HTML text.
    virtual void loadHtml(const QString& html) = 0;
    // No script dialogs.
    virtual void setSilent(bool silent) = 0;
    // Pastes the clipboard into the editable document.
    virtual void paste() = 0;
};

}  // namespace vorlaken
