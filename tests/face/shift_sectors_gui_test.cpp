// The shift ring in pixels: every sector of the face disc in its crew's colour, the light
// Saturday-night wedge, dialColor when shift colours are off, at the smallest, a middle and
// a large face. Crews per period were worked out by hand from the rota (January 2026).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "core/conversions.h"
#include "rota/rota_tables.h"
#include "face/face_render.h"
#include "face/dial_geometry.h"
#include "face/shift_sectors.h"
#include "rota/shift_rota.h"
#include "tests/support/pixel_support.h"
#include "tests/support/ring_picture.h"

namespace dorvalen {
namespace {

constexpr double degreesPerRadian = 57.29577951308232;

Colour crewColour(int crew) {
    const Crew& c = crewTable[static_cast<std::size_t>(crew)];
    return rgb(c.red, c.green, c.blue);
}

std::string colourText(Colour c) {
    return "rgb(" + std::to_string(redOf(c)) + "," + std::to_string(greenOf(c)) + "," +
           std::to_string(blueOf(c)) + ")";
}

using test::paintedRing;

// Pixel colours of the part of a sector (screen degrees fromDeg..toDeg, toDeg may pass
// 360) between radii rho0 and rho1, kept 2.5 pixels away from the sector's edges.
std::vector<Colour> sectorPixels(const Image& image, int r, double fromDeg, double toDeg,
                                 double rho0, double rho1) {
    std::vector<Colour> out;
    for (double rho = rho0; rho <= rho1; rho += 1.0) {
        const double marginDeg = 2.5 / rho * degreesPerRadian;
        const double stepDeg = 0.7 / rho * degreesPerRadian;
        for (double a = fromDeg + marginDeg; a <= toDeg - marginDeg; a += stepDeg) {
            const int x = roundToPixel(r + std::cos(a / degreesPerRadian) * rho);
            const int y = roundToPixel(r + std::sin(a / degreesPerRadian) * rho);
            out.push_back(rgbPart(image.pixel(x, y)));
        }
    }
    return out;
}

struct Sector {
    double fromDeg, toDeg;
    int crew;  // -1: the wedge grey
};

Colour sectorColour(const Sector& s) { return s.crew < 0 ? nightShade : crewColour(s.crew); }

struct RingCase {
    const char* fault;
    int day, hour;  // January 2026: Monday 12 .. Monday 19
    std::vector<Sector> sectors;
};

// 5:45 = 356.25, 13:45 = 116.25, 17:45 = 176.25, 21:45 = 236.25 screen degrees.
std::vector<Sector> normal(int early, int late, int night) {
    return {{356.25, 476.25, early}, {116.25, 236.25, late}, {236.25, 356.25, night}};
}

const std::vector<RingCase>& ringCases() {
    static const std::vector<RingCase> cases = {
        {"Monday 10:00: today's crews", 12, 10, normal(0, 2, 4)},
        {"Monday 14:00: early sector shows tomorrow's crew", 12, 14, normal(0, 2, 4)},
        {"Tuesday 03:00: Tuesday's early and late, Monday's night", 13, 3, normal(0, 2, 4)},
        {"Tuesday 14:00: Wednesday's early crew differs", 13, 14, normal(1, 2, 4)},
        {"Wednesday 03:00: Wednesday's early and late, Tuesday's night", 14, 3,
         normal(1, 0, 4)},
        {"Sunday 18:00: Monday's early and late, Sunday's night", 18, 18,
         {{356.25, 476.25, 4}, {116.25, 176.25, 1}, {176.25, 356.25, 0}}},
        {"Saturday 22:00: two 12-hour shifts and the light wedge", 17, 22,
         {{356.25, 536.25, 2}, {176.25, 234.25, 0}, {236.25, 356.25, 0}}},
    };
    return cases;
}

TEST(ShiftSectors, EverySectorTakesItsCrewsColourAtEverySize) {
    for (const int r : {102, 200, 490}) {
        for (const RingCase& c : ringCases()) {
            const Image image = paintedRing(test::stateAt(2026, 1, c.day, c.hour), r);
            bool ok = true;
            for (const Sector& s : c.sectors) {
                const std::vector<Colour> pixels =
                    sectorPixels(image, r, s.fromDeg, s.toDeg, 0.3 * r, (r - r / 9) - 2);
                const Colour want = sectorColour(s);
                const auto wrong = std::count_if(pixels.begin(), pixels.end(),
                                                 [&](Colour p) { return p != want; });
                EXPECT_EQ(wrong, 0) << c.fault << ", r = " << r << ", sector " << s.fromDeg
                                    << ".." << s.toDeg << " wants " << colourText(want);
                ok = ok && wrong == 0;
            }
            if (!ok) test::dumpImage(image, "shift_ring_r" + std::to_string(r));
        }
    }
}

// The ring is worked out from its runs where the image proves the flood fills would take
// just those; it must equal the fills themselves (on a face disc in the background), on a
// disc left in any colour: below r = 90 most radii have no rim, and the fills spill out.
TEST(ShiftSectors, RunsPaintWhatTheFloodFillsPaint) {
    const auto ring = [](const ClockState& state, int r, bool byFloodFills) {
        Image image(2 * r, 2 * r, faceBackground);
        Canvas canvas;
        canvas.beginDrawing(image);
        canvas.setDrawingMode(ModeAlphaBlend);
        canvas.drawRing(r, r, faceRimRadius(r), faceDiscRadius(r), shadowBlack);
        canvas.setDrawingMode(ModeDefault);
        canvas.drawCircle(r, r, faceDiscRadius(r), byFloodFills ? faceBackground : rgb(1, 2, 3));
        canvas.drawCircle(r, r, underDialRadius(r), faceBackground);  // the dial's, not the ring's
        drawUnderDialRing(canvas, r);
        if (!byFloodFills) {
            paintShiftSectors(canvas, planRing(state), r);
            return image;
        }
        const ShiftRingPlan plan = planShiftRing(Frame(state));
        const auto seed = [r](double deg) {
            return dialPoint(r, deg, (dialShadowRadius(r) + faceDiscRadius(r)) / 2.0);
        };
        if (!plan.showShiftColors) {
            const PixelPoint p = seed(sectorEarlyDeg);
            canvas.floodFill(p.x, p.y, static_cast<Colour>(state.settings.dialColor));
            return image;
        }
        for (const double deg : plan.dividersDeg) {
            const PixelPoint end = dialPoint(r, deg, r - r / 10.0);
            canvas.drawLine(r, r, end.x, end.y, black);
        }
        for (const SectorFill& fill : plan.fills) {
            const PixelPoint p = seed(fill.sectorDeg);
            canvas.floodFill(p.x, p.y, crewColour(fill.crew));
        }
        return image;
    };
    for (const int r : {6, 50, 89, 90, 101, 200, 333, 490}) {
        for (const RingCase& c : ringCases()) {
            ClockState state = test::stateAt(2026, 1, c.day, c.hour);
            for (const int colours : {1, 0}) {
                state.settings.showShiftColors = colours;
                // The wedge is drawn after the fills, the same way on either path.
                if (planShiftRing(Frame(state)).saturdayNightWedge) continue;
                EXPECT_TRUE(ring(state, r, false).pixels == ring(state, r, true).pixels)
                    << c.fault << ", r = " << r << ", shift colours " << colours;
            }
        }
    }
}

// Small faces are where a wedge of two degrees is two or three pixels wide; a seed placed
// by formula alone misses it at several of them.
TEST(ShiftSectors, SaturdayNightWedgeIsLightAndStaysInside) {
    std::vector<int> radii{198, 200, 490};
    for (int r = 102; r <= 140; ++r) radii.push_back(r);
    for (const int r : radii) {
        const Image image = paintedRing(test::stateAt(2026, 1, 17, 22), r);
        const double bisector = 235.25 / degreesPerRadian;
        int grey = 0;
        int samples = 0;
        // The outer part of the visible ring, where the wedge is at least 3 pixels wide.
        for (double rho = 0.8 * r; rho <= (r - r / 9) - 2; rho += 1.0, ++samples) {
            const int x = roundToPixel(r + std::cos(bisector) * rho);
            const int y = roundToPixel(r + std::sin(bisector) * rho);
            grey += rgbPart(image.pixel(x, y)) == nightShade ? 1 : 0;
        }
        EXPECT_EQ(grey, samples) << "r = " << r;
        const auto everything = static_cast<std::size_t>(std::count(
            image.pixels.begin(), image.pixels.end(), nightShade));
        // Two degrees of a disc of radius 0.89 r, with room for the radii themselves.
        EXPECT_LT(everything, static_cast<std::size_t>(0.0155 * r * r)) << "r = " << r;
        if (grey != samples) test::dumpImage(image, "shift_wedge_r" + std::to_string(r));
    }
}

TEST(ShiftSectors, ColoursOffFillTheWholeFaceDiscWithDialColour) {
    const std::int32_t dialColours[] = {ClockSettings{}.dialColor,
                                        static_cast<std::int32_t>(0x7F112233),
                                        static_cast<std::int32_t>(0xFF3050F0u)};
    for (const int r : {102, 200, 490}) {
        for (const std::int32_t dialColor : dialColours) {
            ClockState state = test::stateAt(2026, 1, 17, 22);  // would show the wedge
            state.settings.showShiftColors = 0;
            state.settings.dialColor = dialColor;
            const Image image = paintedRing(state, r);
            const Colour want = rgbPart(static_cast<Colour>(dialColor));
            const std::vector<Colour> pixels =
                sectorPixels(image, r, 0.0, 360.0, 1.0, (r - r / 9) - 1);
            const auto wrong =
                std::count_if(pixels.begin(), pixels.end(), [&](Colour p) { return p != want; });
            EXPECT_EQ(wrong, 0) << "r = " << r << ", dialColor " << dialColor;
        }
    }
}

// ---- Through the whole frame ------------------------------------------------------------

Image renderedFace(const ClockState& pinned, int r) {
    ClockState state = pinned;
    Image image;
    const Font font = loadFont("Arial", static_cast<int>(truncToInt(r / 14.5)));
    renderClockFace(state, image, font, r, false);
    return image;
}

// The ring between the dial and the face rim carries hour dots and numerals, so a sector
// there is judged by the colour most of its pixels have.
Colour mainColour(const std::vector<Colour>& pixels, double& share) {
    std::map<Colour, int> counts;
    for (Colour p : pixels) ++counts[p];
    const auto best = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
    share = pixels.empty() ? 0.0 : static_cast<double>(best->second) / pixels.size();
    return best->first;
}

double ringInner(int r) { return dialShadowRadius(r) + 2; }
double ringOuter(int r) { return faceDiscRadius(r) - 2; }

TEST(ShiftSectorsInFrame, TheVisibleRingShowsTheCrews) {
    const int r = 200;
    for (const RingCase& c : ringCases()) {
        const Image image = renderedFace(test::stateAt(2026, 1, c.day, c.hour), r);
        for (const Sector& s : c.sectors) {
            double share = 0.0;
            const Colour seen = mainColour(
                sectorPixels(image, r, s.fromDeg, s.toDeg, ringInner(r), ringOuter(r)), share);
            if (s.crew < 0 || s.toDeg - s.fromDeg < 3.0) continue;
            EXPECT_EQ(colourText(seen), colourText(sectorColour(s)))
                << c.fault << ", sector " << s.fromDeg << ".." << s.toDeg;
            EXPECT_GT(share, 0.6) << c.fault;
        }
    }
}

TEST(ShiftSectorsInFrame, ColoursOffShowDialColourAllRound) {
    const int r = 200;
    ClockState state = test::stateAt(2026, 1, 12, 10);
    state.settings.showShiftColors = 0;
    const Image image = renderedFace(state, r);
    double share = 0.0;
    const std::vector<Colour> ring = sectorPixels(image, r, 0.0, 360.0, ringInner(r), ringOuter(r));
    EXPECT_EQ(colourText(mainColour(ring, share)),
              colourText(rgbPart(static_cast<Colour>(state.settings.dialColor))));
    EXPECT_GT(share, 0.6);
    for (int crew = 0; crew < 5; ++crew)
        EXPECT_EQ(std::count(ring.begin(), ring.end(), crewColour(crew)), 0) << crew;
}

}  // namespace
}  // namespace dorvalen
