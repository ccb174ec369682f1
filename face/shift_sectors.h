// Paints the shift periods of the displayed day on the face ring in the crews' colours.
#pragma once

#include "core/calendar.h"
#include "canvas/canvas.h"

namespace dorvalen {

// Paints the face disc from the under-dial ring out to its rim, whatever lay there before.
// The under-dial ring (drawUnderDialRing), when drawn first, stops the fills at the dial so
// they skip the area it covers; without it the disc inside must be in faceBackground.
// Leaves ModeDefault.
void paintShiftSectors(Canvas& canvas, const Frame& frame, int r);

}  // namespace dorvalen
