// The dial and its hands. The hand shapes keep their single-precision constants (2.3f is
// 2.2999999523 once widened), so the tips land on the same pixels as the clock always had.
#include "face/dial.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/conversions.h"
#include "face/day_arcs.h"
#include "face/moon_picture.h"
#include "core/calendar.h"
#include "face/phase_marker.h"

namespace dorvalen {

namespace {

constexpr Colour secondsRed = rgb(196, 0, 0);

// Single-precision constants of the hand shapes, widened to double where they are used.
constexpr double f(float v) { return static_cast<double>(v); }

struct Kite {
    PixelPoint left, right, tip;
};

Kite kiteOf(int r, double angle, double halfWidthDeg, double tipDivisor) {
    const double shoulder = r - r / f(2.0f);
    return {dialPoint(r, angle - halfWidthDeg, shoulder), dialPoint(r, angle + halfWidthDeg, shoulder),
            dialPoint(r, angle, r - r / tipDivisor)};
}

// The four edges of a kite from the centre (cx, cy) through two shoulders to the tip, every
// point moved by (dx, dy); the line raster only depends on differences, so a moved kite has
// the same pixels, moved.
void drawKiteEdges(Canvas& canvas, const Kite& k, int cx, int cy, int dx, int dy, Colour colour) {
    canvas.drawLine(cx + dx, cy + dy, k.left.x + dx, k.left.y + dy, colour);
    canvas.drawLine(cx + dx, cy + dy, k.right.x + dx, k.right.y + dy, colour);
    canvas.drawLine(k.left.x + dx, k.left.y + dy, k.tip.x + dx, k.tip.y + dy, colour);
    canvas.drawLine(k.right.x + dx, k.right.y + dy, k.tip.x + dx, k.tip.y + dy, colour);
}

// The four black edges of a kite from the centre through two shoulders to the tip.
void drawKite(Canvas& canvas, int r, double angle, double halfWidthDeg, double tipDivisor) {
    drawKiteEdges(canvas, kiteOf(r, angle, halfWidthDeg, tipDivisor), r, r, 0, 0, black);
}

void fillInside(Canvas& canvas, PixelPoint seed, Colour colour) {
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.floodFillTo(seed.x, seed.y, black, colour);
    canvas.setDrawingMode(ModeDefault);
}

// Tints the inside of the minute hand's kite. The hour hand's outline may cut it into
// parts, and a fixed seed may land on a black pixel or in another part (small radii, hands
// that coincide), so the parts are found from the kite's own outline: each part holding one
// of the two seeds (between the shoulders, and between shoulders and tip) is filled from it,
// a part holding both twice, as the hand has always been drawn; every other part once.
void tintMinuteHand(Canvas& canvas, int r, double psi, const Kite& kite, Colour fill) {
    Image& image = *canvas.target();
    const int x0 = std::min({r, kite.left.x, kite.right.x, kite.tip.x}) - 1;
    const int y0 = std::min({r, kite.left.y, kite.right.y, kite.tip.y}) - 1;
    const int x1 = std::max({r, kite.left.x, kite.right.x, kite.tip.x}) + 1;
    const int y1 = std::max({r, kite.left.y, kite.right.y, kite.tip.y}) + 1;
    const int w = x1 - x0 + 1, h = y1 - y0 + 1;

    // The kite alone, moved to the box's corner; what the fill from the box's rim does not
    // reach lies inside the kite's outline.
    constexpr Colour outside = rgb(255, 255, 255), inside = rgb(0, 0, 255);
    Image shape(w, h, inside);
    Canvas shapeCanvas;
    shapeCanvas.beginDrawing(shape);
    drawKiteEdges(shapeCanvas, kite, r, r, -x0, -y0, black);
    shapeCanvas.floodFill(0, 0, outside);
    shapeCanvas.endDrawing();

    // Label the parts: 4-connected pixels inside the outline that are not black on the
    // canvas (the hour hand's outline divides them). Each row's runs of such pixels are
    // joined with the runs they touch in the row above; a part's label follows the raster
    // order of its first pixel.
    struct Run {
        int y, xl, xr;
    };
    std::vector<Run> runs;
    std::vector<std::size_t> rowRuns(static_cast<std::size_t>(h) + 1, 0);
    const auto good = [&](int x, int y) {
        return image.contains(x, y) && shape.pixel(x - x0, y - y0) == inside &&
               (image.pixel(x, y) & 0xFFFFFF) != black;
    };
    for (int y = y0; y <= y1; ++y) {
        rowRuns[static_cast<std::size_t>(y - y0)] = runs.size();
        for (int x = x0; x <= x1; ++x) {
            if (!good(x, y)) continue;
            const int start = x;
            while (x + 1 <= x1 && good(x + 1, y)) ++x;
            runs.push_back({y, start, x});
        }
    }
    rowRuns[static_cast<std::size_t>(h)] = runs.size();
    std::vector<std::size_t> parent(runs.size());
    for (std::size_t i = 0; i < parent.size(); ++i) parent[i] = i;
    const auto find = [&](std::size_t i) {
        while (parent[i] != i) i = parent[i] = parent[parent[i]];
        return i;
    };
    for (std::size_t row = 1; row < static_cast<std::size_t>(h); ++row) {
        for (std::size_t i = rowRuns[row]; i < rowRuns[row + 1]; ++i) {
            for (std::size_t j = rowRuns[row - 1]; j < rowRuns[row]; ++j) {
                if (std::max(runs[i].xl, runs[j].xl) > std::min(runs[i].xr, runs[j].xr)) continue;
                const std::size_t a = find(i), b = find(j);
                parent[std::max(a, b)] = std::min(a, b);  // the earlier run stays the root
            }
        }
    }
    std::vector<int> runLabel(runs.size(), -1);
    std::vector<PixelPoint> firstPixel;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::size_t root = find(i);
        if (root == i) {
            runLabel[i] = static_cast<int>(firstPixel.size());
            firstPixel.push_back({runs[i].xl, runs[i].y});
        } else {
            runLabel[i] = runLabel[root];
        }
    }
    const auto partOf = [&](PixelPoint p) {
        if (p.x < x0 || p.y < y0 || p.x > x1 || p.y > y1) return -1;
        const std::size_t row = static_cast<std::size_t>(p.y - y0);
        for (std::size_t i = rowRuns[row]; i < rowRuns[row + 1]; ++i)
            if (runs[i].xl <= p.x && p.x <= runs[i].xr) return runLabel[i];
        return -1;
    };

