#include "face/dial_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

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

// Canvas::drawLine's Bresenham walk without its clipping: step i along the major axis has
// minor offset floor((2 i dMinor + dMajor) / (2 dMajor)).
void addLineSpans(PixelPoint from, PixelPoint to, int top, std::vector<RowSpan>& spans) {
    const std::int64_t dx = std::int64_t{to.x} - from.x, dy = std::int64_t{to.y} - from.y;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const std::int64_t major = xMajor ? std::abs(dx) : std::abs(dy);
    const std::int64_t minor = xMajor ? std::abs(dy) : std::abs(dx);
    const std::int64_t majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
    const std::int64_t minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
    std::int64_t a = xMajor ? from.x : from.y, b = xMajor ? from.y : from.x;
    std::int64_t remainder = major;  // 2 i dMinor + dMajor, less the 2 dMajor of each minor step
    for (std::int64_t i = 0; i <= major; ++i) {
        const std::int64_t x = xMajor ? a : b, row = (xMajor ? b : a) - top;
        if (row >= 0 && row < static_cast<std::int64_t>(spans.size())) {
            RowSpan& span = spans[static_cast<std::size_t>(row)];
            span.lo = std::min(span.lo, static_cast<int>(x));
            span.hi = std::max(span.hi, static_cast<int>(x));
        }
        a += majorStep;
        remainder += 2 * minor;
        if (remainder >= 2 * major) {
            remainder -= 2 * major;
            b += minorStep;
        }
    }
}

int dialDiscRadius(int r) { return roundToPixel(r - r / 2.92); }

int underDialRadius(int r) { return dialDiscRadius(r) - 2; }

int underDialHoleRadius(int r) { return underDialRadius(r) - 2; }

void drawUnderDialRing(Canvas& canvas, int r) {
    canvas.drawRing(r, r, underDialRadius(r), underDialHoleRadius(r), underDialColour);
}

}  // namespace dorvalen
