// Carries out the ring plan of the rota: black dividers, one flood fill per sector in the
// crew's colour, and the light wedge of Saturday night. The fills colour the sectors of the
// face disc out to the ring under the dial; the dial drawn later covers their inner edge,
// so they show as a ring.
#include "face/shift_sectors.h"

#include <cmath>
#include <optional>

#include "core/angles.h"
#include "core/conversions.h"
#include "face/dial_geometry.h"
#include "rota/rota_tables.h"
#include "rota/shift_rota.h"

namespace dorvalen {

namespace {

constexpr Colour dividerColour = black;
constexpr Colour wedgeColour = rgb(220, 217, 200);

// The visible ring runs from the dial shadow (r - r div 3) to the face disc's rim
// (r - r div 9); seeds sit half way, so they stay well inside their sector at every size.
double seedDistance(int r) { return ((r - r / 3) + (r - r / 9)) / 2.0; }

// Dividers reach past the face disc into the dark rim, so each sector is closed.
double dividerLength(int r) { return r - r / 10.0; }

Colour crewColour(int crew) {
    const Crew& c = crewTable[static_cast<std::size_t>(crew)];
    return rgb(c.red, c.green, c.blue);
}

bool isDivider(const Image& image, int x, int y) {
    return image.contains(x, y) && rgbPart(image.pixel(x, y)) == dividerColour;
}

// The wedge is two degrees wide, two or three pixels at the smallest face, so its seed is
// taken from the pixels the two radii really left: the outermost pixel on the bisector,
// inside the face disc, that is not black and has a radius close by on either side.
std::optional<PixelPoint> wedgeSeed(const Canvas& canvas, int r) {
    const Image* image = canvas.target();
    if (image == nullptr) return std::nullopt;
    const double bisectorDeg = (wedgeFromDeg + wedgeToDeg) / 2.0;
    const double wedgeRad = (wedgeToDeg - wedgeFromDeg) * radiansPerDegree;
    const double slope = std::abs(std::sin(bisectorDeg * radiansPerDegree));
    for (double rho = (r - r / 9) - 1.5; rho > seedDistance(r) - r / 10.0; rho -= 0.5) {
        const PixelPoint p = dialPoint(r, bisectorDeg, rho);
        if (!image->contains(p.x, p.y) || isDivider(*image, p.x, p.y)) continue;
        // Both radii are steep, so a row crosses the wedge in about rho*width/|sin| pixels.
        const int reach = roundToPixel(rho * wedgeRad / slope) + 2;
        bool left = false;
        bool right = false;
        for (int dx = 1; dx <= reach; ++dx) {
            left = left || isDivider(*image, p.x - dx, p.y);
            right = right || isDivider(*image, p.x + dx, p.y);
        }
        if (left && right) return p;
    }
    return std::nullopt;
}

}  // namespace

void paintShiftSectors(Canvas& canvas, const Frame& frame, int r) {
    if (r <= 0) return;
    const ShiftRingPlan plan = planShiftRing(frame);
    canvas.setDrawingMode(ModeDefault);
    const double seedRho = seedDistance(r);
    auto fillSector = [&](double sectorDeg, Colour colour) {
        const PixelPoint seed = dialPoint(r, sectorDeg, seedRho);
        canvas.floodFill(seed.x, seed.y, colour);
    };

    if (!plan.showShiftColors) {
        // The settings keep a top byte beside red, green and blue; only the colour counts.
        fillSector(sectorEarlyDeg, rgbPart(static_cast<Colour>(frame.settings.dialColor)));
        return;
    }

    auto drawRadius = [&](double angleDeg) {
        const PixelPoint end = dialPoint(r, angleDeg, dividerLength(r));
        canvas.drawLine(r, r, end.x, end.y, dividerColour);
    };
    for (double angleDeg : plan.dividersDeg) drawRadius(angleDeg);
    for (const SectorFill& fill : plan.fills) fillSector(fill.sectorDeg, crewColour(fill.crew));

    if (plan.saturdayNightWedge) {
        drawRadius(wedgeFromDeg);
        drawRadius(wedgeToDeg);
        if (const std::optional<PixelPoint> seed = wedgeSeed(canvas, r))
            canvas.floodFill(seed->x, seed->y, wedgeColour);
    }
}

}  // namespace dorvalen
