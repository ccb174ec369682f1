// The small moon below the dial centre: lit and dark parts, terminator half-ellipse,
// turned as the real moon appears at the configured place.
//   1. The illuminated fraction now and a day earlier tell the phase and whether it waxes.
//   2. The orientation angle (astro/moon_orientation.h) turns the line between the horns.
//   3. A disc, a cusp line and a terminator ellipse are plotted and flood-filled.
#pragma once

#include "core/calendar.h"
#include "core/exact_double.h"
#include "canvas/canvas.h"

namespace dorvalen {

// Plots single pixels along an ellipse around (cx, cy): semi-axis about 0.99 a across the
// given screen angle and 0.99 b along it, about one point per pixel of a circle of radius b.
// Coordinates are truncated after taking their absolute value. |b| = 0 plots one point.
void plotEllipse(Canvas& canvas, int cx, int cy, int a, int b, double angleDeg, Colour colour);

// The picture for illuminated fraction k (0..1), centred on (r, r + r / 3.725). phiDeg is the
// screen angle of the cusp line (clockwise from +x, y down) with the drawing's sign already
// applied: the bright limb lies on the phiDeg - 90 side when waxing, phiDeg + 90 when waning.
void drawMoonDisc(Canvas& canvas, int r, double k, bool waning, double phiDeg);

// The moon at the whole minute of the clock time on the displayed day, as seen at the
// configured place: within a minute the picture stays put while the seconds run on.
struct MoonPicturePlan {
    ExactDouble k = 0.5;       // illuminated fraction, 0..1
    bool waning = false;       // less lit than a day earlier
    ExactDouble phiDeg = 0.0;  // screen angle of the cusp line, the drawing's sign applied
    friend bool operator==(const MoonPicturePlan&, const MoonPicturePlan&) = default;
};

// The wall-clock reading the moon is taken at: its whole minute.
DateValue moonReading(const DisplayedMoment& m);

MoonPicturePlan planMoonPicture(const Frame& frame);

// drawMoonDisc for the plan; sets and leaves ModeDefault.
void paintMoonPicture(Canvas& canvas, const MoonPicturePlan& plan, int r);

}  // namespace dorvalen
