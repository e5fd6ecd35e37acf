#pragma once

#include <vector>

#include <QJsonValue>
#include <QString>

#include "platform/devtools/DevToolsConnection.h"

namespace vorlaken {

// One frame of the attached page, addressed by its DevTools session and frame id. Page reads and writes
// run in an isolated world of the frame: the page's own scripts share the DOM but not its prototypes or
// globals, so they cannot change what a read reports.
class FrameContext {
  public:
    FrameContext(DevToolsConnectionPtr connection, QString sessionId, QString frameId);

    // Runs the expression in the frame's isolated world and returns its value (by value, as JSON).
    // An exception in the page becomes a PageError.
    QJsonValue evaluate(const QString& expression, bool userGesture = false) const;
    // Creates the isolated world now if the connection does not know it yet (see prepareWorlds).
    int world() const;
    // Creates the isolated worlds of several frames of one connection with one round trip.
    static void prepareWorlds(const std::vector<FrameContext>& frames);

    const DevToolsConnectionPtr& connection() const { return connection_; }
    const QString& sessionId() const { return sessionId_; }
    const QString& frameId() const { return frameId_; }

  private:
    static DevToolsConnection::Command worldCommand(const QString& frameId, const QString& sessionId);

    DevToolsConnectionPtr connection_;
    QString sessionId_;
    QString frameId_;
};

}  // namespace vorlaken
