// Paints the shift periods of the displayed day on the face ring in the crews' colours.
#pragma once

#include "core/calendar.h"
#include "canvas/canvas.h"

namespace dorvalen {

// Needs the face disc drawn in faceBackground; the under-dial ring (drawUnderDialRing), when
// drawn first, stops the fills at the dial so they skip the area it covers. Leaves
// ModeDefault.
void paintShiftSectors(Canvas& canvas, const Frame& frame, int r);

}  // namespace dorvalen
