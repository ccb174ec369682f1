// Placeholder until the moon picture is drawn.
#include "astro/moon_picture.h"

namespace dorvalen {

void plotEllipse(Canvas&, int, int, int, int, double, Colour) {}
void drawMoonPicture(Canvas&, const ClockState&, int) {}

}  // namespace dorvalen
