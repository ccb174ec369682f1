// Day arcs on the dial. No arc primitive is used: each layer draws two radial lines and
// flood-fills the sector between them, relying on the dial disc colour (236, 233, 216) that
// drawDial painted and on the yellow ring as borders. Only the displayed day 0:00..24:00 is
// shown, so a moon segment over midnight appears as its two pieces of that day.
#include "face/day_arcs.h"

#include "core/conversions.h"
#include "astro/rise_set.h"
#include "face/dial.h"

namespace dorvalen {

namespace {

constexpr Colour moonRingColour = rgb(250, 247, 131);
constexpr Colour dialDiscColour = rgb(236, 233, 216);  // fixed, whatever dialColor says
constexpr Colour black = rgb(0, 0, 0);
constexpr Colour sunShadeColour = rgb(220, 217, 200);
constexpr Colour twilightShadeColour = rgb(204, 201, 184);

constexpr double f(float v) { return static_cast<double>(v); }

// The divisors keep the clock's single-precision constants, widened to double before the
// arithmetic: 2.3f - 0.3f is then 1.9999999404, not 2, which moves the inner ring edge by a
// pixel for some odd radii.
constexpr double ringOuterDivisor = f(2.3f);
constexpr double ringInnerDivisor = f(2.3f) - f(0.3f);
constexpr double ringLineDivisor = f(2.3f) + f(0.1f);       // "2.4"
constexpr double ringRemovalDivisor = ringLineDivisor - 0.19;  // "2.21"
constexpr double shadeLineDivisor = f(2.94f);
constexpr double shadeOuterSeedDivisor = ringLineDivisor + 0.1;  // "2.5"

bool noEvent(const DayEvents& e) { return e.riseHours == 0.0 && e.setHours == 0.0; }

void drawRadius(Canvas& canvas, int r, double angleDeg, double length, Colour colour) {
    const PixelPoint end = dialPoint(r, angleDeg, length);
    canvas.drawLine(r, r, end.x, end.y, colour);
}

}  // namespace

void drawMoonRing(Canvas& canvas, const Frame& frame, int r) {
    const DayEvents e = computeDayEvents(frame, MoonRiseSet);
    if (noEvent(e) && !e.upAtLastStep) return;  // below the horizon all day

    canvas.drawCircle(r, r, roundToPixel(r - r / ringOuterDivisor), moonRingColour);
    canvas.drawCircle(r, r, roundToPixel(r - r / ringInnerDivisor), dialDiscColour);
    if (noEvent(e)) return;  // up all day: the whole ring stays

    // A missing rising or setting sits at 270 (0:00), so the segment runs to or from the top.
    const double lineLength = r - r / ringLineDivisor;
    drawRadius(canvas, r, e.riseAngle, lineLength, black);
    drawRadius(canvas, r, e.setAngle, lineLength, black);
    // Just clockwise of the setting lies the part of the ring where the moon is down.
    const PixelPoint seed = dialPoint(r, e.setAngle + 3.0, r - r / ringRemovalDivisor);
    canvas.floodFill(seed.x, seed.y, -1, dialDiscColour);
    drawRadius(canvas, r, e.riseAngle, lineLength, dialDiscColour);
    drawRadius(canvas, r, e.setAngle, lineLength, dialDiscColour);
}

// The shaded sector runs clockwise from the set line to the rise line. Its two seeds lie
// inside and outside the moon ring, so the yellow segment keeps its colour. Without lines
// (polar night) the fills cover the whole disc but the ring.
void drawShade(Canvas& canvas, const Frame& frame, int r, int eventKind, Colour colour) {
    const DayEvents e = computeDayEvents(frame, static_cast<EventKind>(eventKind));
    if (noEvent(e) && e.upAtLastStep) return;  // above the threshold all day

    if (!noEvent(e)) {
        const double lineLength = r - r / shadeLineDivisor;
        drawRadius(canvas, r, e.riseAngle, lineLength, colour);
        drawRadius(canvas, r, e.setAngle, lineLength, colour);
    }
    const PixelPoint inner = dialPoint(r, e.setAngle + 3.0, r - r / 1.5);
    canvas.floodFill(inner.x, inner.y, -1, colour);
    const PixelPoint outer = dialPoint(r, e.setAngle + 3.0, r - r / shadeOuterSeedDivisor);
    canvas.floodFill(outer.x, outer.y, -1, colour);
}

void drawSunShade(Canvas& canvas, const Frame& frame, int r) {
    drawShade(canvas, frame, r, SunRiseSet, sunShadeColour);
}

// Runs after the sun shade: its fills start on sun-shaded pixels and stop at its own lines,
// so only the part of the night beyond the twilight darkens.
void drawTwilightShade(Canvas& canvas, const Frame& frame, int r) {
    drawShade(canvas, frame, r, frame.settings.twilightKind, twilightShadeColour);
}

}  // namespace dorvalen
