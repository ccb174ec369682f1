// The moon picture: the plotted ellipse, the phases in rendered faces, waxing and waning
// mirrored about the cusp line, and the bright limb turned where the sky has it. At r = 200
// the disc has R = 34 and its centre at (200, 254).
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "core/conversions.h"
#include "astro/moon.h"
#include "astro/moon_orientation.h"
#include "face/moon_picture.h"
#include "tests/face/sky_face.h"

namespace dorvalen {
namespace {

using namespace skyface;

constexpr double degreesPerRadianD = 57.29577951308232;

struct DiscCount {
    int lit = 0, dark = 0;
    double litX = 0.0, litY = 0.0;  // centroid of the lit pixels relative to the centre
    int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;  // extent of both colours

    double litDirectionDeg() const { return std::atan2(litY, litX) * degreesPerRadianD; }
};

// Lit and dark pixels in the square of half-size `reach` around (cx, cy), where nothing else
// has the moon colours.
DiscCount countDisc(const Image& image, int cx, int cy, int reach = 40) {
    DiscCount c;
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x) {
            const Colour p = image.pixel(x, y);
            if (p != moonYellow && p != moonDark) continue;
            c.minX = std::min(c.minX, x), c.maxX = std::max(c.maxX, x);
            c.minY = std::min(c.minY, y), c.maxY = std::max(c.maxY, y);
            if (p == moonDark) {
                ++c.dark;
                continue;
            }
            ++c.lit;
            c.litX += x + 0.5 - cx, c.litY += y + 0.5 - cy;
        }
    if (c.lit > 0) c.litX /= c.lit, c.litY /= c.lit;
    return c;
}

Image discAlone(double k, bool waning, double phiDeg) {
    Image image(400, 400, faceBackground);
    Canvas canvas;
    canvas.beginDrawing(image);
    drawMoonDisc(canvas, 200, k, waning, phiDeg);
    return image;
}

TEST(PlotEllipse, ZeroAndNegativeRadiiFinishAtOnce) {
    Image image(20, 20, faceBackground);
    Canvas canvas;
    canvas.beginDrawing(image);
    const auto start = std::chrono::steady_clock::now();
    plotEllipse(canvas, 10, 10, 0, 0, 0.0, black);
    EXPECT_EQ(countInRing(image, 0, 30, is(black), {}, 0, 10), 1) << "one point for b = 0";
    plotEllipse(canvas, 10, 10, 3, -4, 45.0, black);  // a negative step would never end
    plotEllipse(canvas, 10, 10, 1 << 30, 1 << 30, 10.0, black);
    plotEllipse(canvas, 10, 10, 5, 5, std::nan(""), black);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

// Semi-axes 0.99 a across the angle and 0.99 b along it; the points close the curve for a
// 4-connected fill, which the picture's fills bounded by black rely on.
TEST(PlotEllipse, AxesFollowTheAngleAndTheCurveIsClosed) {
    Image image(100, 100, faceBackground);
    Canvas canvas;
    canvas.beginDrawing(image);
    plotEllipse(canvas, 50, 50, 10, 30, 0.0, black);
    int minX = 100, maxX = 0, minY = 100, maxY = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 100; ++x)
            if (image.pixel(x, y) == black) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
            }
    EXPECT_EQ(minX, 20);  // 50 - 29.7, truncated
    EXPECT_EQ(maxX, 79);
    EXPECT_EQ(minY, 40);  // 50 - 9.9
    EXPECT_EQ(maxY, 59);
    canvas.floodFillTo(50, 50, black, moonDark);
    EXPECT_EQ(image.pixel(50, 50), moonDark);
    EXPECT_EQ(image.pixel(5, 5), faceBackground) << "the fill leaked through the curve";
    EXPECT_EQ(image.pixel(50, 38), faceBackground);
}

// The smallest faces: the moon radius rounds to 0 or 1 pixel, the ellipses shrink to a few
// points, and a frame must still finish at once.
// Within a minute the picture stays put while the seconds run on; the next minute moves it.
TEST(MoonPicture, PlannedAtTheWholeMinute) {
    ClockState state = test::stateAt(2024, 3, 20, 12, 0, 0);
    const MoonPicturePlan atMinute = planMoonPicture(state);
    state.now += 59;
    EXPECT_EQ(planMoonPicture(state), atMinute);
    state.now += 1;
    EXPECT_NE(planMoonPicture(state).k, atMinute.k);
}

