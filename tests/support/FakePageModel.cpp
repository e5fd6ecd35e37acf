#include "support/FakePageModel.h"

#include <QRegularExpression>
#include <QUrl>

#include "support/FakeHtml.h"

namespace vorlaken {

void FakeCalls::hit(const QString& operation, const QSet<QString>& failing) {
    ++total_;
    ++counts_[operation];
    const QString shortName = operation.mid(operation.indexOf(u'.') + 1);
    if (failing.contains(shortName)) {
        throw PageError(QStringLiteral("fake failure of ") + operation);
    }
}

// ---- FakeCollection

FakeCollection::FakeCollection(FakeCallsPtr calls, QString name, std::vector<FakeElementPtr> items,
                               const QSet<QString>& failing)
    : calls_(std::move(calls)), name_(std::move(name)), items_(std::move(items)) {
    const QString prefix = name_ + u'.';
    for (const QString& f : failing) {
        if (f.startsWith(prefix)) {
            failing_.insert(f.mid(prefix.size()));
        }
    }
}

void FakeCollection::hit(const QString& operation) {
    calls_->hit(QStringLiteral("Collection.") + operation, failing_);
}

int FakeCollection::length() {
    hit(QStringLiteral("length"));
    return int(items_.size());
}

ElementPtr FakeCollection::item(int index) {
    hit(QStringLiteral("item"));
    if (index < 0 || std::size_t(index) >= items_.size()) {
        return nullptr;
    }
    return items_[std::size_t(index)];
}

std::vector<ElementData> FakeCollection::read(unsigned fields) {
    hit(QStringLiteral("read"));
    std::vector<ElementData> out(items_.size());
    QHash<const FakeElement*, int> positions;
    if ((fields & kSourceIndex) && !items_.empty()) {
        const std::vector<FakeElementPtr> all = items_.front()->document()->elements();
        for (std::size_t i = 0; i < all.size(); ++i) {
            positions.insert(all[i].get(), int(i));
        }
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        items_[i]->fill(out[i], fields, positions.value(items_[i].get(), -1));
    }
    return out;
}

void FakeCollection::setChecked(const std::vector<int>& indexes, bool checked) {
    hit(QStringLiteral("setChecked"));
    for (int index : indexes) {
        if (index >= 0 && std::size_t(index) < items_.size()) {
            items_[std::size_t(index)]->data.checked = checked;
        }
    }
}

// ---- FakeElement

FakeElement::FakeElement(FakeDocument* document, const QString& tagName) : document_(document) {
    data.tagName = tagName.toUpper();
}

void FakeElement::hit(const QString& operation) const {
    document_->calls()->hit(QStringLiteral("Element.") + operation, failing);
}

FakeElementPtr FakeElement::appendChild(const QString& tagName) {
    auto child = std::make_shared<FakeElement>(document_, tagName);
    child->parent_ = weak_from_this();
    children_.push_back(child);
    return child;
}

void FakeElement::removeChildren() {
    children_.clear();
}

void FakeElement::collect(std::vector<FakeElementPtr>& out) {
    out.push_back(shared_from_this());
    for (const FakeElementPtr& child : children_) {
        child->collect(out);
    }
}

void FakeElement::fill(ElementData& out, unsigned fields, int sourceIndex) const {
    const FakeElementPtr up = parent();
    if (fields & kTagName)
        out.tagName = data.tagName;
    if (fields & kSrc)
        out.src = data.src;
    if (fields & kHref)
        out.href = data.href;
    if (fields & kHrefAttribute)
        out.hrefAttribute = data.hrefAttribute;
    if (fields & kWidth)
        out.width = data.width;
    if (fields & kHeight)
        out.height = data.height;
    if (fields & kType)
        out.type = data.type;
    if (fields & kValue)
        out.value = data.value;
    if (fields & kChecked)
        out.checked = data.checked;
    if (fields & kComplete)
        out.complete = data.complete;
    if (fields & kSourceIndex)
        out.sourceIndex = sourceIndex;
    if ((fields & kParentTagName) && up)
        out.parentTagName = up->data.tagName;
    if ((fields & kParentHrefAttribute) && up)
        out.parentHrefAttribute = up->data.hrefAttribute;
    if (fields & kOuterHtml)
        out.outerHtml = data.outerHtml;
    if (fields & kOuterText)
        out.outerText = data.outerText;
    if (fields & kInnerHtml)
        out.innerHtml = data.innerHtml;
    if (fields & kLinkAddress)
        out.linkAddress = linkAddress();
    if ((fields & kParentLinkAddress) && up)
        out.parentLinkAddress = up->linkAddress();
    if (fields & kLargestSrc)
        out.largestSrc = data.largestSrc;
    if (fields & kNaturalWidth)
        out.naturalWidth = data.naturalWidth;
    if (fields & kNaturalHeight)
        out.naturalHeight = data.naturalHeight;
    if ((fields & kParentOuterHtml) && up)
        out.parentOuterHtml = up->data.outerHtml;
}

QString FakeElement::linkAddress() const {
    const QString written = data.hrefAttribute.trimmed();
    if (written.isEmpty()) {
        return {};
    }
    static const QRegularExpression scheme(QStringLiteral("^([A-Za-z][A-Za-z0-9+.\\-]*):"));
    static const QRegularExpression web(QStringLiteral("^(https?|ftp|file)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch own = scheme.match(written);
    if (own.hasMatch() && !web.match(own.captured(1)).hasMatch()) {
        return written;
    }
    const QUrl resolved = QUrl(document_->urlValue).resolved(QUrl(written));
    return resolved.isValid() && !resolved.isRelative() ? resolved.toString(QUrl::FullyEncoded) : QString();
}

QString FakeElement::tagName() {
    hit(QStringLiteral("tagName"));
    return data.tagName;
}

ElementPtr FakeElement::parentElement() {
    hit(QStringLiteral("parentElement"));
    return parent();
}

QString FakeElement::getAttribute(const QString& name) {
    hit(QStringLiteral("getAttribute"));
    const QString upper = name.toUpper();
    if (upper == QLatin1String("HREF")) {
        return data.hrefAttribute;
    }
    return attributes.value(upper);
}

int FakeElement::sourceIndex() {
    hit(QStringLiteral("sourceIndex"));
    return document_->sourceIndexOf(this);
}

QString FakeElement::src() {
    hit(QStringLiteral("src"));
    return data.src;
}

QString FakeElement::href() {
    hit(QStringLiteral("href"));
    return data.href;
}

int FakeElement::width() {
    hit(QStringLiteral("width"));
    return data.width;
}

int FakeElement::height() {
    hit(QStringLiteral("height"));
    return data.height;
}

QString FakeElement::type() {
    hit(QStringLiteral("type"));
    return data.type;
}

QString FakeElement::value() {
    hit(QStringLiteral("value"));
    return data.value;
}

bool FakeElement::checked() {
    hit(QStringLiteral("checked"));
    return data.checked;
}

void FakeElement::setChecked(bool checked) {
    hit(QStringLiteral("setChecked"));
    data.checked = checked;
}

QString FakeElement::outerHtml() {
    hit(QStringLiteral("outerHtml"));
    return data.outerHtml;
}

QString FakeElement::outerText() {
    hit(QStringLiteral("outerText"));
    return data.outerText;
}

QString FakeElement::innerHtml() {
    hit(QStringLiteral("innerHtml"));
    return data.innerHtml;
}

void FakeElement::setInnerHtml(const QString& html) {
    hit(QStringLiteral("setInnerHtml"));
    data.innerHtml = html;
    data.outerText = FakeHtml::renderText(html);
    removeChildren();
    FakeHtml::parseInto(*this, html);
}

void FakeElement::setContentEditable(bool editable) {
    hit(QStringLiteral("setContentEditable"));
    contentEditable = editable;
}

void FakeElement::setBgColor(const QString& color) {
    hit(QStringLiteral("setBgColor"));
    bgColor = color;
}

void FakeElement::setStyleAttribute(const QString& name, const QString& value) {
    hit(QStringLiteral("setStyleAttribute"));
    style.insert(name, value);
}

void FakeElement::click() {
    hit(QStringLiteral("click"));
    ++clicks;
    if (data.tagName == QLatin1String("INPUT") && data.type == QLatin1String("checkbox")) {
        data.checked = !data.checked;
    }
    if (onClick) {
        onClick(*this);
    }
}

CollectionPtr FakeElement::formElements() {
    hit(QStringLiteral("formElements"));
    std::vector<FakeElementPtr> all;
    for (const FakeElementPtr& child : children_) {
        child->collect(all);
    }
    std::vector<FakeElementPtr> controls;
    for (const FakeElementPtr& e : all) {
        const QString& t = e->data.tagName;
        if (t == QLatin1String("INPUT") || t == QLatin1String("SELECT") || t == QLatin1String("TEXTAREA") ||
            t == QLatin1String("BUTTON")) {
            controls.push_back(e);
        }
    }
    return std::make_shared<FakeCollection>(document_->calls(), QStringLiteral("elements"), controls,
                                            failing);
}

// ---- FakeDocument

FakeDocument::FakeDocument(QString url, QString title, FakeCallsPtr calls)
    : urlValue(std::move(url)), titleValue(std::move(title)), calls_(std::move(calls)) {
    body_ = std::make_shared<FakeElement>(this, QStringLiteral("BODY"));
}

FakeElementPtr FakeDocument::add(const QString& tagName, const FakeElementPtr& parent) {
    return (parent ? parent : body_)->appendChild(tagName);
}

FakeElementPtr FakeDocument::addImage(const QString& src, int width, int height,
                                      const FakeElementPtr& parent) {
    FakeElementPtr img = add(QStringLiteral("IMG"), parent);
    img->data.src = src;
    img->data.width = width;
    img->data.height = height;
    return img;
}

FakeElementPtr FakeDocument::addLink(const QString& href, const FakeElementPtr& parent) {
    FakeElementPtr a = add(QStringLiteral("A"), parent);
    a->data.hrefAttribute = href;
    // The href property is absolute, as in a browser; absolute addresses are kept exactly as given.
    a->data.href = QUrl(href).isRelative() && !href.isEmpty() ? a->linkAddress() : href;
    return a;
}

std::vector<FakeElementPtr> FakeDocument::elements() const {
    std::vector<FakeElementPtr> out;
    body_->collect(out);
    return out;
}

int FakeDocument::sourceIndexOf(const FakeElement* element) const {
    const std::vector<FakeElementPtr> all = elements();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].get() == element) {
            return int(i);
        }
    }
    return -1;
}

