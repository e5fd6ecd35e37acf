#pragma once

#include <vector>

#include <QString>
#include <QUrl>

namespace vorlaken {

// A page (tab) of the browser as its DevTools endpoint lists it.
struct PageTarget {
    QString id;
    QString url;
    QUrl webSocketUrl;  // built from the endpoint, never taken from the answer
};

// The page targets of the endpoint, most recently activated first. Throws BrowserGoneError when the
// endpoint does not answer, TimeoutError when it answers too slowly.
std::vector<PageTarget> ListPageTargets(const QUrl& endpoint, int boundMs);

}  // namespace vorlaken
