// The dial and its hands. The hand shapes keep their single-precision constants (2.3f is
// 2.2999999523 once widened), so the tips land on the same pixels as the clock always had.
#include "face/dial.h"

#include <cmath>

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

// The four black edges of a kite from the centre through two shoulders to the tip.
void drawKite(Canvas& canvas, int r, double angle, double halfWidthDeg, double tipDivisor) {
    const double shoulder = r - r / f(2.0f);
    const PixelPoint left = dialPoint(r, angle - halfWidthDeg, shoulder);
    const PixelPoint right = dialPoint(r, angle + halfWidthDeg, shoulder);
    const PixelPoint tip = dialPoint(r, angle, r - r / tipDivisor);
    canvas.drawLine(r, r, left.x, left.y, black);
    canvas.drawLine(r, r, right.x, right.y, black);
    canvas.drawLine(left.x, left.y, tip.x, tip.y, black);
    canvas.drawLine(right.x, right.y, tip.x, tip.y, black);
}

void fillInside(Canvas& canvas, PixelPoint seed, Colour colour) {
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.floodFillTo(seed.x, seed.y, black, colour);
    canvas.setDrawingMode(ModeDefault);
}

}  // namespace

void drawHourHand(Canvas& canvas, const Frame& frame, int r) {
    canvas.setDrawingMode(ModeDefault);
    const double phi = hourHandAngle(frame.moment.clockTime);
    drawKite(canvas, r, phi, f(3.5f), f(2.3f));
    fillInside(canvas, dialPoint(r, phi, r - r / f(2.0f)), rgba(138, 135, 118, 64));
}

// The second seed, between the shoulders and the tip, fills the outer part as well when the
// hour hand's outline cuts the minute hand in two.
void drawMinuteHand(Canvas& canvas, const Frame& frame, int r) {
    canvas.setDrawingMode(ModeDefault);
    const double psi = minuteHandAngle(frame.moment.clockTime);
    drawKite(canvas, r, psi, f(3.0f), f(2.85f));
    const Colour fill = rgba(138, 135, 118, 32);
    fillInside(canvas, dialPoint(r, psi, r - r / f(2.0f)), fill);
    fillInside(canvas, dialPoint(r, psi, r - r / 2.3), fill);
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

    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.drawCircle(r, r, r - r / 3, rgba(0, 0, 0, 128));
    canvas.setDrawingMode(ModeDefault);
    canvas.drawCircle(r, r, roundToPixel(r - r / 2.92), faceBackground);

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