FakeElementPtr FakeDocument::byName(const QString& name) const {
    for (const FakeElementPtr& e : elements()) {
        if (e->attributes.value(QStringLiteral("NAME")) == name) {
            return e;
        }
    }
    return nullptr;
}

void FakeDocument::endPictureLoads(const QHash<QString, QSize>& loadable) {
    for (const FakeElementPtr& e : elements()) {
        if (e->data.tagName != QLatin1String("IMG"))
            continue;
        const bool hasWidth = e->attributes.contains(QStringLiteral("WIDTH"));
        const bool hasHeight = e->attributes.contains(QStringLiteral("HEIGHT"));
        const QSize natural = loadable.value(e->data.src);
        e->data.complete = true;
        if (!natural.isValid() || natural.isEmpty()) {
            e->data.width = hasWidth ? e->data.width : 0;
            e->data.height = hasHeight ? e->data.height : 0;
            continue;
        }
        if (!hasWidth)
            e->data.width = hasHeight ? natural.width() * e->data.height / natural.height() : natural.width();
        if (!hasHeight)
            e->data.height = hasWidth ? natural.height() * e->data.width / natural.width() : natural.height();
    }
}

QString FakeDocument::url() {
    calls_->hit(QStringLiteral("Document.url"), failing);
    return urlValue;
}

