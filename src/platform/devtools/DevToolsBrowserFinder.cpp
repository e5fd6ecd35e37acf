#include "DevToolsBrowserFinder.h"

#include <QDeadlineTimer>
#include <QHash>
#include <QJsonArray>

#include "common/Termination.h"
#include "platform/devtools/DevToolsBrowser.h"
#include "platform/devtools/DevToolsConnection.h"
#include "platform/devtools/PageProbe.h"

namespace vorlaken {

namespace {

// Pages looked at beyond the most recent ones cost a connection each without changing the answer
// in practice.
constexpr std::size_t kPagesExamined = 8;

BrowserPtr topLevelPage(std::shared_ptr<DevToolsConnection> connection, const QString& targetId) {
    return std::make_shared<DevToolsBrowser>(FrameContext(std::move(connection), QString(), targetId), true);
}

}  // namespace

BrowserPtr DevToolsBrowserFinder::discover() {
    std::optional<Found> found = find();
    if (!found)
        return nullptr;
    // The chosen page has just answered; its own connection serves the commands that follow.
    return topLevelPage(found->connection, found->pages[found->chosen].id);
}

WindowTabs DevToolsBrowserFinder::discoverWindowTabs() {
    std::optional<Found> found = find();
    if (!found)
        return {};
    return windowOf(*found);
}

std::optional<DevToolsBrowserFinder::Found> DevToolsBrowserFinder::find() {
    // One bound for the whole search, however many places and pages: a browser whose pages never
    // answer holds a command no longer than one call to a page would.
    const QDeadlineTimer deadline(DevToolsConnection::kBoundMs);
    for (const DevToolsEndpoint& endpoint : DevToolsEndpointCandidates()) {
        if (deadline.hasExpired() || Termination::requested())
            break;
        try {
            if (std::optional<Found> found = findAt(endpoint, deadline)) {
                lastEndpoint_ = endpoint;
                return found;
            }
        } catch (const PageError&) {
            // A stale port file or a browser that went away: try the next place.
        }
    }
    return std::nullopt;
}

std::optional<DevToolsBrowserFinder::Found> DevToolsBrowserFinder::findAt(const DevToolsEndpoint& endpoint,
                                                                          const QDeadlineTimer& deadline) {
    Found found;
    found.pages = ListPageTargets(endpoint.url, int(qMax<qint64>(1, deadline.remainingTime())));
    std::vector<PageTarget> recent(
        found.pages.begin(), found.pages.begin() + std::ptrdiff_t(qMin(found.pages.size(), kPagesExamined)));
    const std::vector<PageLook> looks = ProbePages(recent, deadline);
    const int chosen = ChooseLookedAtPage(looks, std::vector<bool>(looks.size(), true), nullptr);
    if (chosen < 0 || Termination::requested())
        return std::nullopt;
    found.chosen = std::size_t(chosen);
    found.connection = DevToolsConnection::open(found.pages[found.chosen].webSocketUrl);
    return found;
}

WindowTabs DevToolsBrowserFinder::windowOf(const Found& found) {
    WindowTabs window;
    const PageTarget& lookedAt = found.pages[found.chosen];
    const auto alone = [&] {
        window.tabs = {topLevelPage(found.connection, lookedAt.id)};
        window.lookedAt = 0;
        return window;
    };

    // The endpoint's list comes most recently used first, which would change with every look; the
    // browser's own list of targets does not move with use.
    QHash<QString, const PageTarget*> listed;
    for (const PageTarget& page : found.pages)
        listed.insert(page.id, &page);
    std::vector<const PageTarget*> ordered;
    try {
        const QJsonArray infos = found.connection->call(QStringLiteral("Target.getTargets"))
                                     .value(QLatin1String("targetInfos"))
                                     .toArray();
        for (const QJsonValue& info : infos) {
            const PageTarget* page = listed.take(info.toObject().value(QLatin1String("targetId")).toString());
            if (page)
                ordered.push_back(page);
        }
    } catch (const PageError&) {
        return alone();
    }

    std::vector<DevToolsConnection::Command> questions;
    for (const PageTarget* page : ordered)
        questions.push_back(
            {QStringLiteral("Browser.getWindowForTarget"), {{QStringLiteral("targetId"), page->id}}, {}});
    std::vector<DevToolsConnection::Reply> windows;
    try {
        windows = found.connection->callAll(questions);
    } catch (const PageError&) {
        return alone();
    }
    const auto windowId = [&](std::size_t i) {
        return windows[i].ok() ? windows[i].result.value(QLatin1String("windowId")).toInteger(-1) : -1;
    };
    qint64 ownWindow = -1;
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        if (ordered[i] == &lookedAt)
            ownWindow = windowId(i);
    }
    if (ownWindow < 0)
        return alone();

    for (std::size_t i = 0; i < ordered.size() && !Termination::requested(); ++i) {
        if (windowId(i) != ownWindow)
            continue;
        if (ordered[i] == &lookedAt) {
            window.lookedAt = int(window.tabs.size());
            window.tabs.push_back(topLevelPage(found.connection, lookedAt.id));
            continue;
        }
        try {
            window.tabs.push_back(
                topLevelPage(DevToolsConnection::open(ordered[i]->webSocketUrl), ordered[i]->id));
        } catch (const PageError&) {
            // A tab closed meanwhile, or one that does not answer: the others are still worth having.
        }
    }
    if (window.lookedAt < 0)
        return alone();
    return window;
}

}  // namespace vorlaken
