// The dial and its hands. The hand shapes keep their single-precision constants
// (dial_geometry.h's f), so the tips land on the same pixels as the clock always had.
#include "face/dial.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <vector>

#include "core/conversions.h"
#include "face/day_arcs.h"
#include "face/moon_picture.h"
#include "face/palette.h"
#include "face/pixel_runs.h"
#include "core/calendar.h"
#include "face/phase_marker.h"

namespace dorvalen {

namespace {

struct Kite {
    PixelPoint left, right, tip;
};

Kite kiteOf(int r, double angle, double halfWidthDeg, double tipDivisor) {
    const double shoulder = r - r / handShoulderDivisor;
    return {dialPoint(r, angle - halfWidthDeg, shoulder), dialPoint(r, angle + halfWidthDeg, shoulder),
            dialPoint(r, angle, r - r / tipDivisor)};
}

// The four black edges of a kite from the centre (r, r) through two shoulders to the tip.
// The minute hand's tint finds the same lines' pixels row by row (kiteInside).
void drawKiteEdges(Canvas& canvas, const Kite& k, int r) {
    canvas.drawLine(r, r, k.left.x, k.left.y, black);
    canvas.drawLine(r, r, k.right.x, k.right.y, black);
    canvas.drawLine(k.left.x, k.left.y, k.tip.x, k.tip.y, black);
    canvas.drawLine(k.right.x, k.right.y, k.tip.x, k.tip.y, black);
}

void drawKite(Canvas& canvas, int r, double angle, double halfWidthDeg, double tipDivisor) {
    drawKiteEdges(canvas, kiteOf(r, angle, halfWidthDeg, tipDivisor), r);
}

void fillInside(Canvas& canvas, PixelPoint seed, Colour colour) {
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.floodFillTo(seed.x, seed.y, black, colour);
    canvas.setDrawingMode(ModeDefault);
}

// The pixels inside the kite's outline, as runs over the rows y0 .. y1: the gaps between the
// outline's pixels that no 4-connected path links to the box [x0, x1] x [y0, y1] around it,
// whose rim the outline never reaches. The outline is known row by row from its four lines.
RunRows kiteInside(const Kite& kite, int r, int x0, int y0, int x1, int y1) {
    const std::size_t h = static_cast<std::size_t>(y1 - y0 + 1);
    const PixelPoint centre{r, r};
    std::vector<RowSpan> edges[4] = {std::vector<RowSpan>(h), std::vector<RowSpan>(h),
                                     std::vector<RowSpan>(h), std::vector<RowSpan>(h)};
    const auto addLine = [y0](PixelPoint from, PixelPoint to, std::vector<RowSpan>& spans) {
        lineRowSpans(from.x, from.y, to.x, to.y, y0, spans);
    };
    addLine(centre, kite.left, edges[0]);  // as drawKiteEdges draws them
    addLine(centre, kite.right, edges[1]);
    addLine(kite.left, kite.tip, edges[2]);
    addLine(kite.right, kite.tip, edges[3]);

    RunRows gaps;
    for (std::size_t row = 0; row < h; ++row) {
        RowSpan outline[4];
        int count = 0;
        for (const std::vector<RowSpan>& edge : edges)
            if (!edge[row].empty()) outline[count++] = edge[row];
        std::sort(outline, outline + count, [](RowSpan a, RowSpan b) { return a.lo < b.lo; });
        int x = x0;  // the first column not yet covered or passed
        for (int i = 0; i < count; ++i) {
            if (outline[i].lo > x) gaps.runs.push_back({y0 + static_cast<int>(row), x, outline[i].lo - 1});
            x = std::max(x, outline[i].hi + 1);
        }
        if (x <= x1) gaps.runs.push_back({y0 + static_cast<int>(row), x, x1});
        gaps.endRow();
    }

    const std::vector<std::size_t> root = groupRuns(gaps);
    std::vector<bool> outside(gaps.runs.size(), false);
    for (std::size_t i = 0; i < gaps.runs.size(); ++i) {
        const Run& run = gaps.runs[i];
        if (run.y == y0 || run.y == y1 || run.xl == x0 || run.xr == x1) outside[root[i]] = true;
    }
    RunRows inside;
    for (std::size_t row = 0; row < h; ++row) {
        for (std::size_t i = gaps.rowStart[row]; i < gaps.rowStart[row + 1]; ++i)
            if (!outside[root[i]]) inside.runs.push_back(gaps.runs[i]);
        inside.endRow();
    }
    return inside;
}

// Tints the inside of the minute hand's kite. The hour hand's outline may cut it into
// parts, and a fixed seed may land on a black pixel or in another part (small radii, hands
// that coincide), so the parts are found from the kite's own outline: each part holding one
// of the two seeds (between the shoulders, and between shoulders and tip) is filled from it,
// a part holding both twice, as the hand has always been drawn; every other part once.
void tintMinuteHand(Canvas& canvas, int r, double psi, const Kite& kite, Colour fill) {
    const int x0 = std::min({r, kite.left.x, kite.right.x, kite.tip.x}) - 1;
    const int y0 = std::min({r, kite.left.y, kite.right.y, kite.tip.y}) - 1;
    const int x1 = std::max({r, kite.left.x, kite.right.x, kite.tip.x}) + 1;
    const int y1 = std::max({r, kite.left.y, kite.right.y, kite.tip.y}) + 1;
    const RunRows inside = kiteInside(kite, r, x0, y0, x1, y1);

    // The parts: runs of inside pixels on the image that are not black on the canvas (the
    // hour hand's outline divides them).
    RunRows parts;
    for (std::size_t row = 0; row < inside.rows(); ++row) {
        const int y = y0 + static_cast<int>(row);
        for (std::size_t i = inside.rowStart[row]; i < inside.rowStart[row + 1]; ++i) {
            const std::span<const Colour> pixels = canvas.readRow(y, inside.runs[i].xl, inside.runs[i].xr);
            const int left = std::max(inside.runs[i].xl, 0);
            for (std::size_t k = 0; k < pixels.size(); ++k) {
                if (rgbPart(pixels[k]) == black) continue;
                const std::size_t start = k;
                while (k + 1 < pixels.size() && rgbPart(pixels[k + 1]) != black) ++k;
                parts.runs.push_back({y, left + static_cast<int>(start), left + static_cast<int>(k)});
            }
        }
        parts.endRow();
    }
    const std::vector<std::size_t> root = groupRuns(parts);
    // The part holding a point, by its earliest run, or none.
    const auto partOf = [&](PixelPoint p) -> std::optional<std::size_t> {
        if (p.x < x0 || p.y < y0 || p.x > x1 || p.y > y1) return std::nullopt;
        const std::size_t row = static_cast<std::size_t>(p.y - y0);
        for (std::size_t i = parts.rowStart[row]; i < parts.rowStart[row + 1]; ++i)
            if (parts.runs[i].xl <= p.x && p.x <= parts.runs[i].xr) return root[i];
        return std::nullopt;
    };

    // How often each part is filled: once per seed in it, once if no seed lands in it.
    std::vector<int> fills(parts.runs.size(), 0);
    for (const PixelPoint seed : {dialPoint(r, psi, r - r / handShoulderDivisor),
                                  dialPoint(r, psi, r - r / hourTipDivisor)}) {
        if (const auto part = partOf(seed)) ++fills[*part];
    }
    // A fill from any pixel of a part takes exactly that part: the kite's black outline
    // closes the inside, the hour hand's black lines divide it, and the tint never blends
    // to black. So each part's runs are blended directly, as often as it would be filled.
    canvas.setDrawingMode(ModeAlphaBlend);
    for (std::size_t i = 0; i < parts.runs.size(); ++i) {
        const Run& run = parts.runs[i];
        const int times = std::max(fills[root[i]], 1);
        for (int k = 0; k < times; ++k) canvas.fillRow(run.y, run.xl, run.xr, fill);
    }
    canvas.setDrawingMode(ModeDefault);
}

}  // namespace

void drawHourHand(Canvas& canvas, int angleDeg, int r) {
    canvas.setDrawingMode(ModeDefault);
    const double phi = angleDeg;
    drawKite(canvas, r, phi, f(3.5f), hourTipDivisor);
    fillInside(canvas, dialPoint(r, phi, r - r / handShoulderDivisor), hourHandFill);
}

void drawMinuteHand(Canvas& canvas, int angleDeg, int r) {
    canvas.setDrawingMode(ModeDefault);
    const double psi = angleDeg;
    const Kite kite = kiteOf(r, psi, f(3.0f), minuteTipDivisor);
    drawKiteEdges(canvas, kite, r);
    tintMinuteHand(canvas, r, psi, kite, minuteHandFill);
}

void drawSecondHand(Canvas& canvas, int angleDeg, int r) {
    const double sigma = angleDeg;
    const double back = r - r / secondsTailDivisor;
    canvas.setDrawingMode(ModeOutlined);
    const PixelPoint tip = dialPoint(r, sigma, r - r / minuteTipDivisor);
    const PixelPoint tail = dialPointOpposite(r, sigma, back);
    canvas.drawLine(r, r, tip.x, tip.y, secondsRed);
    canvas.drawLine(r, r, tail.x, tail.y, secondsRed);
    const PixelPoint weight = dialPointOpposite(r, sigma, back + r / 33.0);
    canvas.drawCircle(weight.x, weight.y, r / 33, secondsRed);
    canvas.setDrawingMode(ModeDefault);
}

SkyKey skyKeyOf(const Frame& frame) {
    const DisplayedMoment& m = frame.moment;
    const ClockSettings& s = frame.settings;
    return {m.midnightUT,
            m.markedDayMjd,
            yearOf(m.calendarDay),
            monthOf(m.calendarDay),
            dayOf(m.calendarDay),
            m.year,
            moonReading(m),
            m.displayedDay,
            s.latitude,
            s.longitude,
            s.timeZone,
            s.autoSummerTime,
            s.twilightKind};
}

DialPlan planDial(const Frame& frame, SkyCache* cache) {
    const DateValue clockTime = frame.moment.clockTime;
    DialPlan plan{{}, {}, {}, hourHandAngle(clockTime), minuteHandAngle(clockTime), std::nullopt};
    if (showsSecondsHand(frame.settings)) plan.secondHandDeg = secondHandAngle(clockTime);
    if (cache == nullptr) {
        plan.arcs = planDayArcs(frame);
        plan.moon = planMoonPicture(frame);
        plan.marker = planPhaseMarker(frame);
        return plan;
    }
    const SkyKey key = skyKeyOf(frame);
    if (cache->key != key) {
        *cache = {key, planDayArcs(frame), planMoonPicture(frame), planPhaseMarker(frame)};
    }
    plan.arcs = cache->arcs;
    plan.moon = cache->moon;
    plan.marker = cache->marker;
    return plan;
}

void drawDial(Canvas& canvas, const DialPlan& plan, const Font& textFont, int r) {
    const int dialRadius = dialDiscRadius(r);
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.drawRing(r, r, dialShadowRadius(r), dialRadius, shadowBlack);
    canvas.setDrawingMode(ModeDefault);
    canvas.drawCircle(r, r, dialRadius, faceBackground);

    paintDayArcs(canvas, plan.arcs, r);
    paintMoonPicture(canvas, plan.moon, r);
    paintPhaseMarker(canvas, plan.marker, textFont, r);

    drawHourHand(canvas, plan.hourHandDeg, r);
    drawMinuteHand(canvas, plan.minuteHandDeg, r);
    if (plan.secondHandDeg) drawSecondHand(canvas, *plan.secondHandDeg, r);

    canvas.setDrawingMode(ModeDefault);
    canvas.drawCircle(r, r, centreDiscRadius(r), black);
    canvas.drawCircle(r, r, centreCapRadius(r), centreCapColour);
}

}  // namespace dorvalen
