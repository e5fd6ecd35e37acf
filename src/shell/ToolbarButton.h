#pragma once

#include <QString>

namespace vorlaken {

class Desktop;
class ProgramDir;
class ToolbarButtonRegistry;

// "Display an icon on IE toolbar band(Recommend)" (ieLabel1): registers grabnest's button on the
// browsers' toolbar, a button that starts the running executable, with grabhot.ico for both icons.
// Without grabnest.ico beside the program it says so and registers nothing; a refused write is
// reported instead of the closing message. What some browser still needs by hand follows as a message
// of its own.
void ShowToolbarButton(const ProgramDir& dir, const QString& executable, ToolbarButtonRegistry& registry,
                       Desktop& desktop);

// "Don't display an icon on IE toolbar band" (ielabel2): asks first; unless cancelled, takes the
// button out again.
void HideToolbarButton(ToolbarButtonRegistry& registry, Desktop& desktop);

}  // namespace vorlaken
