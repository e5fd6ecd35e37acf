#include "platform/companion/CompanionBrowserFinder.h"

#include <signal.h>
#include <cerrno>

#include <QDeadlineTimer>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>

#include "common/BoundedWait.h"
#include "common/Termination.h"
#include "platform/companion/CompanionBrowser.h"
#include "platform/companion/CompanionNames.h"

namespace vorlaken {

namespace {

// A socket left by a host that ended without removing it (killed, or its browser crashed).
bool isLeftBehind(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^host-(\\d+)\\.socket$"));
    const QRegularExpressionMatch match = pattern.match(name);
    bool ok = false;
    const qint64 pid = match.captured(1).toLongLong(&ok);
    return ok && pid > 0 && ::kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

struct Candidate {
    CompanionConnectionPtr connection;
    qint64 request = 0;
    std::optional<CompanionConnection::Reply> reply;
};

}  // namespace

CompanionBrowserFinder::CompanionBrowserFinder(QString socketFolder)
    : socketFolder_(socketFolder.isEmpty() ? CompanionNames::socketFolder() : std::move(socketFolder)) {}

std::optional<CompanionTarget> CompanionBrowserFinder::find() {
    const QDeadlineTimer deadline(CompanionConnection::kBoundMs);
    const QDir folder(socketFolder_);
    std::vector<Candidate> candidates;
    for (const QString& name : folder.entryList({QStringLiteral("*.socket")}, QDir::System | QDir::Files)) {
        if (deadline.hasExpired() || Termination::requested())
            break;
        try {
            Candidate candidate;
            candidate.connection = CompanionConnection::open(folder.filePath(name), deadline);
            candidate.request = candidate.connection->send(QStringLiteral("discover"));
            candidates.push_back(std::move(candidate));
        } catch (const PageError&) {
            if (isLeftBehind(name))
                QFile::remove(folder.filePath(name));
        }
    }
    // Every browser is asked at once; one that does not answer costs the bound once.
    BoundedWait wait(deadline);
    for (const Candidate& candidate : candidates)
        wait.wakeOn(candidate.connection.get(), &CompanionConnection::progressed);
    wait.until([&candidates] {
        bool all = true;
        for (Candidate& candidate : candidates) {
            if (!candidate.reply)
                candidate.reply = candidate.connection->take(candidate.request);
            all = all && (candidate.reply || !candidate.connection->isOpen());
        }
        return all;
    });

    const Candidate* chosen = nullptr;
    double chosenUse = -1;
    for (const Candidate& candidate : candidates) {
        if (!candidate.reply || !candidate.reply->ok())
            continue;
        const QJsonObject found = candidate.reply->result.toObject();
        const double lastUsed = found.value(QLatin1String("lastUsed")).toDouble();
        if (found.value(QLatin1String("tab")).isDouble() && lastUsed > chosenUse) {
            chosen = &candidate;
            chosenUse = lastUsed;
        }
    }
    if (!chosen || Termination::requested())
        return std::nullopt;
    const qint64 tab = qint64(chosen->reply->result.toObject().value(QLatin1String("tab")).toDouble());
    return CompanionTarget(chosen->connection, tab, 0);
}

BrowserPtr CompanionBrowserFinder::discover() {
    std::optional<CompanionTarget> page = find();
    if (!page)
        return nullptr;
    return std::make_shared<CompanionBrowser>(*page);
}

WindowTabs CompanionBrowserFinder::discoverWindowTabs() {
    std::optional<CompanionTarget> page = find();
    if (!page)
        return {};
    WindowTabs window;
    try {
        // The tab strip of the page's window, as the browser orders it.
        for (const QJsonValue& value : page->call(QStringLiteral("windowTabs")).toArray()) {
            if (!value.isDouble())
                continue;
            const qint64 tab = qint64(value.toDouble());
            if (tab == page->tab())
                window.lookedAt = int(window.tabs.size());
            window.tabs.push_back(
                std::make_shared<CompanionBrowser>(CompanionTarget(page->connection(), tab, 0)));
        }
    } catch (const PageError&) {
        // An extension of an earlier version does not list tabs: the page alone then.
    }
    if (window.lookedAt < 0) {
        window.tabs = {std::make_shared<CompanionBrowser>(*page)};
        window.lookedAt = 0;
    }
    return window;
}

}  // namespace vorlaken
