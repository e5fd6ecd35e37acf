#include "FrameContext.h"

#include <QJsonObject>

#include "common/Errors.h"

namespace vorlaken {

namespace {

const QString kWorldName = QStringLiteral("vorlaken");

bool isLostContext(const QString& error) {
    // The frame navigated (or was replaced) since its world was made: the world must be made anew.
    return error.contains(QLatin1String("context"), Qt::CaseInsensitive);
}

}  // namespace

FrameContext::FrameContext(DevToolsConnectionPtr connection, QString sessionId, QString frameId)
    : connection_(std::move(connection)), sessionId_(std::move(sessionId)), frameId_(std::move(frameId)) {}

DevToolsConnection::Command FrameContext::worldCommand(const QString& frameId, const QString& sessionId) {
    return {QStringLiteral("Page.createIsolatedWorld"),
            {{QStringLiteral("frameId"), frameId}, {QStringLiteral("worldName"), kWorldName}},
            sessionId};
}

int FrameContext::world() const {
    int id = connection_->isolatedWorld(sessionId_, frameId_);
    if (id == 0) {
        const DevToolsConnection::Command command = worldCommand(frameId_, sessionId_);
        id = connection_->call(command.method, command.params, command.sessionId)
                 .value(QLatin1String("executionContextId"))
                 .toInt();
        if (id == 0) {
            throw PageError(QStringLiteral("The frame has no document to read."));
        }
        connection_->rememberIsolatedWorld(sessionId_, frameId_, id);
    }
    return id;
}

void FrameContext::prepareWorlds(const std::vector<FrameContext>& frames) {
    std::vector<DevToolsConnection::Command> commands;
    std::vector<const FrameContext*> asked;
    for (const FrameContext& frame : frames) {
        if (frame.connection_->isolatedWorld(frame.sessionId_, frame.frameId_) == 0) {
            commands.push_back(worldCommand(frame.frameId_, frame.sessionId_));
            asked.push_back(&frame);
        }
    }
    if (commands.empty()) {
        return;
    }
    const auto replies = asked.front()->connection_->callAll(commands);
    for (std::size_t i = 0; i < replies.size(); ++i) {
        const int id = replies[i].result.value(QLatin1String("executionContextId")).toInt();
        if (replies[i].ok() && id != 0) {
            asked[i]->connection_->rememberIsolatedWorld(asked[i]->sessionId_, asked[i]->frameId_, id);
        }
    }
}

QJsonValue FrameContext::evaluate(const QString& expression, bool userGesture) const {
    for (int attempt = 0;; ++attempt) {
        const int contextId = world();
        const DevToolsConnection::Reply reply =
            connection_
                ->callAll({{QStringLiteral("Runtime.evaluate"),
                            {{QStringLiteral("expression"), expression},
                             {QStringLiteral("contextId"), contextId},
                             {QStringLiteral("returnByValue"), true},
                             {QStringLiteral("userGesture"), userGesture}},
                            sessionId_}})
                .front();
        if (!reply.ok()) {
            if (attempt == 0 && isLostContext(reply.error)) {
                connection_->forgetIsolatedWorld(sessionId_, frameId_);
                continue;
            }
            throw PageError(reply.error);
        }
        const QJsonObject exception = reply.result.value(QLatin1String("exceptionDetails")).toObject();
        if (!exception.isEmpty()) {
            QString text = exception.value(QLatin1String("exception"))
                               .toObject()
                               .value(QLatin1String("description"))
                               .toString();
            if (text.isEmpty()) {
                text = exception.value(QLatin1String("text")).toString();
            }
            throw PageError(text);
        }
        return reply.result.value(QLatin1String("result")).toObject().value(QLatin1String("value"));
    }
}

}  // namespace vorlaken
