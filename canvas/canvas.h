// The drawing surface: a 32-bit off-screen image with our own exact rasteriser.
// Colour packing, everywhere: red + green*256 + blue*65536 + alpha*2^24. Pixels are stored
// in that packing, row by row from the top-left corner, y downwards; pixel (x, y) covers
// the unit square whose centre is (x + 0.5, y + 0.5). Shapes are never anti-aliased: every
// covered pixel takes exactly the drawing colour (or its blend in ModeAlphaBlend), because
// the flood fills of the face use exact colours as borders. Qt only rasterises glyphs.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dorvalen {

using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
    return static_cast<Colour>((red & 255) | (green & 255) << 8 | (blue & 255) << 16);
}
constexpr Colour rgba(int red, int green, int blue, int alpha) {
    return rgb(red, green, blue) | static_cast<Colour>(alpha & 255) << 24;
}
constexpr int redOf(Colour c) { return static_cast<int>(c & 255); }
constexpr int greenOf(Colour c) { return static_cast<int>((c >> 8) & 255); }
constexpr int blueOf(Colour c) { return static_cast<int>((c >> 16) & 255); }
constexpr int alphaOf(Colour c) { return static_cast<int>((c >> 24) & 255); }
constexpr Colour rgbPart(Colour c) { return c & 0xFFFFFFu; }

// Sets n pixels from p to one colour; short spans, most of a frame's, cost no loop whose
// length the processor cannot predict (pixel_simd.h).
void fillPixels(Colour* p, std::size_t n, Colour colour);

inline constexpr Colour black = rgb(0, 0, 0);

