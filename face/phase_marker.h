// The phase marker: a triangle at the local time of a principal phase on the displayed
// day, and that time as text in the middle of the moon picture.
#pragma once

#include "core/calendar.h"
#include "canvas/canvas.h"

namespace dorvalen {

// Entered and left in ModeDefault with the text font current.
void drawPhaseMarker(Canvas& canvas, const Frame& frame, int r);

}  // namespace dorvalen