QString FakeDocument::title() {
    calls_->hit(QStringLiteral("Document.title"), failing);
    return titleValue;
}

ElementPtr FakeDocument::body() {
    calls_->hit(QStringLiteral("Document.body"), failing);
    return body_;
}

CollectionPtr FakeDocument::collection(const QString& name,
                                       const std::function<bool(const FakeElement&)>& keep) {
    calls_->hit(QStringLiteral("Document.") + name, failing);
    std::vector<FakeElementPtr> items;
    for (const FakeElementPtr& e : elements()) {
        if (keep(*e)) {
            items.push_back(e);
        }
    }
    return std::make_shared<FakeCollection>(calls_, name, items, failing);
}

CollectionPtr FakeDocument::images() {
    return collection(QStringLiteral("images"),
                      [](const FakeElement& e) { return e.data.tagName == QLatin1String("IMG"); });
}

CollectionPtr FakeDocument::links() {
    return collection(QStringLiteral("links"), [](const FakeElement& e) {
        // Any HREF makes a link, a blank one too.
        return (e.data.tagName == QLatin1String("A") || e.data.tagName == QLatin1String("AREA")) &&
               (!e.data.hrefAttribute.isEmpty() || e.attributes.contains(QStringLiteral("HREF")));
    });
}

CollectionPtr FakeDocument::forms() {
    return collection(QStringLiteral("forms"),
                      [](const FakeElement& e) { return e.data.tagName == QLatin1String("FORM"); });
}

