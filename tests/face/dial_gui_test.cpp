// The dial's hands at pinned instants, checked at pixels the geometry fixes (r = 200):
// tips on the hand axis at r - r/2.3f (113.04) and r - r/2.85f (129.82), fills of the
// translucent hand colour over the dial disc, and the seconds hand only for setting 1.
#include <gtest/gtest.h>

#include "core/conversions.h"
#include "core/calendar.h"
#include "face/dial.h"
#include "face/face_render.h"
#include "tests/support/pixel_support.h"

namespace dorvalen {
namespace {

constexpr int r = 200;
constexpr Colour secondsRed = rgb(196, 0, 0);
// One blend of rgba(138, 135, 118, 64) over the disc: (138*64 + 236*191) / 255 = 211 ...
constexpr Colour hourFill = rgb(211, 208, 191);
// Two blends of rgba(138, 135, 118, 32): 236 -> 223 -> 212, 233 -> 220 -> 209, 216 -> 203 -> 192.
constexpr Colour minuteFill = rgb(212, 209, 192);

// The three hands alone on a plain disc, so no sky layer can change the pixels under them.
Image handsAt(int hour, int minute, int second, int showSecondsHand) {
    ClockState state = test::stateAt(2026, 6, 18, hour, minute, second);
    state.settings.showSecondsHand = static_cast<std::int8_t>(showSecondsHand);
    Image image(2 * r, 2 * r, faceBackground);
    Canvas canvas;
    canvas.beginDrawing(image);
    drawHourHand(canvas, state, r);
    drawMinuteHand(canvas, state, r);
    if (state.settings.showSecondsHand == 1) drawSecondHand(canvas, state, r);
    EXPECT_EQ(canvas.drawingMode(), ModeDefault);
    return image;
}

struct PixelRow {
    const char* fault;
    int x, y;
    Colour expected;
};

void expectPixels(const Image& image, std::initializer_list<PixelRow> rows, const char* name) {
    bool ok = true;
    for (const PixelRow& row : rows) {
        EXPECT_EQ(image.pixel(row.x, row.y), row.expected) << name << ": " << row.fault;
        ok = ok && image.pixel(row.x, row.y) == row.expected;
    }
    if (!ok) ADD_FAILURE() << "see " << test::dumpImage(image, name);
}

TEST(DialHands, MidnightAllHandsPointUp) {
    expectPixels(handsAt(0, 0, 0, 1),
                 {{"seconds tip over the minute tip", 200, 70, secondsRed},
                  {"seconds tail, r - r/1.2f = 33.33 below", 200, 233, secondsRed},
                  {"counterweight rim right of its centre (200, 239)", 206, 239, secondsRed},
                  {"counterweight is a rim, not a disc", 203, 239, faceBackground},
                  {"nothing beyond the minute tip", 200, 68, faceBackground},
                  {"nothing below the centre but the tail", 210, 220, faceBackground}},
                 "hands_0000");
    expectPixels(handsAt(0, 0, 0, 0),
                 {{"minute tip black without seconds hand", 200, 70, black},
                  {"no seconds tail", 200, 233, faceBackground},
                  {"no counterweight", 206, 239, faceBackground}},
                 "hands_0000_noseconds");
}

TEST(DialHands, HalfPastSixHandsAndFills) {
    // phi = 8, psi = 92 (91.5 rounds to even), sigma = 0.
    expectPixels(handsAt(6, 30, 15, 1),
                 {{"hour tip P(8, 113.04)", 312, 216, black},
                  {"hour fill at its seed P(8, 100)", 299, 214, hourFill},
                  {"minute tip P(92, 129.82)", 195, 330, black},
                  {"minute fill, blended twice, at P(92, 100)", 197, 300, minuteFill},
                  {"minute fill's outer seed P(92, 113.04)", 196, 313, minuteFill},
                  {"seconds tip P(0, 129.82)", 330, 200, secondsRed},
                  {"seconds tail Q(0, 33.33)", 167, 200, secondsRed},
                  {"beside the hour hand", 299, 240, faceBackground},
                  {"beside the minute hand", 170, 300, faceBackground}},
                 "hands_063015");
}

TEST(DialHands, NoonHourDownMinuteUp) {
    expectPixels(handsAt(12, 0, 0, 0),
                 {{"hour tip P(90, 113.04)", 200, 313, black},
                  {"past the hour tip", 200, 314, faceBackground},
                  {"hour fill", 200, 300, hourFill},
                  {"minute tip", 200, 70, black},
                  {"minute fill", 200, 100, minuteFill}},
                 "hands_1200");
    expectPixels(handsAt(12, 0, 0, 2), {{"setting 2 shows no seconds", 330, 200, faceBackground}},
                 "hands_1200_setting2");
}

// The whole dial: shadow ring between the disc (radius 132) and the shadow's rim (134), the
// disc in daylight hours, hand tips over the layers and the centre disc and cap.
TEST(DialColours, ShadowDiscAndCentre) {
    ClockState state = test::stateAt(2026, 6, 18, 10, 0, 15);  // 48.47 N: 14:00 is daylight
    state.settings.showSecondsHand = 1;
    const Colour under = rgb(40, 80, 160);
    Image image(2 * r, 2 * r, under);
    Canvas canvas;
    canvas.beginDrawing(image);
    drawDial(canvas, state, Font{}, r);
    const Colour shadow = rgb(40 * 127 / 255, 80 * 127 / 255, 160 * 127 / 255);
    const PixelPoint dayPoint = dialPoint(r, 15 * 14 - 90, 0.62 * r);
    expectPixels(image,
                 {{"shadow at 134 on the left", 66, 200, shadow},
                  {"shadow at 133 on the right", 333, 200, shadow},
                  {"shadow rim at the top", 200, 66, shadow},
                  {"outside the shadow", 65, 200, under},
                  {"disc edge at 132", 68, 200, faceBackground},
                  {"disc at 14:00, 0.62 r", dayPoint.x, dayPoint.y, faceBackground},
                  {"centre cap (radius 7)", 207, 200, rgb(148, 145, 128)},
                  {"centre disc (radius 8) around the cap", 208, 200, black},
                  {"seconds tip over the layers", 330, 200, secondsRed}},
                 "dial_1000");
    EXPECT_EQ(canvas.drawingMode(), ModeDefault);
}

}  // namespace
}  // namespace dorvalen
