// Rings, discs drawn within a rectangle, and fills checked against a plain breadth-first
// reference on random images: the fast paths must give the pixels the simple ones give.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <random>

#include "canvas/canvas.h"

namespace dorvalen {
namespace {

constexpr Colour paper = rgb(236, 233, 216);

Image drawn(int side, const std::function<void(Canvas&)>& draw) {
    Image image(side, side, paper);
    Canvas canvas;
    canvas.beginDrawing(image);
    draw(canvas);
    return image;
}

// A window shrunk after a maximise gives the large frame's memory back; a frame of the
// same size reuses its buffer.
// Layers reach pixels only through the canvas; the audit finds any pixel changed between
// two of its calls, or after the last one.
TEST(CanvasAudit, CountsPixelsWrittenBesideTheCanvas) {
    Image image(20, 20, rgb(255, 255, 255));
    Canvas canvas;
    canvas.auditWrites();
    canvas.beginDrawing(image);
    canvas.fillBox(0, 0, 5, 5, black);
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.drawCircle(10, 10, 4, rgba(0, 0, 0, 100));
    canvas.floodFill(18, 2, rgba(9, 9, 9, 50));
    EXPECT_EQ(canvas.writesBesideCanvas(), 0u);
    EXPECT_EQ(canvas.readRow(3, -4, 30).size(), 20u);  // clipped to the row
    EXPECT_EQ(canvas.readPixel(20, 3), std::nullopt);

    image.pixels[3] = rgb(1, 2, 3);
    canvas.plotPixel(19, 19, black);
    EXPECT_EQ(canvas.writesBesideCanvas(), 1u);
    image.pixels[50] = image.pixels[51] = rgb(1, 2, 3);
    canvas.endDrawing();
    EXPECT_EQ(canvas.writesBesideCanvas(), 3u);
}

TEST(ImageResize, HoldsNoMoreThanItsPixelsAndKeepsTheBufferAtTheSameSize) {
    Image image(1000, 1000, paper);
    image.resize(200, 200);
    EXPECT_EQ(image.pixels.size(), 40000u);
    EXPECT_LE(image.pixels.capacity(), 40000u);
    const Colour* buffer = image.pixels.data();
    image.resize(200, 200);
    EXPECT_EQ(image.pixels.data(), buffer);
    EXPECT_EQ(image.width, 200);
}

TEST(CanvasRing, IsTheOuterDiscLessTheInnerOne) {
    const struct {
        const char* fault;
        int cx, cy, outer, inner;
        DrawingMode mode;
    } rows[] = {
        {"blended rim under an opaque disc", 40, 40, 30, 26, ModeAlphaBlend},
        {"a ring cut by the image edge", 5, 70, 30, 20, ModeDefault},
        {"inner radius negative: the whole disc", 40, 40, 12, -1, ModeAlphaBlend},
        {"inner radius beyond the outer: nothing", 40, 40, 12, 15, ModeAlphaBlend},
    };
    for (const auto& row : rows) {
        const Colour colour = rgba(0, 0, 0, 128);
        const Image ring = drawn(80, [&](Canvas& c) {
            c.setDrawingMode(row.mode);
            c.drawRing(row.cx, row.cy, row.outer, row.inner, colour);
            c.setDrawingMode(ModeDefault);
            c.drawCircle(row.cx, row.cy, row.inner, paper);
        });
        const Image layered = drawn(80, [&](Canvas& c) {
            c.setDrawingMode(row.mode);
            c.drawCircle(row.cx, row.cy, row.outer, colour);
            c.setDrawingMode(ModeDefault);
            c.drawCircle(row.cx, row.cy, row.inner, paper);
        });
        EXPECT_EQ(ring.pixels, layered.pixels) << row.fault;
    }
}

// The face relies on both: a smaller disc lies inside a larger one, and a ring two pixels
// wide is a wall no 4-connected fill crosses.
TEST(CanvasRing, DiscsNestAndATwoPixelRingStopsAFill) {
    for (int radius = 2; radius <= 160; radius += radius < 100 ? 1 : 29) {
        const int side = 2 * radius + 6;
        const Image nested = drawn(side, [&](Canvas& c) {
            c.drawCircle(side / 2, side / 2, radius - 1, rgb(1, 1, 1));
            c.drawCircle(side / 2, side / 2, radius, rgb(2, 2, 2));
        });
        ASSERT_EQ(std::count(nested.pixels.begin(), nested.pixels.end(), rgb(1, 1, 1)), 0) << radius;
        const Image walled = drawn(side, [&](Canvas& c) {
            c.drawRing(side / 2, side / 2, radius, radius - 2, rgb(255, 0, 255));
            c.floodFill(0, 0, rgb(9, 9, 9));
        });
        ASSERT_EQ(walled.pixel(side / 2, side / 2), paper) << radius;
    }
}

TEST(CanvasCircle, WithinAnAreaKeepsExactlyTheDiscsPixelsThere) {
    const PixelRect area{30, 12, 25, 40};
    const Image whole = drawn(80, [](Canvas& c) { c.drawCircle(40, 40, 33, rgb(0, 0, 255)); });
    const Image part = drawn(80, [&](Canvas& c) { c.drawCircleWithin(40, 40, 33, rgb(0, 0, 255), area); });
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x) {
            const bool inside = x >= area.x && x < area.x + area.w && y >= area.y && y < area.y + area.h;
            ASSERT_EQ(part.pixel(x, y), inside ? whole.pixel(x, y) : paper) << x << "," << y;
        }
}

// Breadth-first: the pixels 4-connected to the seed through the region, as a mask.
// The minute hand's tint finds its kite's outline row by row without drawing it, so the
// spans must be exactly the pixels drawLine sets, ties and direction included.
TEST(CanvasLine, RowSpansAreTheDrawnLine) {
    struct LineRow {
        const char* fault;
        struct {
            int x, y;
        } from, to;
    };
    const LineRow rows[] = {
        {"shallow, rising to the right", {3, 30}, {57, 11}},
        {"shallow, drawn the other way (ties round the other side)", {57, 11}, {3, 30}},
        {"steep, falling to the left", {40, 2}, {33, 58}},
        {"half-way ties on every other step", {5, 5}, {55, 30}},
        {"diagonal", {50, 50}, {10, 10}},
        {"horizontal", {8, 20}, {52, 20}},
        {"vertical upwards", {20, 52}, {20, 8}},
        {"a single point", {31, 17}, {31, 17}},
        {"rows above the spans are left out", {10, -20}, {45, 40}},
    };
    for (const LineRow& row : rows) {
        Image image(64, 64, paper);
        Canvas canvas;
        canvas.beginDrawing(image);
        canvas.drawLine(row.from.x, row.from.y, row.to.x, row.to.y, black);
        std::vector<RowSpan> spans(64);
        lineRowSpans(row.from.x, row.from.y, row.to.x, row.to.y, 0, spans);
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const bool inSpan = spans[y].lo <= x && x <= spans[y].hi;
                EXPECT_EQ(image.pixel(x, y) == black, inSpan) << row.fault << " at " << x << ", " << y;
            }
        }
    }
}

