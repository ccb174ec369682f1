#include "face/dial_geometry.h"

#include <cmath>

#include "core/angles.h"
#include "core/conversions.h"

namespace dorvalen {

PixelPoint dialPoint(int r, double angleDeg, double distance) {
    const double a = angleDeg * radiansPerDegree;
    return {roundToPixel(r + std::cos(a) * distance), roundToPixel(r + std::sin(a) * distance)};
}

PixelPoint dialPointOpposite(int r, double angleDeg, double distance) {
    const double a = angleDeg * radiansPerDegree;
    return {roundToPixel(r - std::cos(a) * distance), roundToPixel(r - std::sin(a) * distance)};
}

int faceDiscRadius(int r) { return r - r / 9; }

int dialDiscRadius(int r) { return roundToPixel(r - r / 2.92); }

int underDialRadius(int r) { return dialDiscRadius(r) - 2; }

int underDialHoleRadius(int r) { return underDialRadius(r) - 2; }

void drawUnderDialRing(Canvas& canvas, int r) {
    canvas.drawRing(r, r, underDialRadius(r), underDialHoleRadius(r), underDialColour);
}

}  // namespace dorvalen
