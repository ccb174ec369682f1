// Carries out the ring plan of the rota: black dividers, one flood fill per sector in the
// crew's colour, and the light wedge of Saturday night. The fills colour the sectors of the
// face disc out to the ring under the dial; the dial drawn later covers their inner edge,
// so they show as a ring. The ring's pixels and its dividers are known without the image,
// so the fills are usually worked out from them and each pixel is written once; the image
// is read only to prove that they stop where the flood fills would.
#include "face/shift_sectors.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "core/angles.h"
#include "core/conversions.h"
#include "face/dial_geometry.h"
#include "face/palette.h"
#include "face/pixel_runs.h"
#include "rota/my_shift.h"
#include "rota/rota.h"
#include "rota/rota_file.h"
#include "rota/rota_tables.h"
#include "rota/shift_rota.h"

namespace dorvalen {

namespace {

constexpr Colour dividerColour = black;

// The visible ring runs from the dial shadow (r - r div 3) to the face disc's rim
// (r - r div 9); seeds sit half way, so they stay well inside their sector at every size.
double seedDistance(int r) { return (dialShadowRadius(r) + faceDiscRadius(r)) / 2.0; }

// Dividers reach past the face disc into the dark rim, so each sector is closed.
double dividerLength(int r) { return r - r / 10.0; }

Colour crewColour(int crew) {
    const Crew& c = crewTable[static_cast<std::size_t>(crew)];
    return rgb(c.red, c.green, c.blue);
}

bool isDivider(Canvas& canvas, int x, int y) {
    const std::optional<Colour> pixel = canvas.readPixel(x, y);
    return pixel && rgbPart(*pixel) == dividerColour;
}

// The wedge is two degrees wide, two or three pixels at the smallest face, so its seed is
// taken from the pixels the two radii really left: the outermost pixel on the bisector,
// inside the face disc, that is not black and has a radius close by on either side.
std::optional<PixelPoint> wedgeSeed(Canvas& canvas, int r) {
    const double bisectorDeg = (wedgeFromDeg + wedgeToDeg) / 2.0;
    const double wedgeRad = (wedgeToDeg - wedgeFromDeg) * radiansPerDegree;
    const double slope = std::abs(std::sin(bisectorDeg * radiansPerDegree));
    for (double rho = faceDiscRadius(r) - 1.5; rho > seedDistance(r) - r / 10.0; rho -= 0.5) {
        const PixelPoint p = dialPoint(r, bisectorDeg, rho);
        if (!canvas.contains(p.x, p.y) || isDivider(canvas, p.x, p.y)) continue;
        // Both radii are steep, so a row crosses the wedge in about rho*width/|sin| pixels.
        const int reach = roundToPixel(rho * wedgeRad / slope) + 2;
        bool left = false;
        bool right = false;
        for (int dx = 1; dx <= reach; ++dx) {
            left = left || isDivider(canvas, p.x - dx, p.y);
            right = right || isDivider(canvas, p.x + dx, p.y);
        }
        if (left && right) return p;
    }
    return std::nullopt;
}

// One flood fill of the plan: its seed and its colour.
struct SectorPaint {
    PixelPoint seed;
    Colour colour;
};

// The face disc less the disc under the dial ring (what the background of a full frame
// leaves to this layer), less the dividers' pixels, as runs from row `top` down, clipped to
// the 2r x 2r image.
RunRows ringRuns(int r, int top, std::span<const PixelPoint> dividerEnds) {
    const int outer = faceDiscRadius(r), inner = underDialRadius(r);
    const std::vector<int> outerRows = discHalfWidths(outer);
    const std::vector<int> innerRows = discHalfWidths(inner);  // empty: no hole
    const int bottom = std::min(r + outer, 2 * r - 1);
    const auto rows = static_cast<std::size_t>(std::max(bottom - top + 1, 0));
    std::vector<std::vector<RowSpan>> dividers(dividerEnds.size(), std::vector<RowSpan>(rows));
    for (std::size_t i = 0; i < dividerEnds.size(); ++i)
        lineRowSpans(r, r, dividerEnds[i].x, dividerEnds[i].y, top, dividers[i]);

    RunRows ring;
    std::vector<RowSpan> cuts;
    for (std::size_t row = 0; row < rows; ++row) {
        const int y = top + static_cast<int>(row);
        cuts.clear();
        for (const std::vector<RowSpan>& divider : dividers)
            if (!divider[row].empty()) cuts.push_back(divider[row]);
        std::sort(cuts.begin(), cuts.end(), [](RowSpan a, RowSpan b) { return a.lo < b.lo; });
        // Columns xl .. xr of row y but the dividers' (which may overlap each other).
        const auto add = [&](int xl, int xr) {
            xl = std::max(xl, 0);
            xr = std::min(xr, 2 * r - 1);
            for (const RowSpan cut : cuts) {
                if (cut.hi < xl) continue;
                if (cut.lo > xr) break;
                if (cut.lo > xl) ring.runs.push_back({y, xl, cut.lo - 1});
                xl = cut.hi + 1;
            }
            if (xl <= xr) ring.runs.push_back({y, xl, xr});
        };
        const auto dy = static_cast<std::size_t>(std::abs(y - r));
        const int hi = outerRows[dy];
        const int hole = dy < innerRows.size() ? innerRows[dy] : -1;
        if (hole < 0) {
            add(r - hi, r + hi);
        } else if (hole < hi) {
            add(r - hi, r - hole - 1);
            add(r + hole + 1, r + hi);
        }
        ring.endRow();
    }
    return ring;
}

// Calls visit(x) for the columns of the runs [a, aEnd) that none of [b, bEnd) covers (both
// sorted and disjoint) until it returns false; returns whether it never did.
template <class Visit>
bool everyUncovered(const Run* a, const Run* aEnd, const Run* b, const Run* bEnd, Visit visit) {
    for (; a != aEnd; ++a) {
        for (int x = a->xl; x <= a->xr;) {
            while (b != bEnd && b->xr < x) ++b;
            if (b != bEnd && b->xl <= x) {
                x = b->xr + 1;
                continue;
            }
            const int stop = b == bEnd ? a->xr : std::min(a->xr, b->xl - 1);
            for (; x <= stop; ++x)
                if (!visit(x)) return false;
        }
    }
    return true;
}

// Paints what the fills would paint on the ring, each run once, while the image shows that
// their regions are the runs' 4-connected groups: every seed lies in a run, and every pixel
// beside a run but in none is off the image or of a colour no fill starts on or paints (so
// no fill, first or repeated, leaves its group). A group takes its last fill's colour, or
// keeps the background. Returns false when that is not shown; the runs painted so far are
// then to be painted again. Row by row, so the pixels read are the ones at hand.
bool fillRingByRuns(Canvas& canvas, const RunRows& ring, int top,
                    std::span<const SectorPaint> fills) {
    const std::vector<std::size_t> root = groupRuns(ring);
    std::vector<Colour> colour(ring.runs.size(), faceBackground);
    for (const SectorPaint& fill : fills) {
        const auto row = static_cast<std::size_t>(fill.seed.y - top);
        if (fill.seed.y < top || row >= ring.rows()) return false;
        std::size_t i = ring.rowStart[row];
        while (i < ring.rowStart[row + 1] && ring.runs[i].xr < fill.seed.x) ++i;
        if (i == ring.rowStart[row + 1] || ring.runs[i].xl > fill.seed.x) return false;
        colour[root[i]] = rgbPart(fill.colour);
    }

    // Most pixels beside the runs are the dividers' or the rim's: the colour last found
    // closed is tried first (it starts as none, no RGB colour having a top byte).
    Colour lastClosed = 0xFF000000u;
    const auto closed = [&](int x, int y) {
        const std::optional<Colour> pixel = canvas.readPixel(x, y);
        if (!pixel) return true;
        const Colour c = rgbPart(*pixel);
        if (c == lastClosed) return true;
        const auto paints = [c](const SectorPaint& f) { return rgbPart(f.colour) == c; };
        if (c == faceBackground || std::any_of(fills.begin(), fills.end(), paints)) return false;
        lastClosed = c;
        return true;
    };
    const Run* runs = ring.runs.data();
    for (std::size_t row = 0; row < ring.rows(); ++row) {
        const Run* first = runs + ring.rowStart[row];
        const Run* last = runs + ring.rowStart[row + 1];
        const int y = top + static_cast<int>(row);
        const Run* aboveFirst = row > 0 ? runs + ring.rowStart[row - 1] : first;
        const Run* belowLast = row + 1 < ring.rows() ? runs + ring.rowStart[row + 2] : last;
        const auto closedAbove = [&](int x) { return closed(x, y - 1); };
        const auto closedBelow = [&](int x) { return closed(x, y + 1); };
        if (!everyUncovered(first, last, aboveFirst, first, closedAbove) ||
            !everyUncovered(first, last, last, belowLast, closedBelow))
            return false;
        for (const Run* run = first; run != last; ++run) {
            if (!closed(run->xl - 1, y) || !closed(run->xr + 1, y)) return false;
            canvas.fillRow(y, run->xl, run->xr, colour[root[static_cast<std::size_t>(run - runs)]]);
        }
    }
    return true;
}

// The fills on the face ring, from its runs when the image allows, else as flood fills on
// the ring painted in the background first.
void fillRing(Canvas& canvas, int r, std::span<const PixelPoint> dividerEnds,
              std::span<const SectorPaint> fills) {
    const int top = std::max(r - faceDiscRadius(r), 0);
    const RunRows ring = ringRuns(r, top, dividerEnds);
    if (fillRingByRuns(canvas, ring, top, fills)) return;
    for (const Run& run : ring.runs)
        canvas.fillRow(run.y, run.xl, run.xr, faceBackground);
    for (const SectorPaint& fill : fills) canvas.floodFill(fill.seed.x, fill.seed.y, fill.colour);
}

// A file's rota: each ring pixel takes the colour of the crews working at the moment its
// angle stands for in the window. Crews working at once share the visible ring's width
// from the dial outwards in plan order; a time nobody works keeps the background.
// Along a row the angle only grows or only shrinks, so a stretch whose two ends see the
// same crews and no arc boundary between them is one colour: a row is split in halves
// until that holds, and only the ends of the halves are asked for their angle.
class ArcPainter {
public:
    ArcPainter(Canvas& canvas, int r, const ShiftRingPlan& plan)
        : canvas_(canvas), r_(r), plan_(plan) {
        const auto atanDeg = [](double secondsOfDay) {  // screen degrees in (-180, 180]
            const double deg = std::fmod(secondsOfDay / 240.0 - 90.0, 360.0);
            return deg > 180.0 ? deg - 360.0 : (deg <= -180.0 ? deg + 360.0 : deg);
        };
        boundariesDeg_.push_back(atanDeg(plan.windowStartSeconds));
        for (const CrewArc& arc : plan.arcs) {
            boundariesDeg_.push_back(atanDeg(plan.windowStartSeconds + arc.fromSeconds));
            boundariesDeg_.push_back(atanDeg(plan.windowStartSeconds + arc.toSeconds));
        }
    }

