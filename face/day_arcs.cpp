// Day arcs on the dial. No arc primitive is used: each layer draws two radial lines and
// flood-fills the sector between them, relying on the dial disc colour (236, 233, 216) that
// drawDial painted and on the yellow ring as borders. Only the displayed day 0:00..24:00 is
// shown, so a moon segment over midnight appears as its two pieces of that day.
#include "face/day_arcs.h"

#include "core/conversions.h"
#include "astro/rise_set.h"
#include "face/dial_geometry.h"

namespace dorvalen {

namespace {

constexpr Colour moonRingColour = rgb(250, 247, 131);
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

void drawRadius(Canvas& canvas, int r, double angleDeg, double length, Colour colour) {
    const PixelPoint end = dialPoint(r, angleDeg, length);
    canvas.drawLine(r, r, end.x, end.y, colour);
}

ArcPlan planArc(const Frame& frame, EventKind kind) {
    const DayEvents e = computeDayEvents(frame, kind);
    const bool crosses = !(e.riseHours == 0.0 && e.setHours == 0.0);
    return {crosses, !crosses && e.upAtLastStep, e.riseAngle, e.setAngle};
}

void paintMoonRing(Canvas& canvas, const ArcPlan& moon, int r) {
    if (!moon.crosses && !moon.upAllDay) return;  // below the horizon all day

    canvas.drawCircle(r, r, roundToPixel(r - r / ringOuterDivisor), moonRingColour);
    canvas.drawCircle(r, r, roundToPixel(r - r / ringInnerDivisor), faceBackground);
    if (moon.upAllDay) return;  // the whole ring stays

    const double lineLength = r - r / ringLineDivisor;
    drawRadius(canvas, r, moon.riseDeg, lineLength, black);
    drawRadius(canvas, r, moon.setDeg, lineLength, black);
    // Just clockwise of the setting lies the part of the ring where the moon is down.
    const PixelPoint seed = dialPoint(r, moon.setDeg + 3.0, r - r / ringRemovalDivisor);
    canvas.floodFill(seed.x, seed.y, faceBackground);
    drawRadius(canvas, r, moon.riseDeg, lineLength, faceBackground);
    drawRadius(canvas, r, moon.setDeg, lineLength, faceBackground);
}

// The shaded sector runs clockwise from the set line to the rise line. Its two seeds lie
// inside and outside the moon ring, so the yellow segment keeps its colour. Without lines
// (polar night) the fills cover the whole disc but the ring.
void paintShade(Canvas& canvas, const ArcPlan& arc, Colour colour, int r) {
    if (arc.upAllDay) return;  // above the threshold all day

    if (arc.crosses) {
        const double lineLength = r - r / shadeLineDivisor;
        drawRadius(canvas, r, arc.riseDeg, lineLength, colour);
        drawRadius(canvas, r, arc.setDeg, lineLength, colour);
    }
    const PixelPoint inner = dialPoint(r, arc.setDeg + 3.0, r - r / 1.5);
    canvas.floodFill(inner.x, inner.y, colour);
    const PixelPoint outer = dialPoint(r, arc.setDeg + 3.0, r - r / shadeOuterSeedDivisor);
    canvas.floodFill(outer.x, outer.y, colour);
}

}  // namespace

DayArcsPlan planDayArcs(const Frame& frame) {
    return {planArc(frame, MoonRiseSet), planArc(frame, SunRiseSet),
            planArc(frame, static_cast<EventKind>(frame.settings.twilightKind))};
}

// The twilight runs after the sun shade: its fills start on sun-shaded pixels and stop at
// its own lines, so only the part of the night beyond the twilight darkens.
void paintDayArcs(Canvas& canvas, const DayArcsPlan& plan, int r) {
    canvas.setDrawingMode(ModeDefault);
    paintMoonRing(canvas, plan.moon, r);
    paintShade(canvas, plan.sun, sunShadeColour, r);
    paintShade(canvas, plan.twilight, twilightShadeColour, r);
}

}  // namespace dorvalen
