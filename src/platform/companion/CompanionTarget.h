#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include "platform/companion/CompanionConnection.h"

namespace vorlaken {

// One frame of a tab that the companion extension reaches: every request names the tab and the frame
// (0 for the tab's top document). Elements and collections in it are named by locators, lists of steps
// from the document ([["images"], ["item", 3], ["parent"]]) that the content script resolves afresh
// for every request.
class CompanionTarget {
  public:
    CompanionTarget(CompanionConnectionPtr connection, qint64 tab, qint64 frame);

    // The operation on this frame, with its parameters; one message, one bound.
    QJsonValue call(const QString& operation, QJsonObject params = QJsonObject()) const;
    // The same for what a locator names.
    QJsonValue callOn(const QJsonArray& locator, const QString& operation,
                      QJsonObject params = QJsonObject()) const;

    CompanionTarget frame(qint64 frameId) const { return CompanionTarget(connection_, tab_, frameId); }

    // The locator of a document collection (images, links, forms, all, body).
    static QJsonArray root(const QString& name);
    // The locator one step further.
    static QJsonArray step(QJsonArray locator, const QString& name);
    static QJsonArray item(QJsonArray locator, int index);

    const CompanionConnectionPtr& connection() const { return connection_; }
    qint64 tab() const { return tab_; }
    qint64 frameId() const { return frame_; }

  private:
    CompanionConnectionPtr connection_;
    qint64 tab_;
    qint64 frame_;
};

}  // namespace vorlaken
