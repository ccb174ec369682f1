// One complete frame of the clock, painted into the image in a fixed order: background,
// corner texts, optional place and coordinates line, face ring, shift sectors, hour dots
// and numerals, then the dial with its layers and hands.
#pragma once

#include "core/calendar.h"
#include "canvas/canvas.h"
#include "face/dial_geometry.h"

namespace dorvalen {

// The caller sets state.now (the frame's wall-clock reading) first and shows the image
// afterwards. The displayed moment is derived once here and every layer reads it. The
// image is resized to 2r x 2r when it has another size.
void renderClockFace(const ClockState& state, Image& clockImage, const Font& textFont, int r,
                     bool showCoordinates);

}  // namespace dorvalen
