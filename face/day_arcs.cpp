// Day arcs on the dial. Each layer draws two radial lines and fills the sector between them,
// relying on the dial disc colour (faceBackground) that drawDial painted and on the yellow
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
#include "face/palette.h"

namespace dorvalen {

namespace {

// The divisors keep the clock's single-precision constants, widened to double before the
// arithmetic: 2.3f - 0.3f is then 1.9999999404, not 2, which moves the inner ring edge by a
// pixel for some odd radii.
constexpr double ringOuterDivisor = hourTipDivisor;  // the hour hand reaches the ring's edge
constexpr double ringInnerDivisor = hourTipDivisor - f(0.3f);
constexpr double ringLineDivisor = hourTipDivisor + f(0.1f);  // "2.4"
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
    const double fx = std::cos(fromDeg * radiansPerDegree), fy = std::sin(fromDeg * radiansPerDegree);
    const double tx = std::cos(toDeg * radiansPerDegree), ty = std::sin(toDeg * radiansPerDegree);
    const int reach = static_cast<int>(std::ceil(maxDistance));
    for (int y = r - reach; y <= r + reach; ++y) {
        for (int x = r - reach; x <= r + reach; ++x) {
            const double dx = x - r, dy = y - r;
            if (dx * dx + dy * dy > maxDistance * maxDistance) continue;
            // Clockwise on screen (y down): past the first ray and not yet past the second.
            const bool inSector = fx * dy - fy * dx >= 0.0 && dx * ty - dy * tx >= 0.0;
            if (inSector && canvas.readPixel(x, y) == over) canvas.plotPixel(x, y, colour);
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

// The hours in which the body is down, from the day's crossings: before a first rising, from
// each setting to the next rising, after a last setting. A crossing that repeats the
// direction before it changes nothing, and an empty piece (a rising at 0:00) is left out.
std::vector<ArcPlan::Sector> downSectorsOf(const Crossings& crossings) {
    struct Hours {
        double from, to;
    };
    std::vector<Hours> down;
    bool up = crossings.count > 0 && !crossings.begin()->rising;
    double downFrom = 0.0;
    for (const Crossing& c : crossings) {
        if (c.rising && !up && c.hours > downFrom) down.push_back({downFrom, c.hours});
        if (!c.rising && up) downFrom = c.hours;
        up = c.rising;
    }
    if (!up && downFrom < 24.0) down.push_back({downFrom, 24.0});
    // Down at both ends of the day: the two pieces meet at the top as one sector.
    if (down.size() > 1 && down.front().from == 0.0 && down.back().to == 24.0) {
        down.front().from = down.back().from;
        down.pop_back();
    }
    std::vector<ArcPlan::Sector> sectors;
    for (const Hours& h : down)
        sectors.push_back({dialAngleOfHours(h.from), dialAngleOfHours(h.to)});
    return sectors;
}

ArcPlan planArc(const Frame& frame, EventKind kind) {
    const DayEvents e = computeDayEvents(frame, kind);
    const bool crosses = !(e.riseHours == 0.0 && e.setHours == 0.0);
    ArcPlan plan{crosses, !crosses && e.upAtLastStep, e.riseAngle, e.setAngle, {}};
    if (e.crossings.beyondFirstPair()) plan.downSectors = downSectorsOf(e.crossings);
    return plan;
}

// The sectors to paint as lines and fills: every down sector of a day with more crossings,
// else the one from the setting to the rising.
std::vector<ArcPlan::Sector> sectorsOf(const ArcPlan& arc) {
    if (!arc.downSectors.empty()) return arc.downSectors;
    return {{arc.setDeg, arc.riseDeg}};
}

void drawBorders(Canvas& canvas, int r, const std::vector<ArcPlan::Sector>& sectors,
                 double length, Colour colour) {
    for (const ArcPlan::Sector& s : sectors) {
        drawRadius(canvas, r, s.toDeg, length, colour);
        drawRadius(canvas, r, s.fromDeg, length, colour);
    }
}

void paintMoonRing(Canvas& canvas, const ArcPlan& moon, int r) {
    if (!moon.crosses && !moon.upAllDay) return;  // below the horizon all day

    // The ring's hole lies inside the dial disc just painted in the face colour, so only the
    // ring itself needs writing.
    canvas.drawRing(r, r, roundToPixel(r - r / ringOuterDivisor),
                    roundToPixel(r - r / ringInnerDivisor), moonYellow);
    if (moon.upAllDay) return;  // the whole ring stays

    const double lineLength = r - r / ringLineDivisor;
    const std::vector<ArcPlan::Sector> down = sectorsOf(moon);
    drawBorders(canvas, r, down, lineLength, black);
    // Clockwise from a setting to the next rising the moon is down.
    for (const ArcPlan::Sector& s : down) {
        fillSector(canvas, r, s.fromDeg, clockwiseWidth(s.fromDeg, s.toDeg),
                   {r - r / ringRemovalDivisor}, lineLength, moonYellow, faceBackground);
    }
    drawBorders(canvas, r, down, lineLength, faceBackground);
}

// The shaded sector runs clockwise from the set line to the rise line, over pixels of the
// colour `over` (the dial disc for the night, the night shade for the twilight). Its two
// seeds lie inside and outside the moon ring, so the yellow segment keeps its colour.
// Without lines (polar night) the fills cover the whole disc but the ring.
void paintShade(Canvas& canvas, const ArcPlan& arc, Colour over, Colour colour, int r) {
    if (arc.upAllDay) return;  // above the threshold all day

    const double lineLength = r - r / shadeLineDivisor;
    if (!arc.crosses) {
        fillSector(canvas, r, arc.setDeg, 360.0, {r - r / 1.5, r - r / shadeOuterSeedDivisor},
                   lineLength, over, colour);
        return;
    }
    const std::vector<ArcPlan::Sector> down = sectorsOf(arc);
    drawBorders(canvas, r, down, lineLength, colour);
    for (const ArcPlan::Sector& s : down) {
        fillSector(canvas, r, s.fromDeg, clockwiseWidth(s.fromDeg, s.toDeg),
                   {r - r / 1.5, r - r / shadeOuterSeedDivisor}, lineLength, over, colour);
    }
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
    paintShade(canvas, plan.sun, faceBackground, nightShade, r);
    paintShade(canvas, plan.twilight, nightShade, twilightShade, r);
}

}  // namespace dorvalen
