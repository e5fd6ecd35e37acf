#include "BrowserProbe.h"

#include <QJsonObject>
#include <QTest>

#include "platform/devtools/DevToolsBrowser.h"
#include "platform/devtools/DevToolsBrowserFinder.h"
#include "platform/devtools/PageScripts.h"
#include "support/BrowserDiscovery.h"

using namespace vorlaken;

namespace probe {

QJsonValue evaluate(Browser& browser, const QString& expression) {
    return static_cast<DevToolsBrowser&>(browser).frame().evaluate(expression);
}

QJsonValue evaluateInPage(Browser& browser, const QString& expression) {
    const FrameContext& frame = static_cast<DevToolsBrowser&>(browser).frame();
    return frame.connection()
        ->call(QStringLiteral("Runtime.evaluate"),
               {{QStringLiteral("expression"), expression}, {QStringLiteral("returnByValue"), true}},
               frame.sessionId())
        .value(QLatin1String("result"))
        .toObject()
        .value(QLatin1String("value"));
}

bool waitFor(Browser& browser, const QString& expression, int timeoutMs) {
    return QTest::qWaitFor(
        [&] {
            try {
                return evaluate(browser, expression).toBool();
            } catch (const PageError&) {
                return false;
            }
        },
        timeoutMs);
}

BrowserPtr openPage(const QString& url) {
    DevToolsBrowserFinder finder;
    BrowserPtr browser = vorlaken::test::DiscoverWhenReady(finder);
    if (!browser) {
        return nullptr;
    }
    browser->navigate(url);
    const QString loaded = QStringLiteral("location.href === %1 && document.readyState !== 'loading'")
                               .arg(PageScripts::literal(url));
    return waitFor(*browser, loaded) ? browser : nullptr;
}

}  // namespace probe
