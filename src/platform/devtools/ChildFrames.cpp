#include "ChildFrames.h"

#include <algorithm>

#include <QJsonArray>

namespace vorlaken {

namespace {

const QString kObjectGroup = QStringLiteral("vorlaken-frames");

// Each owner element's rank in document order among the owners in this document; -1 for an owner in
// another document (a frame of a frame) or out of the page.
const char kOwnerPositions[] = R"JS(function (...owners) {
  const mine = owners.map((o, i) => [o, i]).filter(([o]) => o && o.ownerDocument === document && o.isConnected);
  mine.sort((a, b) => (a[0].compareDocumentPosition(b[0]) & Node.DOCUMENT_POSITION_FOLLOWING) ? -1 : 1);
  const rank = owners.map(() => -1);
  mine.forEach(([o, i], r) => { rank[i] = r; });
  return rank;
})JS";

QJsonObject findFrame(const QJsonObject& tree, const QString& frameId) {
    if (tree.value(QLatin1String("frame")).toObject().value(QLatin1String("id")).toString() == frameId) {
        return tree;
    }
    for (const QJsonValue& child : tree.value(QLatin1String("childFrames")).toArray()) {
        const QJsonObject found = findFrame(child.toObject(), frameId);
        if (!found.isEmpty()) {
            return found;
        }
    }
    return {};
}

}  // namespace

std::vector<FrameContext> ChildFrames(const FrameContext& parent, std::size_t limit) {
    const DevToolsConnectionPtr& connection = parent.connection();
    connection->attachFrameSessions();
    const int parentWorld = parent.world();

    // The frame tree first: the sessions of cross-process frames that came or went meanwhile are
    // announced on the socket before its answer.
    const QJsonObject tree =
        findFrame(connection->call(QStringLiteral("Page.getFrameTree"), {}, parent.sessionId())
                      .value(QLatin1String("frameTree"))
                      .toObject(),
                  parent.frameId());
    // Candidates: this session's frames below the parent, and every cross-process frame. Owners
    // outside the parent's document drop out when they are placed.
    const QHash<QString, QString> remote = connection->frameSessions();
    QHash<QString, QString> sessionOfFrame;
    for (auto it = remote.cbegin(); it != remote.cend(); ++it) {
        sessionOfFrame.insert(it.value(), it.key());
    }
    std::vector<FrameContext> candidates;
    for (const QJsonValue& child : tree.value(QLatin1String("childFrames")).toArray()) {
        const QString frameId =
            child.toObject().value(QLatin1String("frame")).toObject().value(QLatin1String("id")).toString();
        if (!sessionOfFrame.contains(frameId)) {
            candidates.emplace_back(connection, parent.sessionId(), frameId);
        }
    }
    for (auto it = sessionOfFrame.cbegin(); it != sessionOfFrame.cend(); ++it) {
        candidates.emplace_back(connection, it.value(), it.key());
    }
    if (candidates.empty()) {
        return {};
    }

    std::vector<DevToolsConnection::Command> owners;
    for (const FrameContext& frame : candidates) {
        owners.push_back({QStringLiteral("DOM.getFrameOwner"),
                          {{QStringLiteral("frameId"), frame.frameId()}},
                          parent.sessionId()});
    }
    const auto ownerReplies = connection->callAll(owners);
    std::vector<DevToolsConnection::Command> resolves;
    std::vector<FrameContext> owned;
    for (std::size_t i = 0; i < ownerReplies.size(); ++i) {
        const int node = ownerReplies[i].result.value(QLatin1String("backendNodeId")).toInt();
        if (ownerReplies[i].ok() && node != 0) {
            resolves.push_back({QStringLiteral("DOM.resolveNode"),
                                {{QStringLiteral("backendNodeId"), node},
                                 {QStringLiteral("executionContextId"), parentWorld},
                                 {QStringLiteral("objectGroup"), kObjectGroup}},
                                parent.sessionId()});
            owned.push_back(candidates[i]);
        }
    }
    const auto resolveReplies = connection->callAll(resolves);
    QJsonArray arguments;
    std::vector<FrameContext> resolved;
    for (std::size_t i = 0; i < resolveReplies.size(); ++i) {
        const QString objectId = resolveReplies[i]
                                     .result.value(QLatin1String("object"))
                                     .toObject()
                                     .value(QLatin1String("objectId"))
                                     .toString();
        if (resolveReplies[i].ok() && !objectId.isEmpty()) {
            arguments.append(QJsonObject{{QStringLiteral("objectId"), objectId}});
            resolved.push_back(owned[i]);
        }
    }
    if (resolved.empty()) {
        return {};
    }
    // The owners are placed in one call; their handles go with the group, whatever happens.
    QJsonArray positions;
    try {
        const QJsonObject placed =
            connection->call(QStringLiteral("Runtime.callFunctionOn"),
                             {{QStringLiteral("functionDeclaration"), QString::fromLatin1(kOwnerPositions)},
                              {QStringLiteral("executionContextId"), parentWorld},
                              {QStringLiteral("arguments"), arguments},
                              {QStringLiteral("returnByValue"), true}},
                             parent.sessionId());
        positions = placed.value(QLatin1String("result")).toObject().value(QLatin1String("value")).toArray();
    } catch (...) {
        connection->post(QStringLiteral("Runtime.releaseObjectGroup"),
                         {{QStringLiteral("objectGroup"), kObjectGroup}}, parent.sessionId());
        throw;
    }
    connection->post(QStringLiteral("Runtime.releaseObjectGroup"),
                     {{QStringLiteral("objectGroup"), kObjectGroup}}, parent.sessionId());

    std::vector<std::pair<int, std::size_t>> order;
    for (std::size_t i = 0; i < resolved.size(); ++i) {
        const int position = positions.at(qsizetype(i)).toInt(-1);
        if (position >= 0) {
            order.emplace_back(position, i);
        }
    }
    std::sort(order.begin(), order.end());
    std::vector<FrameContext> frames;
    for (const auto& entry : order) {
        if (frames.size() == limit) {
            break;
        }
        frames.push_back(resolved[entry.second]);
    }
    FrameContext::prepareWorlds(frames);
    return frames;
}

}  // namespace vorlaken