    std::vector<PixelPoint> fills;
    std::vector<bool> seeded(firstPixel.size(), false);
    for (const PixelPoint seed : {dialPoint(r, psi, r - r / f(2.0f)), dialPoint(r, psi, r - r / 2.3)}) {
        const int label = partOf(seed);
        if (label < 0) continue;
        fills.push_back(seed);
        seeded[static_cast<std::size_t>(label)] = true;
    }
    for (std::size_t label = 0; label < firstPixel.size(); ++label) {
        if (!seeded[label]) fills.push_back(firstPixel[label]);
    }
    for (const PixelPoint p : fills) fillInside(canvas, p, fill);
}

}  // namespace

void drawHourHand(Canvas& canvas, const Frame& frame, int r) {
    canvas.setDrawingMode(ModeDefault);
    const double phi = hourHandAngle(frame.moment.clockTime);
    drawKite(canvas, r, phi, f(3.5f), f(2.3f));
    fillInside(canvas, dialPoint(r, phi, r - r / f(2.0f)), rgba(138, 135, 118, 64));
}

void drawMinuteHand(Canvas& canvas, const Frame& frame, int r) {
    canvas.setDrawingMode(ModeDefault);
    const double psi = minuteHandAngle(frame.moment.clockTime);
    const Kite kite = kiteOf(r, psi, f(3.0f), f(2.85f));
    drawKiteEdges(canvas, kite, r, r, 0, 0, black);
    tintMinuteHand(canvas, r, psi, kite, rgba(138, 135, 118, 32));
}

void drawSecondHand(Canvas& canvas, const Frame& frame, int r) {
    const double sigma = secondHandAngle(frame.moment.clockTime);
    const double back = r - r / f(1.2f);
    canvas.setDrawingMode(ModeOutlined);
    const PixelPoint tip = dialPoint(r, sigma, r - r / f(2.85f));
    const PixelPoint tail = dialPointOpposite(r, sigma, back);
    canvas.drawLine(r, r, tip.x, tip.y, secondsRed);
    canvas.drawLine(r, r, tail.x, tail.y, secondsRed);
    const PixelPoint weight = dialPointOpposite(r, sigma, back + r / 33.0);
    canvas.drawCircle(weight.x, weight.y, r / 33, secondsRed);
    canvas.setDrawingMode(ModeDefault);
}

void drawDial(Canvas& canvas, const Frame& frame, const Font& textFont, int r) {
    const DayArcsPlan arcs = planDayArcs(frame);
    const MoonPicturePlan moon = planMoonPicture(frame);
    const PhaseMarkerPlan marker = planPhaseMarker(frame);

    // The dial's blended rim and its opaque disc, in one pass over the image.
    const int dialRadius = dialDiscRadius(r);
    const Canvas::Ring rimAndDisc[] = {{r - r / 3, dialRadius, rgba(0, 0, 0, 128)},
                                       {dialRadius, -1, faceBackground | 0xFF000000u}};
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.drawRings(r, r, rimAndDisc);
    canvas.setDrawingMode(ModeDefault);

    paintDayArcs(canvas, arcs, r);
    paintMoonPicture(canvas, moon, r);
    paintPhaseMarker(canvas, marker, textFont, r);

    drawHourHand(canvas, frame, r);
    drawMinuteHand(canvas, frame, r);
    if (frame.settings.showSecondsHand == 1) drawSecondHand(canvas, frame, r);

    canvas.setDrawingMode(ModeDefault);
    canvas.drawCircle(r, r, r / 25, black);
    canvas.drawCircle(r, r, r / 28, rgb(148, 145, 128));
}

}  // namespace dorvalen
