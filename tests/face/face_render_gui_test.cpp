// Whole frames at pinned instants: the image size, the corner texts in their corners, the
// place and coordinates line only when asked, the face ring and hour dots, and a frame hash.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/conversions.h"
#include "core/calendar.h"
#include "face/dial.h"
#include "face/dial_geometry.h"
#include "face/face_render.h"
#include "core/face_texts.h"
#include "tests/support/pixel_support.h"

namespace dorvalen {
namespace {


Font textFontFor(int r) { return loadFont("Arial", static_cast<int>(truncToInt(r / 14.5))); }

struct Box {
    int x0, y0, x1, y1;  // inclusive
    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

// Pure black pixels outside the face ring (radius r - r/10, plus two pixels for the ends of
// the shift dividers) and within a box.
int blackOutsideFace(const Image& image, int r, Box box) {
    int count = 0;
    const int ring = faceRimRadius(r) + 2;
    for (int y = std::max(box.y0, 0); y <= std::min(box.y1, image.height - 1); ++y)
        for (int x = std::max(box.x0, 0); x <= std::min(box.x1, image.width - 1); ++x) {
            const int dx = x - r, dy = y - r;
            if (dx * dx + dy * dy <= ring * ring) continue;
            if (image.pixel(x, y) == black) ++count;
        }
    return count;
}

TEST(FaceRender, ResizesTheImageToTwiceTheRadius) {
    ClockState state = test::stateAt(2026, 5, 3, 9, 5, 3);
    Image image(400, 400);
    const Font font = textFontFor(150);
    renderClockFace(state, image, font, 150, false);
    EXPECT_EQ(image.width, 300);
    EXPECT_EQ(image.height, 300);
    EXPECT_EQ(image.pixel(150, 8), faceBackground);  // top margin between the corner texts
    renderClockFace(state, image, font, 0, false);    // no face for radius 0, no crash
    EXPECT_EQ(image.width, 300);
}

// Every black pixel outside the face ring belongs to one of the four text cells, and each
// cell has ink: the texts sit in their corners at the 5-pixel margins.
TEST(FaceRender, CornerTextsSitInsideTheirCorners) {
    const int r = 200;
    ClockState state = test::stateAt(2026, 5, 3, 9, 5, 3);
    Image image;
    const Font font = textFontFor(r);
    renderClockFace(state, image, font, r, false);

    Image scratch(1, 1);
    Canvas measure;
    measure.beginDrawing(scratch);
    measure.setDrawingFont(&font);
    const int h = measure.textHeight("Wg");
    const int side = 2 * r;
    auto widthOf = [&](const std::string& text) { return measure.textWidth(text); };
    const int wTime = widthOf("9:05:03 Uhr"), wDate = widthOf("3.5.2026");
    const int wDay = widthOf("Sonntag"), wWeek = widthOf("18.Woche");
    const Box cells[] = {
        {5, 5, 5 + wTime - 1, 5 + h - 1},
        {side - wDate - 5, 5, side - 6, 5 + h - 1},
        {5, side - h - 5, 5 + wDay - 1, side - 6},
        {side - wWeek - 5, side - h - 5, side - 6, side - 6},
    };
    int inCells = 0;
    for (const Box& cell : cells) {
        const int ink = blackOutsideFace(image, r, cell);
        EXPECT_GT(ink, 20) << "empty corner cell at " << cell.x0 << "," << cell.y0 << " "
                           << test::dumpImage(image, "corners");
        inCells += ink;
    }
    EXPECT_EQ(blackOutsideFace(image, r, {0, 0, side - 1, side - 1}), inCells)
        << "black text outside the corner cells, see " << test::dumpImage(image, "corners");
}

TEST(FaceRender, CoordinatesLineAndPlaceOnlyWhenAsked) {
    const int r = 200;
    ClockState state = test::stateAt(2026, 1, 15, 12, 0, 0);
    const Font font = textFontFor(r);
    // The strips between the corner texts at the top and bottom edge.
    const Box top{120, 0, 279, 24}, bottom{120, 2 * r - 24, 279, 2 * r - 1};
    Image image;
    renderClockFace(state, image, font, r, false);
    EXPECT_EQ(blackOutsideFace(image, r, top), 0);
    EXPECT_EQ(blackOutsideFace(image, r, bottom), 0);
    renderClockFace(state, image, font, r, true);
    EXPECT_GT(blackOutsideFace(image, r, top), 10) << test::dumpImage(image, "coordinates");
    EXPECT_GT(blackOutsideFace(image, r, bottom), 10) << test::dumpImage(image, "coordinates");
    // Off again: the frame is painted from scratch, nothing remains.
    renderClockFace(state, image, font, r, false);
    EXPECT_EQ(blackOutsideFace(image, r, bottom), 0);
}

TEST(FaceRender, FaceRingAndHourDotsAreBlendedBlack) {
    const int r = 200;
    ClockState state = test::stateAt(2026, 5, 3, 9, 5, 3);
    Image image;
    renderClockFace(state, image, textFontFor(r), r, false);
    const Colour ring = rgb(236 * 127 / 255, 233 * 127 / 255, 216 * 127 / 255);
    EXPECT_EQ(image.pixel(200, 21), ring);   // distance 179: ring (180) outside the disc (177)
    EXPECT_EQ(image.pixel(200, 19), faceBackground);
    for (const int deg : {60, 300}) {
        const PixelPoint p = dialPoint(r, deg, r - r / 6.5);
        const Colour under = image.pixel(p.x + 5, p.y);  // beyond the dot radius r div 70 = 2
        const Colour dot = rgb(redOf(under) * 127 / 255, greenOf(under) * 127 / 255,
                               blueOf(under) * 127 / 255);
        EXPECT_EQ(image.pixel(p.x, p.y), dot) << deg;
        EXPECT_EQ(image.pixel(p.x + 2, p.y), dot) << deg;
        EXPECT_EQ(image.pixel(p.x + 3, p.y), under) << deg;
    }
}

TEST(FaceRender, InvalidFontStillDrawsEveryText) {
    ClockState state = test::stateAt(2026, 5, 3, 9, 5, 3);
    Image image;
    renderClockFace(state, image, Font(), 200, true);
    EXPECT_GT(blackOutsideFace(image, 200, {0, 0, 120, 30}), 20);
}

// A small face from fixed inputs. The sky layers, the shift ring and the phase marker are
// part of the frame: when one of them changes, look at the dumped image and regenerate
// (DORVALEN_UPDATE_HASHES=1 prints the new value).
TEST(FaceRender, FrameHash) {
    const int r = 120;
    ClockState state = test::stateAt(2026, 5, 3, 6, 30, 15);
    state.settings.showSecondsHand = 1;
    Image image;
    renderClockFace(state, image, textFontFor(r), r, true);
    test::expectFrameHash(image, "face_r120_20260503_063015", 0x45e2115376ff75d0u);
}

}  // namespace
}  // namespace dorvalen