CollectionPtr FakeDocument::all() {
    return collection(QStringLiteral("all"), [](const FakeElement&) { return true; });
}

CollectionPtr FakeDocument::tagged(const QStringList& tagNames) {
    return collection(QStringLiteral("tagged"),
                      [&tagNames](const FakeElement& e) { return tagNames.contains(e.data.tagName); });
}

// ---- FakeBrowser

FakeBrowser::FakeBrowser(FakeCallsPtr calls) : calls_(std::move(calls)) {}

void FakeBrowser::hit(const QString& operation) {
    calls_->hit(QStringLiteral("Browser.") + operation, failing);
}

FakeDocumentPtr FakeBrowser::showPage(const QString& url, const QString& title) {
    page = std::make_shared<FakeDocument>(url, title, calls_);
    location = url;
    return page;
}

std::shared_ptr<FakeBrowser> FakeBrowser::addFrame(const QString& url, const QString& title) {
    auto frame = std::make_shared<FakeBrowser>(calls_);
    frame->showPage(url, title);
    frame->location = location;
    frameList.push_back(frame);
    return frame;
}

FakeDocumentPtr FakeBrowser::showHtml(const QString& url, const QString& html) {
    static const QRegularExpression kTitle(
        QStringLiteral("<title[^>]*>(.*?)</title>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression kBody(
        QStringLiteral("<body[^>]*>(.*?)(</body>|$)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    // A browser shows the title with its white space collapsed.
    const QString title = FakeHtml::decodeEntities(kTitle.match(html).captured(1)).simplified();
    const QRegularExpressionMatch body = kBody.match(html);
    const QString bodyHtml = body.hasMatch() ? body.captured(1) : html;
    showPage(url, title);
    FakeElement& element = *page->bodyElement();
    element.data.innerHtml = bodyHtml;
    element.data.outerText = FakeHtml::renderText(bodyHtml);
    FakeHtml::parseInto(element, bodyHtml);
    return page;
}

std::shared_ptr<FakeBrowser> FakeBrowser::addFrameHtml(const QString& url, const QString& html) {
    std::shared_ptr<FakeBrowser> frame = addFrame(url, QString());
    frame->showHtml(url, html);
    // A frame's location is its top page's.
    frame->location = location;
    return frame;
}

DocumentPtr FakeBrowser::document() {
    hit(QStringLiteral("document"));
    if (!page) {
        throw PageError(QStringLiteral("fake browser shows no document"));
    }
    return page;
}

QString FakeBrowser::locationUrl() {
    hit(QStringLiteral("locationUrl"));
    return location;
}

void FakeBrowser::navigate(const QString& url) {
    hit(QStringLiteral("navigate"));
    if (!QUrl(url).isValid()) {
        throw PageError(QStringLiteral("fake browser refuses ") + url);
    }
    navigated << url;
    if (onNavigate) {
        onNavigate(*this, url);
    }
}

void FakeBrowser::goBack() {
    hit(QStringLiteral("goBack"));
    ++backs;
    if (onGoBack) {
        onGoBack(*this);
    }
}

void FakeBrowser::reload() {
    hit(QStringLiteral("reload"));
    ++reloads;
}

void FakeBrowser::openInNewWindow(const QString& url) {
    hit(QStringLiteral("openInNewWindow"));
    openedInNewWindow << url;
}

std::vector<BrowserPtr> FakeBrowser::frames() {
    hit(QStringLiteral("frames"));
    return frameList;
}

void FakeBrowser::postKey(int virtualKey, bool down) {
    hit(QStringLiteral("postKey"));
    keys.emplace_back(virtualKey, down);
}

QString FakeBrowser::cookieHeader(const QString& url) {
    hit(QStringLiteral("cookieHeader"));
    return cookies.value(url);
}

void FakeBrowser::loadHtml(const QString& html) {
    hit(QStringLiteral("loadHtml"));
    loadedHtml << html;
    page = std::make_shared<FakeDocument>(QStringLiteral("about:blank"), QString(), calls_);
    page->bodyElement()->data.innerHtml = html;
    FakeHtml::parseInto(*page->bodyElement(), html);
}

void FakeBrowser::setSilent(bool value) {
    hit(QStringLiteral("setSilent"));
    silent = value;
}

void FakeBrowser::paste() {
    hit(QStringLiteral("paste"));
    ++pastes;
}

}  // namespace vorlaken