    void paintRun(const Run& run) {
        paintSpan(run.y, run.xl, run.xr, probe(run.xl, run.y), probe(run.xr, run.y));
    }

private:
    struct Probe {
        double angleDeg;        // atan2 range (-180, 180]
        std::uint64_t working;  // bit i: arc i of the plan covers the moment
    };

    Probe probe(int x, int y) const {
        const double angleDeg = std::atan2(y - r_, x - r_) / radiansPerDegree;
        // Screen degrees to seconds of the day (hour h at 15h - 90), then from the window start.
        double offset = std::fmod((angleDeg + 90.0) * 240.0 - plan_.windowStartSeconds, 86400.0);
        if (offset < 0.0) offset += 86400.0;
        std::uint64_t working = 0;
        for (std::size_t i = 0; i < arcCount(); ++i)
            if (plan_.arcs[i].fromSeconds <= offset && offset < plan_.arcs[i].toSeconds)
                working |= std::uint64_t{1} << i;
        return {angleDeg, working};
    }

    bool boundaryBetween(double a, double b) const {
        const double lo = std::min(a, b), hi = std::max(a, b);
        return std::any_of(boundariesDeg_.begin(), boundariesDeg_.end(),
                           [&](double d) { return lo < d && d < hi; });
    }

    void paintSpan(int y, int xl, int xr, const Probe& left, const Probe& right) {
        if (left.working == right.working && !boundaryBetween(left.angleDeg, right.angleDeg)) {
            fillSpan(y, xl, xr, left.working);
        } else if (xr - xl <= 1) {
            fillSpan(y, xl, xl, left.working);
            if (xr > xl) fillSpan(y, xr, xr, right.working);
        } else {
            const int mid = xl + (xr - xl) / 2;
            paintSpan(y, xl, mid, left, probe(mid, y));
            paintSpan(y, mid + 1, xr, probe(mid + 1, y), right);
        }
    }

