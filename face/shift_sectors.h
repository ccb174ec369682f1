// Paints the shift periods of the displayed day on the face ring in the crews' colours.
#pragma once

#include "app/clock_state.h"
#include "platform/canvas.h"

namespace dorvalen {

// Needs the face disc drawn in faceBackground and ModeDefault in force.
void paintShiftSectors(Canvas& canvas, const ClockState& state, int r);

}  // namespace dorvalen
