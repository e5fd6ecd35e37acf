#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "common/ToolbarButtonRegistry.h"

namespace vorlaken {

// The toolbar button's registry for unit tests: keeps the buttons registered, in memory.
class FakeToolbarButtonRegistry : public ToolbarButtonRegistry {
  public:
    QList<Button> registered;  // every registration, in order
    QStringList unregistered;  // the identifiers of every unregistering
    QStringList notes;         // what registerButton returns
    QString refusal;           // when set, registerButton throws PlatformError with it

    QStringList registerButton(const Button& button) override;
    void unregisterButton(const QString& identifier) override;
};

}  // namespace vorlaken
