#pragma once

#include "capture/CaptureState.h"

namespace vorlaken {

// One capture of the page shown in state.attached: the top document and its direct frames.
// Merges the accepted pictures into state.table (or replaces it unless state.merge), and updates
// titleItems, titleText (unless state.lock), locationText, pageTitle, pageLocation, countLabel and probe.
// The page model is asked a fixed number of times per document, whatever the number of pictures.
// A frame that fails is skipped. Any other page-model failure propagates as PageError; the table is then
// left as it was (titleText/locationText may already show values of documents read before the failure).
// Requires state.attached.
void Capture(CaptureState& state, bool useEnhancedFilters);

}  // namespace vorlaken
