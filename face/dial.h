// The 24-hour dial: shadow, disc, the sky layers, hour, minute and seconds hands, centre.
#pragma once

#include "app/clock_state.h"
#include "platform/canvas.h"

namespace dorvalen {

// Entered and left in ModeDefault with the text font current.
void drawDial(Canvas& canvas, const ClockState& state, int r);

}  // namespace dorvalen
