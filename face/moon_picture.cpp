// The moon picture. The disc is drawn dark, the half on the bright-limb side of the cusp
// line is filled lit, and a terminator ellipse of half-width |k - 0.5| * 2R is filled dark
// (a crescent); past half moon the two colours trade places (gibbous). The geometry keeps
// the clock's single-precision values, so the pixels stay where they always were.
#include "face/moon_picture.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/angles.h"
#include "core/conversions.h"
#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/moon_orientation.h"
#include "face/dial_geometry.h"
#include "face/palette.h"
#include "face/pixel_runs.h"

namespace dorvalen {

namespace {

// Beyond this radius the point count would only grow without reaching new pixels of any
// image the clock can make; it keeps a damaged radius from running for minutes.
constexpr int largestEllipseStepRadius = 1 << 16;

// The ellipse's step has always been counted with this rounded pi; the true one moves some
// of the moon's pixels.
constexpr double stepPi = 3.14159;

// Absolute value, truncated; a coordinate beyond int has no pixel on any image.
bool pixelOf(double coordinate, int& pixel) {
    const std::int64_t v = truncToInt(std::fabs(coordinate));
    if (v < 0 || v > INT_MAX) return false;
    pixel = static_cast<int>(v);
    return true;
}

struct FloatPoint {
    float x, y;
};

}  // namespace

namespace {

// sin t + cos t and cos t - sin t at every step of the ellipse parameter; the steps depend on
// the radius b only, so the rim and the terminator (same b) share one table.
struct EllipseTurn {
    std::vector<double> sum, difference;
};

EllipseTurn ellipseTurn(int b) {
    // About one point per pixel of a circle of radius b. Radius 0 gives an infinite step and
    // thus one point; a negative radius draws the same curve as its absolute value.
    const int stepRadius = std::min(std::abs(std::max(b, -INT_MAX)), largestEllipseStepRadius);
    const double step = stepRadius == 0 ? 360.0 : 360.0 / (stepRadius * 2 * stepPi);
    EllipseTurn turn;
    for (double t = 0.0; t < 360.0; t += step) {
        // sinDeg and cosDeg spelt out, so the compiler computes both in one sincos call.
        const double radians = t * radiansPerDegree;
        const double sinT = std::sin(radians), cosT = std::cos(radians);
        turn.sum.push_back(sinT + cosT);
        turn.difference.push_back(cosT - sinT);
    }
    return turn;
}

std::vector<PixelPoint> ellipsePixels(int cx, int cy, int a, int b, double angleDeg,
                                      const EllipseTurn& turn) {
    double psi = angleDeg + 90.0;
    if (psi > 360.0) psi -= 360.0;
    const double cosPsi = cosDeg(psi), sinPsi = sinDeg(psi);
    std::vector<PixelPoint> pixels;
    pixels.reserve(turn.sum.size());
    for (std::size_t i = 0; i < turn.sum.size(); ++i) {
        const auto u = static_cast<float>(a * turn.sum[i] * f(0.7f));
        const auto v = static_cast<float>(b * turn.difference[i] * f(0.7f));
        int x = 0, y = 0;
        if (pixelOf(cx + u * cosPsi - v * sinPsi, x) && pixelOf(cy + v * cosPsi + u * sinPsi, y))
            pixels.push_back({x, y});
    }
    return pixels;
}

void plotPixels(Canvas& canvas, const std::vector<PixelPoint>& pixels, Colour colour) {
    for (const PixelPoint p : pixels) canvas.plotPixel(p.x, p.y, colour);
}

// The same pixels as a few runs: successive points of an ellipse step at most one pixel in
// each coordinate, so the points met in a row before it changes cover whole columns.
std::vector<Run> runsOf(const std::vector<PixelPoint>& pixels) {
    std::vector<Run> runs;
    int lastX = 0;
    for (const PixelPoint p : pixels) {
        if (!runs.empty() && runs.back().y == p.y && std::abs(p.x - lastX) <= 1) {
            runs.back().xl = std::min(runs.back().xl, p.x);
            runs.back().xr = std::max(runs.back().xr, p.x);
        } else {
            runs.push_back({p.y, p.x, p.x});
        }
        lastX = p.x;
    }
    return runs;
}

// The moon's colours are opaque: a pixel plotted twice looks as plotted once, so the runs
// stand for the points (and in ModeAlphaBlend these colours change nothing either way).
void plotRuns(Canvas& canvas, const std::vector<Run>& runs, Colour colour) {
    for (const Run& run : runs) canvas.fillRow(run.y, run.xl, run.xr, colour);
}

}  // namespace

void plotEllipse(Canvas& canvas, int cx, int cy, int a, int b, double angleDeg, Colour colour) {
    plotPixels(canvas, ellipsePixels(cx, cy, a, b, angleDeg, ellipseTurn(b)), colour);
}

void drawMoonDisc(Canvas& canvas, int r, double k, bool waning, double phiDeg) {
    const auto radius = static_cast<float>(r * f(0.17f));
    const float cy = moonCentreY(r);
    const auto seedDistance = static_cast<float>(radius / f(1.5f));
    const auto cuspHalfLength = static_cast<float>(radius + f(3.0f));
    const auto halfWidth = static_cast<float>(std::fabs(k - 0.5) * radius * f(2.0f));
    Colour lit = moonYellow, dark = moonDark;

    // S1 on the phi + 90 side of the cusp line, S2 on the phi - 90 side; S2 ends up on the
    // side that step "fill lit" colours.
    FloatPoint s1{static_cast<float>(r + cosDeg(phiDeg + 90.0) * seedDistance),
                  static_cast<float>(cy + sinDeg(phiDeg + 90.0) * seedDistance)};
    FloatPoint s2{static_cast<float>(r + cosDeg(phiDeg - 90.0) * seedDistance),
                  static_cast<float>(cy + sinDeg(phiDeg - 90.0) * seedDistance)};
    if (k > 0.5) {  // gibbous: a dark half minus a lit ellipse
        std::swap(lit, dark);
        std::swap(s1, s2);
    }
    if (waning) std::swap(s1, s2);

    const int cx = r, cyPixel = roundToPixel(cy);
    const int rimRadius = roundToPixel(radius);
    const EllipseTurn turn = ellipseTurn(rimRadius);
    const std::vector<Run> rim = runsOf(ellipsePixels(cx, cyPixel, rimRadius, rimRadius, phiDeg, turn));
    plotRuns(canvas, rim, black);
    canvas.floodFillTo(cx, cyPixel, black, dark);
    plotRuns(canvas, rim, dark);

    const double dx = cosDeg(phiDeg) * cuspHalfLength, dy = sinDeg(phiDeg) * cuspHalfLength;
    canvas.drawLine(roundToPixel(r - dx), roundToPixel(cy - dy), roundToPixel(r + dx),
                    roundToPixel(cy + dy), faceBackground);
    canvas.floodFill(roundToPixel(s2.x), roundToPixel(s2.y), lit);

    // Near half moon the terminator is under a pixel wide: a straight edge, nothing to fill.
    const int terminatorWidth = roundToPixel(halfWidth);
    const std::vector<Run> terminator =
        runsOf(ellipsePixels(cx, cyPixel, terminatorWidth, rimRadius, phiDeg, turn));
    if (halfWidth > 0.6) {
        plotRuns(canvas, terminator, black);
        canvas.floodFillTo(cx, cyPixel, black, dark);
    }
    plotRuns(canvas, terminator, dark);
}

DateValue moonReading(const DisplayedMoment& m) {
    return isValidDate(m.now) ? m.now - m.now % 60 : m.now;
}

MoonPicturePlan planMoonPicture(const Frame& frame) {
    const DisplayedMoment& m = frame.moment;
    const DateValue minute = moonReading(m);
    const double jd = julianDayUTOfReading(m, minute, 0.0);
    const double k = moonIlluminatedFractionAt(jd);
    const double kPrev = moonIlluminatedFractionAt(julianDayUTOfReading(m, minute, -1.0));
    const bool waning = k < kPrev;
    const int sign = waning ? -1 : 1;
    // The orientation comes without the drawing's sign; multiplying by it puts the bright
    // limb where the real one is for waxing and waning moons alike.
    const double phi = sign * moonOrientationAngle(frame.settings, jd, sign);
    return {std::isfinite(k) ? k : 0.5, waning, phi};
}

void paintMoonPicture(Canvas& canvas, const MoonPicturePlan& plan, int r) {
    canvas.setDrawingMode(ModeDefault);
    drawMoonDisc(canvas, r, plan.k, plan.waning, plan.phiDeg);
}

}  // namespace dorvalen