// Drawing-mode flags, combined with |; a mode stays in force until changed.
enum class DrawingMode : unsigned { Default = 0, TransparentText = 1, Outlined = 4, AlphaBlend = 16 };
constexpr DrawingMode operator|(DrawingMode a, DrawingMode b) {
    return static_cast<DrawingMode>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool hasFlag(DrawingMode mode, DrawingMode flag) {
    return (static_cast<unsigned>(mode) & static_cast<unsigned>(flag)) != 0;
}
inline constexpr DrawingMode ModeDefault = DrawingMode::Default;
inline constexpr DrawingMode ModeTransparentText = DrawingMode::TransparentText;
inline constexpr DrawingMode ModeOutlined = DrawingMode::Outlined;
inline constexpr DrawingMode ModeAlphaBlend = DrawingMode::AlphaBlend;

struct Image {
    int width = 0;
    int height = 0;
    std::vector<Colour> pixels;  // width * height, alpha byte unused

    Image() = default;
    Image(int w, int h, Colour fill = 0);
    // Contents undefined afterwards (every frame repaints all). The buffer holds w * h
    // pixels and no more: kept when that number stays, given back when it shrinks.
    void resize(int w, int h);
    Colour pixel(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
};

// A rectangle of pixels: columns x .. x + w - 1, rows y .. y + h - 1.
struct PixelRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// What a font was loaded as, so two fonts compare by value; the default font has no face.
struct FontId {
    std::string face;
    int points = 0;
    friend bool operator==(const FontId&, const FontId&) = default;
};

// A text font: face name and integer point size. Points become pixels at a fixed 96 dots
// per inch, so the face looks the same on every screen and in every test.
class Font {
public:
    Font();
    ~Font();
    Font(Font&&) noexcept;
    Font& operator=(Font&&) noexcept;
    bool isValid() const;
    FontId id() const;
    struct Impl;
    const Impl* impl() const { return impl_.get(); }

private:
    friend Font loadFont(std::string_view face, int points);
    friend void releaseFont(Font& font);
    std::unique_ptr<Impl> impl_;
};

Font loadFont(std::string_view face, int points);  // needs a Qt GUI application
void releaseFont(Font& font);                      // the font is invalid afterwards

class Blender;  // the canvas's integer alpha blend of one colour

// One bit per pixel for a fill that must not write a pixel twice, kept only for the rows
// the fill writes, so a small fill stays small on a large image.
class VisitedRows {
public:
    void reset(int width, int height);
    const std::uint64_t* row(int y) const {  // nullptr: nothing in row y is visited
        const std::size_t at = offsets_[static_cast<std::size_t>(y)];
        return at == none ? nullptr : words_.data() + at;
    }
    std::uint64_t* rowForWriting(int y);

private:
    static constexpr std::size_t none = ~std::size_t{0};
    std::size_t wordsPerRow_ = 0;
    std::vector<std::size_t> offsets_;
    std::vector<std::uint64_t> words_;
    std::vector<int> rows_;  // the rows that have bits, so a reset touches only those
};

// Columns lo .. hi of one row; empty while lo > hi.
struct RowSpan {
    int lo = std::numeric_limits<int>::max(), hi = std::numeric_limits<int>::min();
    bool empty() const { return lo > hi; }
};

// Widens spans[y - top] by the pixels of row y that drawLine sets for the line from (x1, y1)
// to (x2, y2) (the direction matters where the raster ties), before any clipping. A line sets
// consecutive pixels of a row, so the spans hold it exactly; rows outside them are left out.
// Shapes made of lines are known row by row this way, without an image.
void lineRowSpans(int x1, int y1, int x2, int y2, int top, std::span<RowSpan> spans);

// The rows of drawCircle's disc: row cy +- dy holds columns cx - w[dy] .. cx + w[dy] for
// dy = 0 .. radius (nothing for a negative radius or one too large to draw).
std::vector<int> discHalfWidths(int radius);

// The row rule of drawRing: the columns, as offsets from the centre column, that the ring
// of two discs (their discHalfWidths; the inner one empty for no hole) has in row cy +- dy.
// Up to two spans, left then right; unused ones are empty.
std::array<RowSpan, 2> ringRowSpans(std::span<const int> outerHalfWidths,
                                    std::span<const int> innerHalfWidths, std::size_t dy);

class Canvas {
public:
    void beginDrawing(Image& image);
    void endDrawing();

    void setDrawingMode(DrawingMode flags) { mode_ = flags; }
    DrawingMode drawingMode() const { return mode_; }
    void setDrawingFont(const Font* font);  // nullptr or an invalid font: the default font
    void setBackColour(Colour back) { back_ = back; }

    bool isDrawing() const { return image_ != nullptr; }
    bool contains(int x, int y) const { return image_ != nullptr && image_->contains(x, y); }

    void fillBox(int x, int y, int w, int h, Colour colour);
    // Columns x0 .. x1 of row y: a run of a shape known without the image.
    void fillRow(int y, int x0, int x1, Colour colour);
    void drawCircle(int cx, int cy, int radius, Colour colour);  // disc; rim in ModeOutlined
    // The pixels of that disc or rim that lie in `area`.
    void drawCircleWithin(int cx, int cy, int radius, Colour colour, PixelRect area);
    // The outer disc less the inner one: what drawCircle(outerRadius) leaves showing once an
    // opaque drawCircle(innerRadius) covers it. The inner disc's pixels are not touched, so
    // a blended rim under an opaque disc costs its rim, not its area.
    void drawRing(int cx, int cy, int outerRadius, int innerRadius, Colour colour);
    void drawLine(int x1, int y1, int x2, int y2, Colour colour);  // both end points
    void plotPixel(int x, int y, Colour colour);
    // Fill the 4-connected region of the seed pixel's RGB (floodFill), or the region up to
    // pixels whose RGB equals border's (floodFillTo). Iterative scan-line fill, each pixel
    // set once.
    void floodFill(int x, int y, Colour colour);
    void floodFillTo(int x, int y, Colour border, Colour colour);

    // Text cell with its top-left corner at (x, y); text is UTF-8. The cell background is
    // painted in `back` (or the back colour) unless ModeTransparentText is set. Returns the
    // cell, unclipped (empty when there is no text or no font to draw it with).
    PixelRect drawText(int x, int y, std::string_view text, Colour front,
                  std::optional<Colour> back = std::nullopt);
    int textWidth(std::string_view text) const;
    int textHeight(std::string_view text) const;

    // Reads for a layer that decides what it draws from what lies there. The watch notes
    // them as it notes a fill's reads, so no read of the image escapes it. The pixel at
    // (x, y), or nothing outside the image:
    std::optional<Colour> readPixel(int x, int y) {
        if (!contains(x, y)) return std::nullopt;
        noteDrawn(x, y, x, y);
        return image_->pixel(x, y);
    }
    // Columns x0 .. x1 of row y, clipped to the image (empty when nothing is left); the
    // span starts at column max(x0, 0).
    std::span<const Colour> readRow(int y, int x0, int x1);

    // Notes whether any drawing from now on writes a pixel of `area`, or reads one to
    // decide what it draws (a fill counts its written pixels' neighbours and its seed).
    // Lets a caller prove that a part of the frame depends on nothing drawn afterwards.
    void watchArea(PixelRect area);
    bool watchedAreaTouched() const { return touched_; }

    // For tests: from now on, count the pixels that change between two of the canvas's
    // calls, i.e. that something wrote beside it. Keeps a copy of the image per call.
    void auditWrites() { auditing_ = true; }
    std::size_t writesBesideCanvas() const { return writesBeside_; }

private:
    // Brackets each public call that touches pixels while auditing (nested calls once).
    class AuditScope {
    public:
        explicit AuditScope(Canvas& canvas);
        ~AuditScope();
        AuditScope(const AuditScope&) = delete;
        AuditScope& operator=(const AuditScope&) = delete;

    private:
        Canvas* canvas_;  // nullptr: not auditing, or inside another call
    };
    void auditCompare();

    bool circleMissesImage(int cx, int cy, int radius) const;
    void fill(int x, int y, bool bySeedColour, Colour border, Colour colour);
    // One clipped horizontal run [x0, x1] of row y under the current mode (no checks inside).
    // The blend is the colour's, made once per shape: thin shapes are thousands of spans.
    void writeSpan(int y, int x0, int x1, Colour colour, Blender& blend);
    void writeClippedSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, Colour colour,
                          Blender& blend);

    // Within the watched area: x0 <= x <= x1 and y0 <= y <= y1 (inclusive bounds).
    bool watches(int x0, int y0, int x1, int y1) const {
        return x1 >= watch_.x && x0 < watch_.x + watch_.w && y1 >= watch_.y &&
               y0 < watch_.y + watch_.h;
    }
    void noteDrawn(int x0, int y0, int x1, int y1) {
        if (watching_ && !touched_ && watches(x0, y0, x1, y1)) touched_ = true;
    }

    Image* image_ = nullptr;
    bool watching_ = false;
    bool touched_ = false;
    PixelRect watch_;
    DrawingMode mode_ = ModeDefault;
    VisitedRows visited_;  // the fills' scratch, reused from fill to fill
    const Font* font_ = nullptr;
    Colour back_ = rgb(255, 255, 255);
    bool auditing_ = false;
    bool inCall_ = false;
    std::size_t writesBeside_ = 0;
    std::vector<Colour> audited_;  // the image as the canvas's last call left it
};

}  // namespace dorvalen
