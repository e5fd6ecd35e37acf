#include "DevToolsBrowserFinder.h"

#include <QJsonArray>

#include "platform/devtools/DevToolsBrowser.h"
#include "platform/devtools/DevToolsConnection.h"
#include "platform/devtools/PageTargets.h"

namespace vorlaken {

namespace {

// Pages looked at beyond the most recent ones cost a connection each without changing the answer
// in practice.
constexpr std::size_t kPagesExamined = 8;

}  // namespace

BrowserPtr DevToolsBrowserFinder::discover() {
    for (const DevToolsEndpoint& endpoint : DevToolsEndpointCandidates()) {
        try {
            if (BrowserPtr browser = discoverAt(endpoint)) {
                lastEndpoint_ = endpoint;
                return browser;
            }
        } catch (const PageError&) {
            // A stale port file or a browser that went away: try the next place.
        }
    }
    return nullptr;
}

BrowserPtr DevToolsBrowserFinder::discoverAt(const DevToolsEndpoint& endpoint) {
    const std::vector<PageTarget> pages = ListPageTargets(endpoint.url, DevToolsConnection::kBoundMs);
    BrowserPtr firstVisible;
    BrowserPtr mostRecent;
    for (std::size_t i = 0; i < pages.size() && i < kPagesExamined; ++i) {
        try {
            auto connection = DevToolsConnection::open(pages[i].webSocketUrl);
            auto browser =
                std::make_shared<DevToolsBrowser>(FrameContext(connection, QString(), pages[i].id));
            const QJsonArray state =
                browser->frame()
                    .evaluate(QStringLiteral("[document.visibilityState === 'visible', document.hasFocus()]"))
                    .toArray();
            const bool visible = state.at(0).toBool();
            if (visible && state.at(1).toBool()) {
                return browser;
            }
            if (visible && !firstVisible) {
                firstVisible = browser;
            }
            if (!mostRecent) {
                mostRecent = browser;
            }
        } catch (const PageError&) {
            // A page that does not answer is not the one the user looks at.
        }
    }
    return firstVisible ? firstVisible : mostRecent;
}

}  // namespace vorlaken