TEST(MoonPicture, SubPixelMoonFinishesAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    for (int r = 0; r <= 6; ++r) {
        ClockState state = stateAt(2024, 3, 13, 19, 5, 48.47, -12.52);
        Image image(2 * r + 1, 2 * r + 1, faceBackground);
        Canvas canvas;
        canvas.beginDrawing(image);
        paintMoonPicture(canvas, planMoonPicture(state), r);
        EXPECT_EQ(canvas.drawingMode(), ModeDefault);
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}

struct PhaseRow {
    const char* fault;
    int year, month, day, hour, minute;
    bool full;
};

// 3:05 and 23:05 keep the hands in the upper half, off the picture.
TEST(MoonPicture, NewMoonDarkAndFullMoonLitButForASliver) {
    const PhaseRow rows[] = {
        {"new moon 2024-01-11 11:57 UT, ten hours before", 2024, 1, 11, 3, 5, false},
        {"full moon 2024-01-25 17:54 UT, four hours after", 2024, 1, 25, 23, 5, true},
    };
    for (const PhaseRow& row : rows) {
        ClockState state = stateAt(row.year, row.month, row.day, row.hour, row.minute, 48.47, -12.52);
        const Image image = renderFace(state);
        const DiscCount c = countDisc(image, 200, 254);
        const int area = c.lit + c.dark;
        EXPECT_GT(area, 3000) << row.fault;  // pi * 33.7^2 = 3568, less the label
        const int sliver = row.full ? c.dark : c.lit;
        EXPECT_LT(sliver, area / 25) << row.fault << ", see " << test::dumpImage(image, row.fault);
    }
}

TEST(MoonPicture, DiscIsCentredBelowTheDialCentre) {
    struct Row {
        int r, cx, cy, radius;
    };
    // cy = r + r / 3.725f rounded; R = r * 0.17f rounded; the rim at 0.99 R.
    for (const Row& row : {Row{200, 200, 254, 34}, Row{102, 102, 129, 17}, Row{490, 490, 622, 83}}) {
        ClockState state = stateAt(2024, 1, 25, 23, 5, 48.47, -12.52);
        const Image image = renderFace(state, row.r);
        const DiscCount c = countDisc(image, row.cx, row.cy, row.radius + 6);
        EXPECT_NEAR((c.minX + c.maxX + 1) / 2.0, row.cx, 1.0) << row.r;
        EXPECT_NEAR((c.minY + c.maxY + 1) / 2.0, row.cy, 1.0) << row.r;
        EXPECT_NEAR((c.maxX - c.minX + 1) / 2.0, 0.99 * row.radius, 1.0) << row.r;
    }
}

// Reflects pixel centres about the cusp line through (200, 254) at phiDeg.
TEST(MoonPicture, WaxingAndWaningOfEqualFractionAreMirrorImages) {
    for (const double k : {0.2, 0.35, 0.7}) {
        for (const double phi : {30.0, 90.0, 200.0}) {
            const Image waxing = discAlone(k, false, phi);
            const Image waning = discAlone(k, true, phi);
            const DiscCount cx = countDisc(waxing, 200, 254), cn = countDisc(waning, 200, 254);
            EXPECT_NEAR(cx.lit, cn.lit, cx.lit / 20 + 5) << k << " " << phi;
            EXPECT_LT(angleGap(cx.litDirectionDeg(), phi - 90.0), 5.0) << "waxing " << k << " " << phi;
            EXPECT_LT(angleGap(cn.litDirectionDeg(), phi + 90.0), 5.0) << "waning " << k << " " << phi;
            const double ux = std::cos(phi / degreesPerRadianD), uy = std::sin(phi / degreesPerRadianD);
            int matched = 0;
            for (int y = 210; y <= 298; ++y)
                for (int x = 156; x <= 244; ++x) {
                    if (waxing.pixel(x, y) != moonYellow) continue;
                    const double px = x + 0.5 - 200, py = y + 0.5 - 254;
                    const double along = px * ux + py * uy;
                    const double mx = 2 * along * ux - px, my = 2 * along * uy - py;
                    const int qx = roundToPixel(std::floor(200 + mx));
                    const int qy = roundToPixel(std::floor(254 + my));
                    if (waning.pixel(qx, qy) == moonYellow) ++matched;
                }
            EXPECT_GT(matched, cx.lit * 9 / 10) << k << " " << phi << ", see "
                                                << test::dumpImage(waxing, "mirror_waxing") << " "
                                                << test::dumpImage(waning, "mirror_waning");
        }
    }
}

// The drawn bright limb (the lit pixels' centroid) points where the sky's bright limb does,
// for both signs of the drawing and both hemispheres.
TEST(MoonPicture, BrightLimbPointsWhereTheSkyHasIt) {
    struct Row {
        const char* name;
        int year, month, day, hour, minute;
        double latitude, longitude, timeZone;
    };
    const Row rows[] = {
        {"waxing crescent, evening, 48 N", 2024, 3, 13, 19, 5, 48.47, -12.52, 1.0},
        {"waning crescent, morning, 48 N", 2024, 4, 5, 5, 5, 48.47, -12.52, 1.0},
        {"waxing gibbous, evening, 48 N", 2024, 3, 20, 21, 5, 48.47, -12.52, 1.0},
        {"waxing crescent, evening, 33 S", 2024, 3, 13, 19, 5, -33.52, -151.13, 10.0},
        {"waning gibbous, morning, 33 S", 2024, 3, 28, 5, 5, -33.52, -151.13, 10.0},
    };
    for (const Row& row : rows) {
        ClockState state = stateAt(row.year, row.month, row.day, row.hour, row.minute, row.latitude,
                                   row.longitude, row.timeZone);
        const Image image = renderFace(state);
        const DiscCount c = countDisc(image, 200, 254);
        ASSERT_GT(c.lit, 100) << row.name;
        const double sky = moonSkyOrientation(state).brightLimbScreenDeg;
        EXPECT_LT(angleGap(c.litDirectionDeg(), sky), 6.0)
            << row.name << ": drawn " << c.litDirectionDeg() << ", sky " << sky << ", see "
            << test::dumpImage(image, row.name);
    }
}

}  // namespace
}  // namespace dorvalen
