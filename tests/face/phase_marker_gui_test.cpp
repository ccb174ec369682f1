// The phase marker in rendered faces (r = 200): a black triangle from b = 100 to the tip at
// p = 113 with its translucent fill, and the label centred on (200, 253.69). The clock stands
// at 3:05 unless a row says otherwise, so the hands point to 316 and 300 degrees.
#include <gtest/gtest.h>

#include <string>

#include "core/conversions.h"
#include "phases/phase_event.h"
#include "tests/face/sky_face.h"

namespace dorvalen {
namespace {

using namespace skyface;

constexpr double tipDistance = 113.0, seedDistance = 106.98;

// Black pixels within 9 pixels of the marker's seed point: the triangle's edges.
int markerInk(const Image& image, double angleDeg) {
    const PixelPoint s = dialPoint(faceRadius, angleDeg, seedDistance);
    int count = 0;
    for (int y = s.y - 9; y <= s.y + 9; ++y)
        for (int x = s.x - 9; x <= s.x + 9; ++x) count += image.pixel(x, y) == black;
    return count;
}

// Where the text, drawn alone in the face's font and centred as the marker centres it, puts
// black pixels; compared pixel by pixel with the face in the text's cell.
void expectLabel(const Image& face, const std::string& text, const std::string& name) {
    Image alone(2 * faceRadius, 2 * faceRadius, faceBackground);
    const Font font = loadFont("Arial", textFontPoints(faceRadius));
    Canvas canvas;
    canvas.beginDrawing(alone);
    canvas.setDrawingFont(&font);
    canvas.setDrawingMode(ModeTransparentText);
    const int w = canvas.textWidth(text), h = canvas.textHeight(text);
    const int x0 = faceRadius - w / 2;
    const int y0 = roundToPixel(253.69128 - h / 2.0);
    canvas.drawText(x0, y0, text, black);
    int ink = 0, mismatches = 0;
    for (int y = y0 - 3; y < y0 + h + 3; ++y)
        for (int x = x0 - 3; x < x0 + w + 3; ++x) {
            ink += alone.pixel(x, y) == black;
            mismatches += (alone.pixel(x, y) == black) != (face.pixel(x, y) == black);
        }
    EXPECT_GT(ink, 20) << text;
    EXPECT_EQ(mismatches, 0) << "label is not \"" << text << "\" centred on the moon, see "
                             << test::dumpImage(face, name);
}

// Full moon 2015-02-03 23:10 UT: with time zone 1 it falls on 2015-02-04 at 0:10, angle
// 272.5 degrees, and is marked there and not on the day before or after.
TEST(PhaseMarker, MarksTheLocalDayOfThePhaseOnly) {
    ClockState state = stateAt(2015, 2, 4, 3, 5, 48.47, -12.52);
    const Image day = renderFace(state);
    const double angle = dayFractionAngle(phaseEventOnDisplayedDay(state));
    ASSERT_NEAR(angle, 272.5, 0.1);
    EXPECT_GT(markerInk(day, angle), 15) << test::dumpImage(day, "marker_20150204");
    expectLabel(day, "0:10", "marker_20150204");
    // Filled: one blend of rgba(138, 135, 118, 64) over the pixel that was there.
    const Colour fill = at(day, angle, seedDistance);
    EXPECT_NE(fill, black);
    EXPECT_NE(fill, at(day, angle + 12.0, seedDistance));

    for (const int d : {3, 5}) {
        ClockState other = stateAt(2015, 2, d, 3, 5, 48.47, -12.52);
        const Image image = renderFace(other);
        const std::string name = "marker_201502_0" + std::to_string(d);
        EXPECT_EQ(countInRing(image, 90.0, 125.0, is(black), {316.0, 300.0}), 0)
            << "a triangle on a day without a phase, see " << test::dumpImage(image, name);
        int labelInk = 0;
        for (int y = 215; y <= 295; ++y)
            for (int x = 160; x <= 240; ++x) labelInk += image.pixel(x, y) == black;
        EXPECT_EQ(labelInk, 0) << "a label on a day without a phase, see "
                               << test::dumpImage(image, name);
    }
}

// The same full moon at time zone 7.92 lies at 7:05:23 local: minutes below ten padded.
TEST(PhaseMarker, LabelPadsMinutesBelowTen) {
    ClockState state = stateAt(2015, 2, 4, 3, 5, 48.47, -12.52, 7.92);
    const Image image = renderFace(state);
    expectLabel(image, "7:05", "marker_0705");
}

// New moon 2024-02-09 22:59:46 UT: at time zone 1 it lies 14 s after local midnight of
// 2024-02-10; the tip stands straight up at P(270, 113) = (200, 87).
TEST(PhaseMarker, PhaseAtLocalMidnightPointsStraightUp) {
    ClockState state = stateAt(2024, 2, 10, 3, 5, 48.47, -12.52);
    const Image image = renderFace(state);
    const std::string dump = test::dumpImage(image, "marker_midnight");
    expectLabel(image, "0:00", "marker_midnight");
    EXPECT_EQ(image.pixel(200, 87), black) << "tip, see " << dump;
    EXPECT_NE(image.pixel(200, 86), black) << "nothing beyond the tip, see " << dump;
    EXPECT_NE(image.pixel(199, 87), black) << dump;
    EXPECT_NE(image.pixel(201, 87), black) << dump;
    EXPECT_EQ(at(image, 270.0, tipDistance + 1.0), at(image, 270.0, tipDistance + 4.0)) << dump;
}

}  // namespace
}  // namespace dorvalen