    Colour colourOf(const CrewArc& arc) const { return rgb(arc.red, arc.green, arc.blue); }

    // A plan has at most one arc per crew and day of the four it looks at: 36 bits.
    static_assert(4 * maxRotaCrews <= 64);
    std::size_t arcCount() const { return std::min<std::size_t>(plan_.arcs.size(), 64); }

    // Columns xl .. xr of row y, all seeing the crews `working`.
    void fillSpan(int y, int xl, int xr, std::uint64_t working) {
        const int count = std::popcount(working);
        if (count <= 1) {
            const Colour c =
                count == 0
                    ? faceBackground
                    : colourOf(plan_.arcs[static_cast<std::size_t>(std::countr_zero(working))]);
            canvas_.fillRow(y, xl, xr, c);
            return;
        }
        std::vector<const CrewArc*> lanes;
        for (std::size_t i = 0; i < arcCount(); ++i)
            if ((working >> i) & 1u) lanes.push_back(&plan_.arcs[i]);
        const double inner = dialDiscRadius(r_), outer = faceDiscRadius(r_);
        const auto laneColour = [&](int x) {
            const double share = (std::hypot(x - r_, y - r_) - inner) / (outer - inner);
            const std::int64_t lane = std::clamp(truncToInt(share * count), std::int64_t{0},
                                                 static_cast<std::int64_t>(count) - 1);
            return colourOf(*lanes[static_cast<std::size_t>(lane)]);
        };
        int from = xl;
        Colour colour = laneColour(xl);
        for (int x = xl + 1; x <= xr; ++x) {
            const Colour next = laneColour(x);
            if (next == colour) continue;
            canvas_.fillRow(y, from, x - 1, colour);
            from = x;
            colour = next;
        }
        canvas_.fillRow(y, from, xr, colour);
    }

