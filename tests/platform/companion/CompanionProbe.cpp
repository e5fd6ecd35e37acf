#include "CompanionProbe.h"

#include <QJsonArray>
#include <QTest>

#include "platform/companion/CompanionBrowser.h"
#include "support/CompanionRuntime.h"

using namespace vorlaken;

namespace companionprobe {

QString readyState(Browser& browser) {
    return static_cast<CompanionBrowser&>(browser)
        .target()
        .call(QStringLiteral("document"))
        .toArray()
        .at(3)
        .toString();
}

bool waitForLoaded(Browser& browser, const QString& url, int timeoutMs) {
    return QTest::qWaitFor(
        [&] {
            try {
                return browser.locationUrl() == url && readyState(browser) == QLatin1String("complete");
            } catch (const PageError&) {
                return false;  // between two documents
            }
        },
        timeoutMs);
}

BrowserPtr openPage(const test::CompanionRuntime& runtime, const QString& url) {
    BrowserPtr browser = runtime.waitForBrowser();
    if (!browser)
        return nullptr;
    browser->navigate(url);
    return waitForLoaded(*browser, url) ? browser : nullptr;
}

}  // namespace companionprobe
