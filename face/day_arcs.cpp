// Day arcs on the dial. Each layer draws two radial lines and fills the sector between them,
// relying on the dial disc colour (236, 233, 216) that drawDial painted and on the yellow
// ring as borders. A sector wide enough to hold a seed clear of its lines is flood-filled
// from its middle; a narrower one (a short night, a single event near midnight) is painted
// by angle, so the picture shows exactly the events' interval for any width. Only the
// displayed day 0:00..24:00 is shown, so a moon segment over midnight appears as its two
// pieces of that day.
#include "face/day_arcs.h"

#include <cmath>

#include "core/angles.h"
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

// Clockwise width in degrees of the sector from one dial angle to another, [0, 360).
double clockwiseWidth(double from, double to) {
    const double width = std::fmod(to - from, 360.0);
    return width < 0.0 ? width + 360.0 : width;
}

// A seed in the middle of the sector, `distance` from the centre, is clear of both lines when
// it lies 2.5 pixels from each: half a pixel for the line's own raster, up to 0.71 each for
// rounding the line's end and the seed. The fill from it then covers exactly the sector.
bool middleSeedIsClear(double widthDeg, double distance) {
    return widthDeg >= 180.0 || distance * std::sin(widthDeg / 2.0 * radiansPerDegree) >= 2.5;
}

// Our own rasteriser for a sector narrower than 180 degrees: every pixel up to maxDistance
// from the centre whose centre lies clockwise from `fromDeg` to `toDeg` and whose colour is
// `over` takes `colour` (the region the fill would have taken).
void paintNarrowSector(Canvas& canvas, int r, double fromDeg, double toDeg, double maxDistance,
                       Colour over, Colour colour) {
    const Image& image = *canvas.target();
    const double fx = std::cos(fromDeg * radiansPerDegree), fy = std::sin(fromDeg * radiansPerDegree);
    const double tx = std::cos(toDeg * radiansPerDegree), ty = std::sin(toDeg * radiansPerDegree);
    const int reach = static_cast<int>(std::ceil(maxDistance));
    for (int y = r - reach; y <= r + reach; ++y) {
        for (int x = r - reach; x <= r + reach; ++x) {
            if (!image.contains(x, y)) continue;
            const double dx = x - r, dy = y - r;
            if (dx * dx + dy * dy > maxDistance * maxDistance) continue;
            // Clockwise on screen (y down): past the first ray and not yet past the second.
            const bool inSector = fx * dy - fy * dx >= 0.0 && dx * ty - dy * tx >= 0.0;
            if (inSector && image.pixel(x, y) == over) canvas.plotPixel(x, y, colour);
        }
    }
}

// Fills the sector clockwise from `fromDeg` over `widthDeg`, whose lines are drawn, on the
// region of colour `over`: from a middle seed at each of the given distances when it is
// clear of the lines, else by angle.
void fillSector(Canvas& canvas, int r, double fromDeg, double widthDeg,
                std::initializer_list<double> seedDistances, double lineLength, Colour over,
                Colour colour) {
    for (const double distance : seedDistances) {
        if (!middleSeedIsClear(widthDeg, distance)) {
            paintNarrowSector(canvas, r, fromDeg, fromDeg + widthDeg, lineLength, over, colour);
            return;
        }
    }
    for (const double distance : seedDistances) {
        const PixelPoint seed = dialPoint(r, fromDeg + widthDeg / 2.0, distance);
        canvas.floodFill(seed.x, seed.y, colour);
    }
}

ArcPlan planArc(const Frame& frame, EventKind kind) {
    const DayEvents e = computeDayEvents(frame, kind);
    const bool crosses = !(e.riseHours == 0.0 && e.setHours == 0.0);
    return {crosses, !crosses && e.upAtLastStep, e.riseAngle, e.setAngle};
}

void paintMoonRing(Canvas& canvas, const ArcPlan& moon, int r) {
    if (!moon.crosses && !moon.upAllDay) return;  // below the horizon all day

    // The ring's hole lies inside the dial disc just painted in the face colour, so only the
    // ring itself needs writing.
    canvas.drawRing(r, r, roundToPixel(r - r / ringOuterDivisor),
                    roundToPixel(r - r / ringInnerDivisor), moonRingColour);
    if (moon.upAllDay) return;  // the whole ring stays

    const double lineLength = r - r / ringLineDivisor;
    drawRadius(canvas, r, moon.riseDeg, lineLength, black);
    drawRadius(canvas, r, moon.setDeg, lineLength, black);
    // Clockwise from the setting to the rising the moon is down.
    fillSector(canvas, r, moon.setDeg, clockwiseWidth(moon.setDeg, moon.riseDeg),
               {r - r / ringRemovalDivisor}, lineLength, moonRingColour, faceBackground);
    drawRadius(canvas, r, moon.riseDeg, lineLength, faceBackground);
    drawRadius(canvas, r, moon.setDeg, lineLength, faceBackground);
}

// The shaded sector runs clockwise from the set line to the rise line, over pixels of the
// colour `over` (the dial disc for the night, the night shade for the twilight). Its two
// seeds lie inside and outside the moon ring, so the yellow segment keeps its colour.
// Without lines (polar night) the fills cover the whole disc but the ring.
void paintShade(Canvas& canvas, const ArcPlan& arc, Colour over, Colour colour, int r) {
    if (arc.upAllDay) return;  // above the threshold all day

    const double lineLength = r - r / shadeLineDivisor;
    if (arc.crosses) {
        drawRadius(canvas, r, arc.riseDeg, lineLength, colour);
        drawRadius(canvas, r, arc.setDeg, lineLength, colour);
    }
    const double width = arc.crosses ? clockwiseWidth(arc.setDeg, arc.riseDeg) : 360.0;
    fillSector(canvas, r, arc.setDeg, width, {r - r / 1.5, r - r / shadeOuterSeedDivisor},
               lineLength, over, colour);
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
    paintShade(canvas, plan.sun, faceBackground, sunShadeColour, r);
    paintShade(canvas, plan.twilight, sunShadeColour, twilightShadeColour, r);
}

}  // namespace dorvalen
