#pragma once

#include <QString>

namespace vorlaken {

// The Windows virtual key code of a key the user pressed (a Qt::Key and the text it typed), as the
// navigation key's code box shows it; 0 for a key that has none.
int VirtualKeyOf(int qtKey, const QString& text);

}  // namespace vorlaken