std::vector<bool> referenceRegion(const Image& image, int sx, int sy, bool bySeed, Colour border) {
    const Colour key = bySeed ? rgbPart(image.pixel(sx, sy)) : rgbPart(border);
    const auto inRegion = [&](int x, int y) { return (rgbPart(image.pixel(x, y)) == key) == bySeed; };
    std::vector<bool> seen(image.pixels.size(), false);
    if (!inRegion(sx, sy)) return seen;
    std::deque<std::pair<int, int>> queue{{sx, sy}};
    seen[static_cast<std::size_t>(sy) * image.width + sx] = true;
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        for (const auto& [nx, ny] : {std::pair{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
            const std::size_t i = static_cast<std::size_t>(ny) * image.width + nx;
            if (!image.contains(nx, ny) || seen[i] || !inRegion(nx, ny)) continue;
            seen[i] = true;
            queue.push_back({nx, ny});
        }
    }
    return seen;
}

// Random blotches in three colours on a width that is no multiple of eight or sixty-four,
// filled in every variant: seed or border, opaque or blended, with and without the
// per-pixel bookkeeping a fill needs when its written pixels still look like the region.
TEST(CanvasFill, EveryVariantFillsExactlyTheConnectedRegion) {
    const Colour inks[] = {paper, rgb(0, 0, 0), rgb(10, 200, 30)};
    const struct {
        const char* fault;
        bool bySeed;
        DrawingMode mode;
        Colour colour;
    } rows[] = {
        {"seed fill, opaque", true, ModeDefault, rgb(200, 0, 0)},
        {"seed fill, blended", true, ModeAlphaBlend, rgba(200, 0, 0, 100)},
        {"seed fill whose blend keeps the seed colour", true, ModeAlphaBlend, rgba(236, 233, 216, 90)},
        {"border fill, opaque in another colour", false, ModeDefault, rgb(200, 0, 0)},
        {"border fill, blended", false, ModeAlphaBlend, rgba(200, 0, 0, 100)},
    };
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        Image image(131, 77, paper);
        for (Colour& p : image.pixels) p = inks[random() % 100 < 70 ? 0 : 1 + random() % 2];
        const int sx = static_cast<int>(random() % 131), sy = static_cast<int>(random() % 77);
        for (const auto& row : rows) {
            const std::vector<bool> region = referenceRegion(image, sx, sy, row.bySeed, inks[1]);
            Image filled = image;
            Canvas canvas;
            canvas.beginDrawing(filled);
            canvas.setDrawingMode(row.mode);
            if (row.bySeed)
                canvas.floodFill(sx, sy, row.colour);
            else
                canvas.floodFillTo(sx, sy, inks[1], row.colour);
            Image expected = image;
            Canvas one;
            one.beginDrawing(expected);
            one.setDrawingMode(row.mode);
            for (std::size_t i = 0; i < region.size(); ++i)
                if (region[i]) one.plotPixel(static_cast<int>(i % 131), static_cast<int>(i / 131), row.colour);
            ASSERT_EQ(filled.pixels, expected.pixels) << row.fault << ", round " << round;
        }
    }
}

}  // namespace
}  // namespace dorvalen
