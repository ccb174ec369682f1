// The canvas: exact blends, clipping that keeps the unclipped pixels, fills that do not
// leak, revisit or recurse, and text whose pixels are only the front and back colours.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <functional>

#include "canvas/canvas.h"
#include "canvas/font_impl.h"
#include "canvas/qimage_view.h"
#include "tests/support/pixel_support.h"

namespace dorvalen {
namespace {

constexpr Colour white = rgb(255, 255, 255);
constexpr Colour red = rgb(255, 0, 0);

std::size_t countOf(const Image& image, Colour colour) {
    return static_cast<std::size_t>(
        std::count(image.pixels.begin(), image.pixels.end(), rgbPart(colour)));
}

struct BlendRow {
    const char* fault;
    Colour source;
    Colour destination;
    Colour expected;
};

TEST(CanvasBlend, IntegerFormulaPerChannel) {
    const BlendRow rows[] = {
        {"half red over blue", rgba(255, 0, 0, 128), rgb(0, 0, 255), rgb(128, 0, 127)},
        {"hand fill over the face", rgba(138, 135, 118, 64), rgb(236, 233, 216),
         rgb(211, 208, 191)},
        {"truncates, never rounds", rgba(0, 0, 0, 100), rgb(100, 100, 100), rgb(60, 60, 60)},
        {"alpha 0 (an rgb colour) leaves the pixel", rgb(12, 34, 56), rgb(200, 100, 50),
         rgb(200, 100, 50)},
        {"alpha 255 gives the source exactly", rgba(12, 34, 56, 255), rgb(200, 100, 50),
         rgb(12, 34, 56)},
    };
    for (const BlendRow& row : rows) {
        Image image(3, 1, row.destination);
        Canvas canvas;
        canvas.beginDrawing(image);
        canvas.setDrawingMode(ModeAlphaBlend);
        canvas.plotPixel(1, 0, row.source);
        EXPECT_EQ(image.pixel(1, 0), row.expected) << row.fault;
        EXPECT_EQ(image.pixel(0, 0), row.destination) << row.fault;
    }
}

// Every length, short ones through their overlapping stores, sets just its own pixels.
TEST(CanvasSpans, FillPixelsSetsExactlyTheSpan) {
    for (std::size_t n = 0; n <= 40; ++n) {
        for (std::size_t at : {0u, 1u, 3u}) {
            std::vector<Colour> row(50, white);
            fillPixels(row.data() + at, n, red);
            for (std::size_t x = 0; x < row.size(); ++x)
                ASSERT_EQ(row[x], x >= at && x < at + n ? red : white)
                    << "n " << n << " at " << at << " x " << x;
        }
    }
}

// A span blends four pixels at once while they repeat the last colour: runs that change
// colour inside a group, odd tails and pixels carrying alpha bits must blend as one by one.
TEST(CanvasBlend, SpanMatchesPixelByPixel) {
    const Colour a = rgb(236, 233, 216), b = rgb(10, 200, 30);
    Image span(23, 1), single(23, 1);
    for (int x = 0; x < 23; ++x)
        span.pixels[x] = x < 6 || x == 13 ? a : x < 9 ? b : (x % 3 == 0 ? b : a);
    span.pixels[17] |= 0xFF000000u;  // alpha bits are not part of the colour
    single = span;
    Canvas canvas;
    canvas.beginDrawing(span);
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.fillBox(1, 0, 22, 1, rgba(138, 135, 118, 64));
    canvas.beginDrawing(single);
    for (int x = 1; x < 23; ++x) canvas.plotPixel(x, 0, rgba(138, 135, 118, 64));
    EXPECT_EQ(span.pixels, single.pixels);
}

// Every shape drawn half off a small image must give exactly the pixels the same shape
// has inside that window when drawn whole on a large image.
TEST(CanvasClipping, ShapesPartlyOutsideKeepTheirVisiblePixels) {
    struct ShapeRow {
        const char* fault;
        DrawingMode mode;
        std::function<void(Canvas&, int)> draw;  // argument: offset of the origin
    };
    const ShapeRow rows[] = {
        {"box over the left and top edges", ModeDefault,
         [](Canvas& c, int o) { c.fillBox(o - 20, o - 7, 50, 30, red); }},
        {"disc over the corner", ModeAlphaBlend,
         [](Canvas& c, int o) { c.drawCircle(o + 3, o + 5, 31, rgba(255, 0, 0, 100)); }},
        {"rim over the bottom right", ModeOutlined,
         [](Canvas& c, int o) { c.drawCircle(o + 70, o + 60, 45, red); }},
        {"shallow line across", ModeDefault,
         [](Canvas& c, int o) { c.drawLine(o - 90, o + 13, o + 150, o + 71, red); }},
        {"steep line leaving at the bottom", ModeDefault,
         [](Canvas& c, int o) { c.drawLine(o + 41, o - 30, o + 77, o + 190, red); }},
        {"line drawn right to left, bottom to top", ModeAlphaBlend,
         [](Canvas& c, int o) { c.drawLine(o + 170, o + 95, o - 60, o + 2, rgba(0, 0, 255, 90)); }},
        {"diagonal through both corners", ModeDefault,
         [](Canvas& c, int o) { c.drawLine(o - 50, o - 50, o + 149, o + 149, red); }},
        {"text over the top edge", ModeDefault,
         [](Canvas& c, int o) { c.drawText(o + 10, o - 6, "Wg 18.Woche", black, white); }},
        {"blended text over the left edge", ModeAlphaBlend | ModeTransparentText,
         [](Canvas& c, int o) { c.drawText(o - 9, o + 40, "12345", rgba(0, 0, 0, 224)); }},
    };
    const Colour ground = rgb(10, 200, 30);
    for (const ShapeRow& row : rows) {
        Image small(100, 100, ground), large(300, 300, ground);
        Canvas canvas;
        canvas.setBackColour(white);
        canvas.beginDrawing(small);
        canvas.setDrawingMode(row.mode);
        row.draw(canvas, 0);
        canvas.beginDrawing(large);
        row.draw(canvas, 100);
        bool same = true;
        for (int y = 0; y < 100 && same; ++y)
            for (int x = 0; x < 100 && same; ++x) same = small.pixel(x, y) == large.pixel(x + 100, y + 100);
        EXPECT_TRUE(same) << row.fault << ", see " << test::dumpImage(small, "clip_small")
                          << " and " << test::dumpImage(large, "clip_large");
        EXPECT_NE(countOf(small, ground), small.pixels.size()) << row.fault << ": nothing visible";
    }
}

TEST(CanvasClipping, FarAwayCoordinatesDrawNothingAndDoNotCrash) {
    Image image(20, 20, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.fillBox(INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX, red);
    canvas.fillBox(INT_MIN, INT_MIN, 10, 10, red);
    canvas.drawCircle(INT_MIN, 5, 1000, red);
    canvas.drawCircle(5, 5, INT_MAX, red);
    canvas.drawCircle(5, 5, -3, red);
    canvas.drawLine(INT_MIN, INT_MIN, INT_MIN + 5, INT_MAX, red);
    canvas.plotPixel(-1, 0, red);
    canvas.plotPixel(20, 19, red);
    canvas.drawText(INT_MAX - 3, 0, "x", red, red);
    EXPECT_EQ(countOf(image, white), image.pixels.size());
    // A line from far outside through the image still shows its visible part.
    canvas.drawLine(INT_MIN, 10, INT_MAX, 10, red);
    EXPECT_EQ(countOf(image, red), 20u);
}

TEST(CanvasLine, IncludesBothEndPointsAndOnePixelPerStep) {
    const int ends[][4] = {{2, 3, 17, 9}, {17, 9, 2, 3}, {5, 1, 8, 18}, {4, 4, 4, 4}, {0, 19, 19, 0}};
    for (const auto& e : ends) {
        Image image(20, 20, white);
        Canvas canvas;
        canvas.beginDrawing(image);
        canvas.setDrawingMode(ModeAlphaBlend);
        canvas.drawLine(e[0], e[1], e[2], e[3], rgba(0, 0, 0, 128));
        const Colour once = rgb(127, 127, 127);
        const std::size_t steps = static_cast<std::size_t>(
            std::max(std::abs(e[2] - e[0]), std::abs(e[3] - e[1])) + 1);
        EXPECT_EQ(image.pixel(e[0], e[1]), once);
        EXPECT_EQ(image.pixel(e[2], e[3]), once);
        // Blending reveals any pixel written twice: all line pixels are blended once.
        EXPECT_EQ(countOf(image, once), steps);
        EXPECT_EQ(countOf(image, white), image.pixels.size() - steps);
    }
}

TEST(CanvasCircle, DiscIsSymmetricAndBlendedOnce) {
    Image image(41, 41, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.drawCircle(20, 20, 15, rgba(0, 0, 0, 128));
    const Colour once = rgb(127, 127, 127);
    EXPECT_EQ(countOf(image, once) + countOf(image, white), image.pixels.size());
    for (int y = 0; y < 41; ++y)
        for (int x = 0; x < 41; ++x) {
            ASSERT_EQ(image.pixel(x, y), image.pixel(40 - x, y)) << x << "," << y;
            ASSERT_EQ(image.pixel(x, y), image.pixel(y, x)) << x << "," << y;
        }
    EXPECT_EQ(image.pixel(20, 5), once);    // top of the disc
    EXPECT_EQ(image.pixel(20, 4), white);   // just beyond it
    EXPECT_EQ(image.pixel(35, 20), once);
    EXPECT_EQ(image.pixel(36, 20), white);
    canvas.drawCircle(3, 3, 0, rgba(0, 0, 0, 128));  // radius 0: one pixel
    EXPECT_EQ(image.pixel(3, 3), once);
    EXPECT_EQ(image.pixel(4, 3), white);
}

TEST(CanvasCircle, RimIsAClosedBorderForTheFill) {
    Image image(60, 60, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingMode(ModeOutlined);
    canvas.drawCircle(30, 30, 22, black);
    canvas.setDrawingMode(ModeDefault);
    EXPECT_EQ(image.pixel(30, 30), white);  // only the rim
    canvas.floodFillTo(30, 30, black, red);
    EXPECT_EQ(image.pixel(30, 30), red);
    EXPECT_EQ(image.pixel(0, 0), white);
    EXPECT_EQ(image.pixel(30, 6), white);   // beyond the top of the rim
    EXPECT_EQ(image.pixel(30, 9), red);
}

TEST(CanvasFill, OnePixelDiagonalLineDoesNotLeak) {
    Image image(50, 50, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.drawLine(0, 0, 49, 49, black);
    canvas.floodFill(40, 5, red);
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) {
            const Colour expected = x > y ? red : x == y ? black : white;
            ASSERT_EQ(image.pixel(x, y), expected) << x << "," << y << " "
                                                   << test::dumpImage(image, "diagonal_fill");
        }
}

TEST(CanvasFill, SeedColourRegionInADiscCrossedByRadiiFillsOneSector) {
    Image image(101, 101, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    const Colour disc = rgb(236, 233, 216);
    canvas.drawCircle(50, 50, 45, disc);
    canvas.drawLine(50, 50, 95, 50, black);   // 0 degrees
    canvas.drawLine(50, 50, 50, 95, black);   // 90 degrees
    canvas.drawLine(50, 50, 18, 18, black);   // 225 degrees
    canvas.floodFill(70, 70, red);        // between 0 and 90
    for (int y = 0; y < 101; ++y)
        for (int x = 0; x < 101; ++x) {
            if (image.pixel(x, y) != red) continue;
            ASSERT_TRUE(x > 50 && y > 50) << "leaked to " << x << "," << y;
        }
    EXPECT_EQ(image.pixel(70, 30), disc);
    EXPECT_EQ(image.pixel(30, 70), disc);
    EXPECT_EQ(image.pixel(99, 99), white);    // outside the disc, other colour
    EXPECT_GT(countOf(image, red), 1000u);
}

TEST(CanvasFill, SeedOutsideTheImageChangesNothing) {
    Image image(10, 10, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    const int seeds[][2] = {{-1, 0}, {10, 0}, {0, 10}, {0, -1}, {INT_MIN, INT_MAX}};
    for (const auto& s : seeds) canvas.floodFill(s[0], s[1], red);
    EXPECT_EQ(countOf(image, white), 100u);
}

TEST(CanvasFill, EachPixelIsBlendedOnce) {
    // The blended grey is still "not the border", so a fill without memory would blend
    // it again and again.
    Image image(30, 30, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingMode(ModeOutlined);
    canvas.drawCircle(15, 15, 12, black);
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.floodFillTo(15, 15, black, rgba(0, 0, 0, 128));
    EXPECT_EQ(image.pixel(15, 15), rgb(127, 127, 127));
    EXPECT_EQ(countOf(image, rgb(63, 63, 63)), 0u);
    // The next fill on the canvas starts with no pixel marked.
    canvas.floodFillTo(15, 15, black, rgba(0, 0, 0, 128));
    EXPECT_EQ(image.pixel(15, 15), rgb(63, 63, 63));
    // A blend that leaves the seed colour unchanged must still end, touching each once.
    Image flat(30, 30, rgb(100, 100, 100));
    canvas.beginDrawing(flat);
    canvas.floodFill(3, 3, rgba(101, 100, 100, 1));
    EXPECT_EQ(countOf(flat, rgb(100, 100, 100)), 900u);
}

TEST(CanvasFill, BorderFillPassesPixelsAlreadyInTheFillColour) {
    Image image(20, 20, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.fillBox(0, 10, 20, 1, red);      // a red bar across the region, not a border
    canvas.fillBox(0, 15, 20, 1, black);    // the border
    canvas.floodFillTo(5, 2, black, red);
    EXPECT_EQ(image.pixel(5, 12), red);     // reached through the red bar
    EXPECT_EQ(image.pixel(5, 17), white);   // beyond the border
}

TEST(CanvasFill, ComparesRgbOnly) {
    Image image(8, 8, white);
    image.pixels[9] = white | 0xFF000000u;  // same RGB, stray alpha byte
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.floodFill(0, 0, red);
    EXPECT_EQ(countOf(image, red), 64u);
}

// A serpentine corridor through a 4000 x 4000 image: a recursive fill would overflow the
// stack long before its end.
TEST(CanvasFill, HugeImageSerpentineNeedsNoRecursion) {
    const int side = 4000;
    Image image(side, side, white);
    Canvas canvas;
    canvas.beginDrawing(image);
    for (int x = 2; x < side; x += 4) {
        const bool gapAtBottom = (x / 4) % 2 == 0;
        canvas.fillBox(x, gapAtBottom ? 0 : 1, 1, side - 1, black);
    }
    canvas.floodFill(0, 0, red);
    EXPECT_EQ(countOf(image, white), 0u);
    EXPECT_EQ(image.pixel(side - 1, side - 1), red);
}

// The part handed to Qt lands 1:1 at its place in Qt's pixel order, grown to whole logical
// pixels and cut at the image, and nothing beside it is painted.
TEST(ImageHandOff, PaintsExactlyTheAskedPartInQtsOrder) {
    Image image(37, 29);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = rgb(static_cast<int>(i * 7), static_cast<int>(i * 13), static_cast<int>(i * 29));
    struct Row {
        PixelRect area;
        int ratio;
        PixelRect painted;
    } rows[] = {
        {{5, 3, 11, 4}, 1, {5, 3, 11, 4}},
        {{-4, 20, 60, 30}, 1, {0, 20, 37, 9}},     // cut at the image
        {{3, 5, 4, 3}, 2, {2, 4, 6, 4}},           // grown to whole pixels of ratio 2
        {{33, 25, 9, 9}, 2, {32, 24, 5, 5}},       // grown, then cut at an odd edge
        {{10, 10, 0, 5}, 1, {0, 0, 0, 0}},
    };
    constexpr QRgb untouched = 0xff123456u;
    for (const Row& row : rows) {
        QImage screen(image.width, image.height, QImage::Format_RGB32);
        screen.fill(untouched);
        screen.setDevicePixelRatio(row.ratio);
        QPainter painter(&screen);
        paintImageArea(painter, image, row.area, row.ratio);
        painter.end();
        const PixelRect& p = row.painted;
        for (int y = 0; y < image.height; ++y) {
            for (int x = 0; x < image.width; ++x) {
                const bool inside = x >= p.x && x < p.x + p.w && y >= p.y && y < p.y + p.h;
                const Colour c = image.pixel(x, y);
                const QRgb expected = inside ? qRgb(redOf(c), greenOf(c), blueOf(c)) : untouched;
                ASSERT_EQ(screen.pixel(x, y), expected) << row.area.x << "," << row.area.y
                                                         << " ratio " << row.ratio << " at " << x << "," << y;
            }
        }
    }
}

TEST(Fonts, ArialResolvesToLiberationSansAtNinetySixDpi) {
    Font font = loadFont("Arial", 13);
    ASSERT_TRUE(font.isValid());
    EXPECT_EQ(font.impl()->font.pixelSize(), 17);  // 13 pt * 96 / 72 = 17.33
    const QFontInfo info(font.impl()->font);
    EXPECT_EQ(info.family().toStdString(), "Liberation Sans");
    EXPECT_EQ(info.pixelSize(), 17);
    releaseFont(font);
    EXPECT_FALSE(font.isValid());
    EXPECT_FALSE(loadFont("Arial", 0).isValid());
    EXPECT_FALSE(loadFont("Arial", INT_MAX).isValid());
}

TEST(CanvasText, PixelsAreOnlyFrontAndBackColours) {
    Font font = loadFont("Arial", 13);
    Image image(200, 40, red);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingFont(&font);
    const Colour back = rgb(236, 233, 216);
    canvas.drawText(3, 4, "Länge: 12.50°O", black, back);
    const int w = canvas.textWidth("Länge: 12.50°O"), h = canvas.textHeight("Wg");
    EXPECT_GT(w, 50);
    EXPECT_EQ(h, QFontMetrics(font.impl()->font).height());
    const std::size_t cell = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    const std::size_t ink = countOf(image, black);
    EXPECT_GT(ink, 50u);
    EXPECT_EQ(ink + countOf(image, back), cell);  // no grey edge pixels
    EXPECT_EQ(image.pixel(3, 4), back);           // the cell's top-left corner
    EXPECT_EQ(image.pixel(2, 4), red);            // left of the cell untouched
}

TEST(CanvasText, ModeSeventeenBlendsTheFrontAndPaintsNoBackground) {
    Font font = loadFont("Arial", 20);
    const Colour face = rgb(236, 233, 216);
    Image image(60, 40, face);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingFont(&font);
    canvas.setDrawingMode(ModeAlphaBlend | ModeTransparentText);
    canvas.drawText(2, 2, "18", rgba(0, 0, 0, 224), white);
    // 236 * 31 / 255 = 28.7 -> 28, 233 -> 28, 216 -> 26.
    const std::size_t blended = countOf(image, rgb(28, 28, 26));
    EXPECT_GT(blended, 30u);
    EXPECT_EQ(blended + countOf(image, face), image.pixels.size());

    // Just the glyphs' pixels are blended, also where the ground changes under them: the
    // same text drawn opaque tells which pixels the glyphs cover.
    Image striped(60, 40), glyphs(60, 40, white);
    for (std::size_t i = 0; i < striped.pixels.size(); ++i)
        striped.pixels[i] = i % 60 < 13 ? face : red;
    const Image ground = striped;
    canvas.beginDrawing(striped);
    canvas.drawText(2, 2, "18", rgba(0, 0, 0, 224), white);
    canvas.beginDrawing(glyphs);
    canvas.setDrawingMode(ModeDefault);
    canvas.drawText(2, 2, "18", black, white);
    for (std::size_t i = 0; i < striped.pixels.size(); ++i) {
        const bool covered = glyphs.pixels[i] == black;
        const Colour g = ground.pixels[i];
        const Colour expected =
            covered ? rgb(redOf(g) * 31 / 255, greenOf(g) * 31 / 255, blueOf(g) * 31 / 255) : g;
        ASSERT_EQ(striped.pixels[i], expected) << "pixel " << i % 60 << ", " << i / 60;
    }
}

TEST(CanvasText, TransparentTextKeepsTheGroundAndInvalidFontStillWrites) {
    Image image(120, 40, red);
    Font none;
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingFont(&none);
    canvas.setDrawingMode(ModeTransparentText);
    canvas.drawText(1, 1, "Montag", black, white);
    EXPECT_GT(countOf(image, black), 20u);
    EXPECT_EQ(countOf(image, black) + countOf(image, red), image.pixels.size());
    EXPECT_GT(canvas.textWidth("Montag"), 0);
}

}  // namespace
}  // namespace dorvalen

namespace dorvalen {
namespace {

// The watched area proves that a later drawing left a part of the image alone: every row
// names the fault it would let through (a miss reported as a touch only costs speed).
TEST(CanvasWatch, ReportsExactlyTheDrawingsThatWriteOrReadTheArea) {
    const PixelRect area{20, 20, 10, 10};
    // A black border line, then a fill up to it from (seed, seed); only the fill is watched.
    const auto fillBeside = [area](int x1, int y1, int x2, int y2, int seed) {
        return [=](Canvas& c) {
            c.drawLine(x1, y1, x2, y2, black);
            c.watchArea(area);
            c.floodFillTo(seed, seed, black, rgb(1, 2, 3));
        };
    };
    struct Row {
        const char* name;
        std::function<void(Canvas&)> draw;
        bool touches;
    } rows[] = {
        {"box beside the area", [](Canvas& c) { c.fillBox(30, 20, 5, 5, black); }, false},
        {"box over one corner pixel", [](Canvas& c) { c.fillBox(29, 29, 3, 3, black); }, true},
        {"pixel just outside", [](Canvas& c) { c.plotPixel(19, 19, black); }, false},
        {"line whose box covers the area, pixels beside it",
         [](Canvas& c) { c.drawLine(0, 35, 35, 0, black); }, false},
        {"line through the area", [](Canvas& c) { c.drawLine(0, 0, 59, 59, black); }, true},
        {"blended disc over the area",
         [](Canvas& c) {
             c.setDrawingMode(ModeAlphaBlend);
             c.drawCircle(25, 25, 3, rgba(0, 0, 0, 128));
         },
         true},
        {"fill that reads the border on the area's edge", fillBeside(20, 0, 20, 59, 5), true},
        {"fill that stops a pixel short of the area", fillBeside(19, 0, 19, 59, 5), false},
        {"fill whose box covers the area, pixels beside it", fillBeside(3, 59, 59, 3, 58),
         false},
        {"text cell over the area", [](Canvas& c) { c.drawText(15, 15, "W", black); }, true},
        {"pixel read in the area", [](Canvas& c) { c.readPixel(29, 20); }, true},
        {"pixel read beside it", [](Canvas& c) { c.readPixel(30, 20); }, false},
        {"row read across the area", [](Canvas& c) { c.readRow(25, -10, 99); }, true},
        {"row read stopping a pixel short", [](Canvas& c) { c.readRow(25, 0, 19); }, false},
    };
    for (const Row& row : rows) {
        Image image(60, 60, white);
        Canvas canvas;
        canvas.beginDrawing(image);
        canvas.watchArea(area);
        row.draw(canvas);
        EXPECT_EQ(canvas.watchedAreaTouched(), row.touches) << row.name;
    }
}

}  // namespace
}  // namespace dorvalen
