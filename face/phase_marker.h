// The phase marker: a triangle at the local time of a principal phase on the displayed
// day, and that time as text in the middle of the moon picture.
#pragma once

#include "core/clock_state.h"
#include "canvas/canvas.h"

namespace dorvalen {

// Entered and left in ModeDefault with the text font current.
void drawPhaseMarker(Canvas& canvas, const ClockState& state, int r);

}  // namespace dorvalen
