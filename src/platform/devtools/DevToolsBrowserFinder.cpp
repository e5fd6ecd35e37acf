#include "DevToolsBrowserFinder.h"

#include <QDeadlineTimer>

#include "common/Termination.h"
#include "platform/devtools/DevToolsBrowser.h"
#include "platform/devtools/DevToolsConnection.h"
#include "platform/devtools/PageProbe.h"
#include "platform/devtools/PageTargets.h"

namespace vorlaken {

namespace {

// Pages looked at beyond the most recent ones cost a connection each without changing the answer
// in practice.
constexpr std::size_t kPagesExamined = 8;

}  // namespace

BrowserPtr DevToolsBrowserFinder::discover() {
    // One bound for the whole search, however many places and pages: a browser whose pages never
    // answer holds a command no longer than one call to a page would.
    const QDeadlineTimer deadline(DevToolsConnection::kBoundMs);
    for (const DevToolsEndpoint& endpoint : DevToolsEndpointCandidates()) {
        if (deadline.hasExpired() || Termination::requested())
            break;
        try {
            if (BrowserPtr browser = discoverAt(endpoint, deadline)) {
                lastEndpoint_ = endpoint;
                return browser;
            }
        } catch (const PageError&) {
            // A stale port file or a browser that went away: try the next place.
        }
    }
    return nullptr;
}

BrowserPtr DevToolsBrowserFinder::discoverAt(const DevToolsEndpoint& endpoint,
                                             const QDeadlineTimer& deadline) {
    std::vector<PageTarget> pages =
        ListPageTargets(endpoint.url, int(qMax<qint64>(1, deadline.remainingTime())));
    if (pages.size() > kPagesExamined)
        pages.resize(kPagesExamined);
    const std::vector<PageLook> looks = ProbePages(pages, deadline);
    const int chosen = ChooseLookedAtPage(looks, std::vector<bool>(looks.size(), true), nullptr);
    if (chosen < 0 || Termination::requested())
        return nullptr;
    // The chosen page has just answered; its own connection serves the commands that follow.
    auto connection = DevToolsConnection::open(pages[std::size_t(chosen)].webSocketUrl);
    return std::make_shared<DevToolsBrowser>(
        FrameContext(connection, QString(), pages[std::size_t(chosen)].id), true);
}

}  // namespace vorlaken
