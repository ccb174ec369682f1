// Day arcs on the dial: the moon's hours as a yellow ring segment, the night and the
// twilight as shades. Each layer runs its own rise/set search.
#pragma once

#include "core/calendar.h"
#include "canvas/canvas.h"

namespace dorvalen {

void drawMoonRing(Canvas& canvas, const Frame& frame, int r);
void drawShade(Canvas& canvas, const Frame& frame, int r, int eventKind, Colour colour);
void drawSunShade(Canvas& canvas, const Frame& frame, int r);
void drawTwilightShade(Canvas& canvas, const Frame& frame, int r);

}  // namespace dorvalen
