#include "modes/LinkHarvest.h"

#include <QRegularExpression>

#include "capture/PageBody.h"
#include "common/TextRoutines.h"
#include "modes/MemoLines.h"

namespace vorlaken {

namespace {

constexpr int kHeaderLines = 11;
const QString kSourceUrl = QStringLiteral("SourceURL:");

}  // namespace

QString LinkHarvest::sourceUrlLine(const QString& html) {
    const QStringList lines = html.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    for (int i = 0; i < kHeaderLines && i < lines.size(); ++i) {
        if (lines[i].startsWith(kSourceUrl))
            return lines[i].mid(kSourceUrl.size());
    }
    return QString();
}

QString LinkHarvest::scratchMarkup(const QString& html, const QString& baseUrl) {
    if (baseUrl.isEmpty())
        return html;
    // The first base of a document is the one that counts.
    return QStringLiteral("<base href=\"") + HtmlEscape(baseUrl) + QStringLiteral("\">") + html;
}

QString LinkHarvest::baseOf(const QString& html, const QString& pageUrl, Browser& scratch, Element& body) {
    body.setInnerHtml(html);
    QString written;
    for (const ElementData& e : scratch.document()->all()->read(kTagName | kHrefAttribute)) {
        if (e.tagName == QLatin1String("BASE") && !e.hrefAttribute.trimmed().isEmpty()) {
            written = e.hrefAttribute;
            break;
        }
    }
    if (written.isEmpty())
        return pageUrl;
    body.setInnerHtml(scratchMarkup(
        QStringLiteral("<a href=\"") + HtmlEscape(written) + QStringLiteral("\"></a>"), pageUrl));
    const std::vector<ElementData> resolved = scratch.document()->links()->read(kLinkAddress);
    const QString base = resolved.empty() ? QString() : resolved.front().linkAddress;
    // A base of a scheme no browser takes one from leaves the page's address in force.
    static const QRegularExpression kWeb(QStringLiteral("^(https?|ftp|file):"),
                                         QRegularExpression::CaseInsensitiveOption);
    return kWeb.match(base).hasMatch() ? base : pageUrl;
}

void LinkHarvest::add(QStringList& results, const QString& address) {
    if (!results.contains(address, Qt::CaseInsensitive))
        results << address;
}

QStringList LinkHarvest::Harvest(const DropContent& drop, const Options& options, Browser& scratch) {
    QString url = drop.url;
    if (url.isEmpty() && !drop.html.isEmpty())
        url = drop.sourceUrl.isEmpty() ? sourceUrlLine(drop.html) : drop.sourceUrl;

    QStringList results;
    if (drop.html.isEmpty()) {
        if (!url.isEmpty() && options.includeItself)
            add(results, url);
        return results;
    }
    if (!url.isEmpty() && options.includeItself)
        add(results, url);
    try {
        ElementPtr body = PageBody(scratch);
        body->setContentEditable(true);
        const QString base = url.isEmpty() ? QString() : baseOf(drop.html, url, scratch, *body);
        body->setInnerHtml(scratchMarkup(drop.html, base));
        const std::vector<ElementData> links = scratch.document()->links()->read(kLinkAddress);
        for (const ElementData& link : links) {
            const QString& address = link.linkAddress;
            // A link the page's address cannot resolve leads nowhere from the list.
            if (address.isEmpty() || address.contains(u'#'))
                continue;
            if (!options.scriptLinks && address.toLower().contains(QLatin1String("javascript:")))
                continue;
            add(results, address);
        }
    } catch (const PageError&) {
    }
    return results;
}

QString LinkHarvest::appendNew(const QString& listText, const QStringList& addresses) {
    QStringList added;
    for (const QString& address : addresses) {
        if (!MemoLines::contains(listText, address) && !added.contains(address, Qt::CaseInsensitive))
            added << address;
    }
    return MemoLines::append(listText, added);
}

}  // namespace vorlaken
