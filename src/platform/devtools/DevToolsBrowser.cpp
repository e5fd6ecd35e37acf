#include "DevToolsBrowser.h"

#include <algorithm>

#include <QHash>
#include <QJsonArray>
#include <QUrl>

#include "platform/devtools/ChildFrames.h"
#include "platform/devtools/DevToolsDocument.h"
#include "platform/devtools/PageScripts.h"
#include "platform/pagescript/KeyMapping.h"

namespace vorlaken {

namespace {

constexpr std::size_t kMaxFrames = 100;
constexpr qsizetype kCookieBatch = 500;

// The Cookie header of the cookies the browser holds for one address.
QString headerOf(const QJsonArray& cookies) {
    // Browsers send cookies with longer paths first.
    std::vector<QJsonObject> sorted;
    for (const QJsonValue& cookie : cookies) {
        sorted.push_back(cookie.toObject());
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const QJsonObject& a, const QJsonObject& b) {
        return a.value(QLatin1String("path")).toString().size() >
               b.value(QLatin1String("path")).toString().size();
    });
    QStringList pairs;
    for (const QJsonObject& cookie : sorted) {
        pairs << cookie.value(QLatin1String("name")).toString() + QLatin1Char('=') +
                     cookie.value(QLatin1String("value")).toString();
    }
    return pairs.join(QStringLiteral("; "));
}

}  // namespace

DevToolsBrowser::DevToolsBrowser(FrameContext frame, bool topLevel)
    : frame_(std::move(frame)), topLevel_(topLevel) {}

DocumentPtr DevToolsBrowser::document() {
    const QJsonArray found =
        frame_.evaluate(QStringLiteral("[document.contentType, document.URL, document.title]")).toArray();
    const QString type = found.at(0).toString();
    if (type != QLatin1String("text/html") && type != QLatin1String("application/xhtml+xml")) {
        throw PageError(QStringLiteral("The frame shows no HTML document (%1).").arg(type));
    }
    return std::make_shared<DevToolsDocument>(
        frame_, DevToolsDocument::Prefetch{found.at(1).toString(), found.at(2).toString()});
}

QString DevToolsBrowser::locationUrl() {
    if (topLevel_) {
        try {
            const QJsonObject history =
                frame_.connection()->call(QStringLiteral("Page.getNavigationHistory"));
            const QJsonValue current = history.value(QLatin1String("entries"))
                                           .toArray()
                                           .at(history.value(QLatin1String("currentIndex")).toInt());
            if (current.isObject()) {
                return current.toObject().value(QLatin1String("url")).toString();
            }
        } catch (const BrowserGoneError&) {
            throw;
        } catch (const PageError&) {
            // Between two documents (one coming back from the page cache, say) the browser has no
            // history to give; the document itself answers once it is there.
        }
    }
    return frame_.evaluate(QStringLiteral("location.href")).toString();
}

void DevToolsBrowser::navigate(const QString& url) {
    // The browser's own address parser decides what it refuses, as Page.navigate would; asked first,
    // because Page.navigate itself answers only once the new page is there. A page that cannot run
    // the question (its document is going) does not keep the browser from leaving it.
    bool refused = false;
    try {
        refused = !frame_
                       .evaluate(QStringLiteral("(() => { try { new URL(%1); return true; } catch (e) { "
                                                "return false; } })()")
                                     .arg(PageScripts::literal(url)))
                       .toBool();
    } catch (const BrowserGoneError&) {
        throw;
    } catch (const PageError&) {
    }
    if (refused) {
        throw PageError(QStringLiteral("The browser refuses to go to %1.").arg(url));
    }
    frame_.connection()->post(QStringLiteral("Page.navigate"),
                              {{QStringLiteral("url"), url}, {QStringLiteral("frameId"), frame_.frameId()}},
                              frame_.sessionId());
}

void DevToolsBrowser::goBack() {
    frame_.evaluate(QStringLiteral("history.back(), true"));
}

void DevToolsBrowser::reload() {
    frame_.evaluate(QStringLiteral("location.reload(), true"));
}

void DevToolsBrowser::openInNewWindow(const QString& url) {
    frame_.connection()->call(QStringLiteral("Target.createTarget"),
                              {{QStringLiteral("url"), url}, {QStringLiteral("newWindow"), true}});
}

std::vector<BrowserPtr> DevToolsBrowser::frames() {
    std::vector<BrowserPtr> browsers;
    for (FrameContext& child : ChildFrames(frame_, kMaxFrames)) {
        browsers.push_back(std::make_shared<DevToolsBrowser>(std::move(child)));
    }
    return browsers;
}

void DevToolsBrowser::postKey(int virtualKey, bool down) {
    const KeyEventFields key = KeyForVirtualKey(virtualKey);
    QJsonObject params{{QStringLiteral("windowsVirtualKeyCode"), virtualKey},
                       {QStringLiteral("nativeVirtualKeyCode"), virtualKey},
                       {QStringLiteral("key"), key.key},
                       {QStringLiteral("code"), key.code}};
    if (!down) {
        params.insert(QStringLiteral("type"), QStringLiteral("keyUp"));
    } else if (key.text.isEmpty()) {
        params.insert(QStringLiteral("type"), QStringLiteral("rawKeyDown"));
    } else {
        params.insert(QStringLiteral("type"), QStringLiteral("keyDown"));
        params.insert(QStringLiteral("text"), key.text);
        params.insert(QStringLiteral("unmodifiedText"), key.text);
    }
    // Input belongs to the page as a whole; the browser routes it to the focused frame.
    frame_.connection()->call(QStringLiteral("Input.dispatchKeyEvent"), params);
}

QString DevToolsBrowser::cookieHeader(const QString& url) {
    return cookieHeaders({url}).value(0);
}

QStringList DevToolsBrowser::cookieHeaders(const QStringList& urls) {
    // Cookies follow scheme, host, port and path only: addresses that differ in their query or
    // fragment share one question.
    QStringList asked;
    QHash<QString, qsizetype> askedAt;
    std::vector<qsizetype> answerOf;
    answerOf.reserve(std::size_t(urls.size()));
    for (const QString& url : urls) {
        const QString key = QUrl(url).adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment).toString();
        auto known = askedAt.constFind(key);
        if (known == askedAt.constEnd()) {
            known = askedAt.insert(key, asked.size());
            asked.append(url);
        }
        answerOf.push_back(*known);
    }
    // Many questions travel together, each batch within the connection's bound.
    QStringList answers;
    answers.reserve(asked.size());
    for (qsizetype from = 0; from < asked.size(); from += kCookieBatch) {
        std::vector<DevToolsConnection::Command> commands;
        for (qsizetype i = from; i < qMin(asked.size(), from + kCookieBatch); ++i) {
            commands.push_back({QStringLiteral("Network.getCookies"),
                                {{QStringLiteral("urls"), QJsonArray{asked[i]}}},
                                QString()});
        }
        for (const DevToolsConnection::Reply& reply : frame_.connection()->callAll(commands)) {
            if (!reply.ok()) {
                throw PageError(reply.error);
            }
            answers.append(headerOf(reply.result.value(QLatin1String("cookies")).toArray()));
        }
    }
    QStringList headers;
    headers.reserve(urls.size());
    for (qsizetype at : answerOf) {
        headers.append(answers[at]);
    }
    return headers;
}

}  // namespace vorlaken