    Canvas& canvas_;
    int r_;
    const ShiftRingPlan& plan_;
    std::vector<double> boundariesDeg_;
};

void paintCrewArcs(Canvas& canvas, int r, const ShiftRingPlan& plan,
                   std::span<const PixelPoint> dividerEnds) {
    const int top = std::max(r - faceDiscRadius(r), 0);
    const RunRows ring = ringRuns(r, top, dividerEnds);
    ArcPainter painter(canvas, r, plan);
    for (const Run& run : ring.runs) painter.paintRun(run);
}

}  // namespace

RingPlan planRing(const Frame& frame) {
    RingPlan plan;
    plan.shifts = planShiftRing(frame);
    // The settings keep a top byte beside red, green and blue; only the colour counts.
    plan.wholeDiscColour = rgbPart(static_cast<Colour>(frame.settings.dialColor));
    plan.rotaFile = frame.rotaFile;
    plan.myCrew = myCrewIn(rotaOf(frame), frame.settings.extra);
    plan.crewLabels = frame.settings.extra.crewLabels != 0;
    return plan;
}

void paintShiftSectors(Canvas& canvas, const RingPlan& ring, int r) {
    if (r <= 0 || !canvas.isDrawing()) return;
    const ShiftRingPlan& plan = ring.shifts;
    canvas.setDrawingMode(ModeDefault);
    const double seedRho = seedDistance(r);
    auto seedOf = [&](double sectorDeg) { return dialPoint(r, sectorDeg, seedRho); };

    if (!plan.showShiftColors) {
        const SectorPaint whole{seedOf(sectorEarlyDeg), ring.wholeDiscColour};
        fillRing(canvas, r, {}, std::span(&whole, 1));
        return;
    }

    auto dividerEnd = [&](double angleDeg) { return dialPoint(r, angleDeg, dividerLength(r)); };
    std::vector<PixelPoint> dividerEnds;
    for (double angleDeg : plan.dividersDeg) {
        dividerEnds.push_back(dividerEnd(angleDeg));
        canvas.drawLine(r, r, dividerEnds.back().x, dividerEnds.back().y, dividerColour);
    }
    if (plan.fromFile) {
        paintCrewArcs(canvas, r, plan, dividerEnds);
        return;
    }
    std::vector<SectorPaint> fills;
    for (const SectorFill& fill : plan.fills)
        fills.push_back({seedOf(fill.sectorDeg), crewColour(fill.crew)});
    fillRing(canvas, r, dividerEnds, fills);

    if (plan.saturdayNightWedge) {
        for (double angleDeg : {wedgeFromDeg, wedgeToDeg}) {
            const PixelPoint end = dividerEnd(angleDeg);
            canvas.drawLine(r, r, end.x, end.y, dividerColour);
        }
        if (const std::optional<PixelPoint> seed = wedgeSeed(canvas, r))
            canvas.floodFill(seed->x, seed->y, nightShade);  // shaded as the dial shades the night
    }
}

}  // namespace dorvalen
