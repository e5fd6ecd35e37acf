#include "FakeToolbarButtonRegistry.h"

#include "common/Errors.h"

namespace vorlaken {

QStringList FakeToolbarButtonRegistry::registerButton(const Button& button) {
    if (!refusal.isEmpty())
        throw PlatformError(refusal);
    registered.append(button);
    return notes;
}

void FakeToolbarButtonRegistry::unregisterButton(const QString& identifier) {
    unregistered.append(identifier);
}

}  // namespace vorlaken
