// The 24-hour dial: shadow, disc, the sky layers, hour, minute and seconds hands, centre.
//   1. Shadow (blended) and disc in faceBackground.
//   2. Moon ring, sun shade, twilight shade, moon picture, phase marker: each planned as
//      plain data first (day_arcs.h, moon_picture.h, phase_marker.h), then painted.
//   3. Hour, minute and (setting 1 only) seconds hand, each from its own angle.
//   4. Centre disc and cap over the hands' roots.
#pragma once

#include "core/calendar.h"
#include "canvas/canvas.h"
#include "face/dial_geometry.h"

namespace dorvalen {

// Plans the sky layers of the frame, then paints disc, layers and hands. The phase label
// is drawn in textFont; leaves ModeDefault.
void drawDial(Canvas& canvas, const Frame& frame, const Font& textFont, int r);

void drawHourHand(Canvas& canvas, const Frame& frame, int r);
void drawMinuteHand(Canvas& canvas, const Frame& frame, int r);
void drawSecondHand(Canvas& canvas, const Frame& frame, int r);

}  // namespace dorvalen
