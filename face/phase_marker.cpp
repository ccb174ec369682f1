// The phase marker: a black-edged, translucently filled triangle across the moon ring at the
// local time of the phase, tip outward, and the time as text centred on the moon picture.
#include "face/phase_marker.h"

#include <string>

#include "core/conversions.h"
#include "face/dial_geometry.h"
#include "face/palette.h"
#include "phases/phase_event.h"

namespace dorvalen {

PhaseMarkerPlan planPhaseMarker(const Frame& frame) {
    const double t = phaseEventOnDisplayedDay(frame);
    if (t == 0.0) return {};
    return {true, dayFractionAngle(t), phaseTimeText(t)};
}

void paintPhaseMarker(Canvas& canvas, const PhaseMarkerPlan& plan, const Font& textFont, int r) {
    if (!plan.shown) return;
    const double alpha = plan.angleDeg;
    const std::string& label = plan.label;

    // From about the ring's inner edge (b) to its outer edge (p); the seed lies between.
    const int base = r - r / 2;
    const auto tipDistance = static_cast<double>(roundToInt(r - r / hourTipDivisor));
    const double alpha1 = static_cast<double>(roundToInt(alpha - 3.5));
    const double alpha2 = static_cast<double>(roundToInt(alpha + 3.5));
    const double seedDistance = r - r / ((f(2.0f) + hourTipDivisor) / 2.0);
    const float labelCentreY = moonCentreY(r);

    const PixelPoint tip = dialPoint(r, alpha, tipDistance);
    const PixelPoint left = dialPoint(r, alpha1, base);
    const PixelPoint right = dialPoint(r, alpha2, base);
    canvas.setDrawingMode(ModeDefault);
    canvas.drawLine(left.x, left.y, tip.x, tip.y, black);
    canvas.drawLine(right.x, right.y, tip.x, tip.y, black);
    canvas.drawLine(right.x, right.y, left.x, left.y, black);

    canvas.setDrawingMode(ModeAlphaBlend);
    const PixelPoint seed = dialPoint(r, alpha, seedDistance);
    canvas.floodFillTo(seed.x, seed.y, black, phaseMarkerFill);

    canvas.setDrawingMode(ModeTransparentText);
    canvas.setDrawingFont(&textFont);
    const int width = canvas.textWidth(label);
    const int height = canvas.textHeight(label);
    canvas.drawText(r - width / 2, roundToPixel(labelCentreY - height / 2.0), label, black);
    canvas.setDrawingMode(ModeDefault);
}

}  // namespace dorvalen
