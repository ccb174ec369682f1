// Day arcs on the dial: the moon's hours as a yellow ring segment, the night and the
// twilight as shades. Each layer runs its own rise/set search.
#pragma once

#include "core/clock_state.h"
#include "canvas/canvas.h"

namespace dorvalen {

void drawMoonRing(Canvas& canvas, const ClockState& state, int r);
void drawShade(Canvas& canvas, const ClockState& state, int r, int eventKind, Colour colour);
void drawSunShade(Canvas& canvas, const ClockState& state, int r);
void drawTwilightShade(Canvas& canvas, const ClockState& state, int r);

}  // namespace dorvalen
