// The small moon below the dial centre: lit and dark parts, terminator half-ellipse,
// turned as the real moon appears at the configured place.
#pragma once

#include "app/clock_state.h"
#include "platform/canvas.h"

namespace dorvalen {

void plotEllipse(Canvas& canvas, int cx, int cy, int a, int b, double angleDeg, Colour colour);
void drawMoonPicture(Canvas& canvas, const ClockState& state, int r);

}  // namespace dorvalen
