// Placeholder until the day arcs are drawn.
#include "astro/day_arcs.h"

namespace dorvalen {

void drawMoonRing(Canvas&, const ClockState&, int) {}
void drawShade(Canvas&, const ClockState&, int, int, Colour) {}
void drawSunShade(Canvas&, const ClockState&, int) {}
void drawTwilightShade(Canvas&, const ClockState&, int) {}

}  // namespace dorvalen
