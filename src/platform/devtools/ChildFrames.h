#pragma once

#include <vector>

#include "platform/devtools/FrameContext.h"

namespace vorlaken {

// The direct child frames of a frame's document in document order, at most `limit`: frames of the same
// process from the frame tree, cross-process frames from their attached sessions. Embedded objects
// that are no browser frames (plug-ins, pictures in <object>/<embed>) are not listed. Costs a fixed
// number of round trips however many frames there are; their isolated worlds come ready.
std::vector<FrameContext> ChildFrames(const FrameContext& parent, std::size_t limit);

}  // namespace vorlaken
