// Our own rasteriser on the pixel vector. Nothing is anti-aliased, so each written pixel is
// exactly the drawing colour, or its integer blend in ModeAlphaBlend. The pipeline:
// 1. Spans: every shape is clipped to the image once; boxes, midpoint discs, rims, rings and
//    text cells become horizontal runs written with no bounds checks (writeSpan), a line
//    its Bresenham pixels. lineRowSpans and discHalfWidths give others the same rows.
// 2. Blends: a Blender turns one colour into the blend over each pixel, keeping its last
//    result, since large areas are one colour (vector routines: pixel_simd.h).
// 3. Fills: a scan-line flood fill paints the runs it finds, with visited rows where a
//    written pixel could still look like the region.
// 4. The watch: every write, and every read that decides what is drawn (a fill's, or a
//    layer's through readPixel and readRow), is noted against one watched area, so a
//    caller can prove a part of the frame depends on nothing later. Layers have no other
//    way to the pixels; auditWrites lets a test prove that nothing writes beside the canvas.
// Text takes its glyph coverage from Qt (text_masks.cpp) but its pixels from step 1 and 2.
#include "canvas/canvas.h"

#include <QFontMetrics>
#include <algorithm>
#include <bit>
#include <cstring>

#include "canvas/font_impl.h"
#include "canvas/pixel_simd.h"

namespace dorvalen {

// (src * a + dst * (255 - a)) / 255 per channel, integer division; alpha 0 keeps dst.
// Large areas are one colour, so the last result is kept and reused for the next pixel.
class Blender {
public:
    explicit Blender(Colour src)
        : sr_(redOf(src) * alphaOf(src)),
          sg_(greenOf(src) * alphaOf(src)),
          sb_(blueOf(src) * alphaOf(src)),
          inverse_(255 - alphaOf(src)) {}
    Colour operator()(Colour dst) {
        if (dst != lastIn_) {
            lastIn_ = dst;
            lastOut_ = compute(dst);
        }
        return lastOut_;
    }
    // Blends the pixels [p, end) in place. The last result lives in registers here (a
    // member could alias the pixels), and four pixels of the last colour pass at once.
    void run(Colour* p, Colour* const end) {
        Colour in = lastIn_, out = lastOut_;
        for (; end - p >= 4; p += 4) {
            if (pixels::fast::fourMatching(p, in)) {
                pixels::fast::fill(p, 4, out);
                continue;
            }
            for (int k = 0; k < 4; ++k) one(p[k], in, out);
        }
        for (; p < end; ++p) one(*p, in, out);
        lastIn_ = in;
        lastOut_ = out;
    }

    // Blends the pixels [p, end) whose coverage byte is not 0 and leaves the others; four
    // pixels over the last colour take its result by the coverage mask.
    void runCovered(Colour* p, Colour* const end, const std::uint8_t* coverage) {
        Colour in = lastIn_, out = lastOut_;
        for (; end - p >= 4; p += 4, coverage += 4) {
            if (pixels::fast::fourMatching(p, in)) {
                pixels::fast::fourWhereCovered(p, coverage, out);
                continue;
            }
            for (int k = 0; k < 4; ++k)
                if (coverage[k] != 0) one(p[k], in, out);
        }
        for (; p < end; ++p, ++coverage)
            if (*coverage != 0) one(*p, in, out);
        lastIn_ = in;
        lastOut_ = out;
    }

private:
    void one(Colour& pixel, Colour& in, Colour& out) const {
        const Colour dst = rgbPart(pixel);
        if (dst != in) {
            in = dst;
            out = compute(dst);
        }
        pixel = out;
    }
    Colour compute(Colour dst) const {
        using pixels::div255;
        return rgb(div255(sr_ + redOf(dst) * inverse_), div255(sg_ + greenOf(dst) * inverse_),
                   div255(sb_ + blueOf(dst) * inverse_));
    }
    int sr_, sg_, sb_, inverse_;
    // No pixel's colour part matches the first `lastIn_`, so nothing is computed before a
    // pixel needs it.
    Colour lastIn_ = 0xFF000000u, lastOut_ = 0;
};

namespace {

__extension__ typedef __int128 Wide;  // products of two 64-bit coordinates in line clipping

// Circles beyond this radius are not drawn: no window can show them, and the per-row
// tables would not fit in memory.
constexpr int largestRadius = 1 << 20;

// Floor and ceiling of a / b for b > 0.
Wide floorDiv(Wide a, Wide b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
Wide ceilDiv(Wide a, Wide b) { return a >= 0 ? (a + b - 1) / b : -(-a / b); }

}  // namespace

void fillPixels(Colour* p, std::size_t n, Colour colour) { pixels::fast::fill(p, n, colour); }

Image::Image(int w, int h, Colour fill) {
    resize(w, h);
    std::fill(pixels.begin(), pixels.end(), fill);
}

void Image::resize(int w, int h) {
    width = std::max(w, 0);
    height = std::max(h, 0);
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    // The same number of pixels keeps the buffer (every frame repaints all of it); any other
    // gets a buffer of its own size, so a shrunken window gives the memory of a large one back.
    if (count == pixels.size() && count == pixels.capacity()) return;
    std::vector<Colour>(count).swap(pixels);
}

void Canvas::beginDrawing(Image& image) {
    image_ = &image;
    if (auditing_) audited_ = image.pixels;
}

void Canvas::watchArea(PixelRect area) {
    watching_ = !area.empty();
    touched_ = false;
    watch_ = area;
}
void Canvas::endDrawing() {
    if (auditing_ && image_ != nullptr) auditCompare();
    image_ = nullptr;
}

Canvas::AuditScope::AuditScope(Canvas& canvas)
    : canvas_(canvas.auditing_ && canvas.image_ != nullptr && !canvas.inCall_ ? &canvas
                                                                                : nullptr) {
    if (canvas_ == nullptr) return;
    canvas_->inCall_ = true;
    canvas_->auditCompare();
}

Canvas::AuditScope::~AuditScope() {
    if (canvas_ == nullptr) return;
    canvas_->audited_ = canvas_->image_->pixels;
    canvas_->inCall_ = false;
}

void Canvas::auditCompare() {
    const std::vector<Colour>& now = image_->pixels;
    const std::size_t common = std::min(now.size(), audited_.size());
    writesBeside_ += std::max(now.size(), audited_.size()) - common;
    for (std::size_t i = 0; i < common; ++i)
        if (now[i] != audited_[i]) ++writesBeside_;
    audited_ = now;
}

std::span<const Colour> Canvas::readRow(int y, int x0, int x1) {
    if (image_ == nullptr || y < 0 || y >= image_->height) return {};
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image_->width - 1);
    if (x0 > x1) return {};
    noteDrawn(x0, y, x1, y);
    const Colour* row = image_->pixels.data() + static_cast<std::size_t>(y) * image_->width;
    return {row + x0, static_cast<std::size_t>(x1 - x0) + 1};
}
void Canvas::setDrawingFont(const Font* font) { font_ = font; }

void Canvas::writeSpan(int y, int x0, int x1, Colour colour, Blender& blend) {
    noteDrawn(x0, y, x1, y);
    Colour* row = image_->pixels.data() + static_cast<std::size_t>(y) * image_->width;
    if (hasFlag(mode_, ModeAlphaBlend) && alphaOf(colour) == 0) return;  // blends to itself
    if (hasFlag(mode_, ModeAlphaBlend) && alphaOf(colour) < 255) {
        blend.run(row + x0, row + x1 + 1);
    } else {
        fillPixels(row + x0, static_cast<std::size_t>(x1 - x0) + 1, rgbPart(colour));
    }
}

void Canvas::writeClippedSpan(std::int64_t y, std::int64_t x0, std::int64_t x1, Colour colour,
                              Blender& blend) {
    if (y < 0 || y >= image_->height) return;
    x0 = std::max<std::int64_t>(x0, 0);
    x1 = std::min<std::int64_t>(x1, image_->width - 1);
    if (x0 <= x1)
        writeSpan(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1), colour, blend);
}

void Canvas::fillBox(int x, int y, int w, int h, Colour colour) {
    if (image_ == nullptr || w <= 0 || h <= 0) return;
    const AuditScope audit(*this);
    const std::int64_t top = std::max<std::int64_t>(y, 0);
    const std::int64_t bottom = std::min<std::int64_t>(std::int64_t{y} + h, image_->height);
    Blender blend(colour);
    for (std::int64_t row = top; row < bottom; ++row)
        writeClippedSpan(row, x, std::int64_t{x} + w - 1, colour, blend);
}

void Canvas::fillRow(int y, int x0, int x1, Colour colour) {
    if (image_ == nullptr || y < 0 || y >= image_->height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, image_->width - 1);
    if (x0 > x1) return;
    const AuditScope audit(*this);
    // Runs of a shape are many and short: an opaque one needs no blender.
    if (!hasFlag(mode_, ModeAlphaBlend) || alphaOf(colour) == 255) {
        noteDrawn(x0, y, x1, y);
        fillPixels(image_->pixels.data() + static_cast<std::size_t>(y) * image_->width + x0,
                   static_cast<std::size_t>(x1 - x0) + 1, rgbPart(colour));
        return;
    }
    Blender blend(colour);
    writeSpan(y, x0, x1, colour, blend);
}

// Midpoint circle. In the first quadrant the rim is a monotone 8-connected arc, so each row
// |dy| holds one contiguous run [lo, hi] of rim offsets; hi is also the disc's half-width.
// Writing whole runs per row puts every pixel down exactly once, which matters when blending.
namespace {

struct CircleRows {
    std::vector<int> lo, hi;  // indexed by |dy|, 0 .. radius
};

CircleRows circleRows(int radius) {
    CircleRows rows{std::vector<int>(static_cast<std::size_t>(radius) + 1, radius),
                    std::vector<int>(static_cast<std::size_t>(radius) + 1, 0)};
    auto mark = [&](int x, int y) {
        rows.lo[y] = std::min(rows.lo[y], x);
        rows.hi[y] = std::max(rows.hi[y], x);
    };
    int x = 0, y = radius, d = 1 - radius;
    while (x <= y) {
        mark(x, y);
        mark(y, x);
        if (d < 0) {
            d += 2 * x + 3;
        } else {
            d += 2 * (x - y) + 5;
            --y;
        }
        ++x;
    }
    return rows;
}

}  // namespace

std::vector<int> discHalfWidths(int radius) {
    if (radius < 0 || radius > largestRadius) return {};
    return circleRows(radius).hi;
}

std::array<RowSpan, 2> ringRowSpans(std::span<const int> outerHalfWidths,
                                    std::span<const int> innerHalfWidths, std::size_t dy) {
    if (dy >= outerHalfWidths.size()) return {};
    const int hi = outerHalfWidths[dy];
    // Columns up to `hole` from the centre belong to the inner disc on this row.
    const int hole = dy < innerHalfWidths.size() ? innerHalfWidths[dy] : -1;
    if (hole < 0) return {RowSpan{-hi, hi}, RowSpan{}};
    if (hole >= hi) return {};
    return {RowSpan{-hi, -hole - 1}, RowSpan{hole + 1, hi}};
}

bool Canvas::circleMissesImage(int cx, int cy, int radius) const {
    // Rows wholly outside the image need no tables: skip circles that miss it entirely.
    return image_ == nullptr || radius < 0 || radius > largestRadius ||
           std::int64_t{cy} + radius < 0 || std::int64_t{cy} - radius >= image_->height ||
           std::int64_t{cx} + radius < 0 || std::int64_t{cx} - radius >= image_->width;
}

void Canvas::drawCircle(int cx, int cy, int radius, Colour colour) {
    drawCircleWithin(cx, cy, radius, colour,
                     image_ == nullptr ? PixelRect{} : PixelRect{0, 0, image_->width, image_->height});
}

void Canvas::drawCircleWithin(int cx, int cy, int radius, Colour colour, PixelRect area) {
    if (circleMissesImage(cx, cy, radius) || area.empty()) return;
    const AuditScope audit(*this);
    const CircleRows rows = circleRows(radius);
    const bool outlined = hasFlag(mode_, ModeOutlined);
    Blender blend(colour);
    const std::int64_t left = area.x, right = std::int64_t{area.x} + area.w - 1;
    auto span = [&](std::int64_t row, std::int64_t x0, std::int64_t x1) {
        writeClippedSpan(row, std::max(x0, left), std::min(x1, right), colour, blend);
    };
    // Only the rows the area and the disc share, top to bottom (the order of memory).
    const std::int64_t top = std::max<std::int64_t>(area.y, std::int64_t{cy} - radius);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{area.y} + area.h - 1, std::int64_t{cy} + radius);
    for (std::int64_t row = top; row <= bottom; ++row) {
        const auto dy = static_cast<std::size_t>(row < cy ? cy - row : row - cy);
        const int first = outlined ? rows.lo[dy] : 0;
        const int hi = rows.hi[dy];
        if (first == 0) {
            span(row, std::int64_t{cx} - hi, std::int64_t{cx} + hi);
        } else {
            span(row, std::int64_t{cx} - hi, std::int64_t{cx} - first);
            span(row, std::int64_t{cx} + first, std::int64_t{cx} + hi);
        }
    }
}

void Canvas::drawRing(int cx, int cy, int outerRadius, int innerRadius, Colour colour) {
    if (circleMissesImage(cx, cy, outerRadius)) return;
    if (innerRadius < 0) {
        drawCircle(cx, cy, outerRadius, colour);
        return;
    }
    if (innerRadius >= outerRadius) return;  // discs of larger radii hold the smaller ones
    const AuditScope audit(*this);
    const CircleRows outer = circleRows(outerRadius);
    const CircleRows inner = circleRows(innerRadius);
    Blender blend(colour);
    // Top to bottom, the order of memory: a large image is written as one stream.
    const std::int64_t top = std::max<std::int64_t>(std::int64_t{cy} - outerRadius, 0);
    const std::int64_t bottom =
        std::min<std::int64_t>(std::int64_t{cy} + outerRadius, image_->height - 1);
    for (std::int64_t row = top; row <= bottom; ++row) {
        const auto dy = static_cast<std::size_t>(row < cy ? cy - row : row - cy);
        for (const RowSpan span : ringRowSpans(outer.hi, inner.hi, dy))
            if (!span.empty())
                writeClippedSpan(row, std::int64_t{cx} + span.lo, std::int64_t{cx} + span.hi,
                                 colour, blend);
    }
}

// Bresenham over the major axis: step i has minor offset m(i) = floor((2 i dMinor + dMajor)
// / (2 dMajor)). One walk serves drawing and the row spans, so both have the same pixels.
namespace {

struct LineSteps {
    LineSteps(Wide x1, Wide y1, Wide x2, Wide y2) {
        const Wide dx = x2 - x1, dy = y2 - y1;
        xMajor = (dx < 0 ? -dx : dx) >= (dy < 0 ? -dy : dy);
        major = xMajor ? (dx < 0 ? -dx : dx) : (dy < 0 ? -dy : dy);
        minor = xMajor ? (dy < 0 ? -dy : dy) : (dx < 0 ? -dx : dx);
        majorStep = (xMajor ? dx : dy) < 0 ? -1 : 1;
        minorStep = (xMajor ? dy : dx) < 0 ? -1 : 1;
        majorStart = xMajor ? x1 : y1;
        minorStart = xMajor ? y1 : x1;
    }
    // Calls visit(x, y) for steps first .. last, with the incremental error started exactly
    // at step `first`.
    template <class Visit>
    void walk(Wide first, Wide last, Visit visit) const {
        const Wide twiceMajor = 2 * major == 0 ? 1 : 2 * major;
        const Wide numerator = 2 * first * minor + major;
        Wide remainder = numerator % twiceMajor;
        Wide a = majorStart + majorStep * first;
        Wide b = minorStart + minorStep * (numerator / twiceMajor);
        for (Wide i = first; i <= last; ++i) {
            if (xMajor)
                visit(a, b);
            else
                visit(b, a);
            a += majorStep;
            remainder += 2 * minor;
            if (remainder >= twiceMajor) {
                remainder -= twiceMajor;
                b += minorStep;
            }
        }
    }

    bool xMajor;
    Wide major, minor;
    int majorStep, minorStep;
    Wide majorStart, minorStart;
};

}  // namespace

void lineRowSpans(int x1, int y1, int x2, int y2, int top, std::span<RowSpan> spans) {
    const LineSteps line(x1, y1, x2, y2);
    line.walk(0, line.major, [&](Wide x, Wide y) {
        const Wide row = y - top;
        if (row < 0 || row >= static_cast<Wide>(spans.size())) return;
        RowSpan& span = spans[static_cast<std::size_t>(row)];
        span.lo = std::min(span.lo, static_cast<int>(x));
        span.hi = std::max(span.hi, static_cast<int>(x));
    });
}

// Clipping solves for the steps inside the image first, so the clipped line has exactly the
// pixels of the whole line that lie on the image.
void Canvas::drawLine(int x1, int y1, int x2, int y2, Colour colour) {
    if (image_ == nullptr) return;
    const LineSteps line(x1, y1, x2, y2);
    const Wide major = line.major, minor = line.minor;
    const Wide majorStart = line.majorStart, minorStart = line.minorStart;
    const Wide majorLimit = line.xMajor ? image_->width : image_->height;
    const Wide minorLimit = line.xMajor ? image_->height : image_->width;

    // Steps whose major coordinate lies in [0, majorLimit).
    Wide first = 0, last = major;
    if (line.majorStep > 0) {
        first = std::max(first, -majorStart);
        last = std::min(last, majorLimit - 1 - majorStart);
    } else {
        first = std::max(first, majorStart - (majorLimit - 1));
        last = std::min(last, majorStart);
    }
    // Steps whose minor offset m lies in [mLow, mHigh], the offsets inside the image.
    const Wide mLow = line.minorStep > 0 ? -minorStart : minorStart - (minorLimit - 1);
    const Wide mHigh = line.minorStep > 0 ? minorLimit - 1 - minorStart : minorStart;
    if (minor == 0) {
        if (mLow > 0 || mHigh < 0) return;
    } else {
        // m(i) >= k  <=>  i >= (2 dMajor k - dMajor) / (2 dMinor), rounded up;
        // m(i) <= k  <=>  i <= (2 dMajor (k + 1) - dMajor - 1) / (2 dMinor), rounded down.
        if (mLow > 0) first = std::max(first, ceilDiv(2 * major * mLow - major, 2 * minor));
        last = std::min(last, floorDiv(2 * major * (mHigh + 1) - major - 1, 2 * minor));
    }
    if (first > last) return;

    const AuditScope audit(*this);
    Blender blend(colour);
    const bool blending = hasFlag(mode_, ModeAlphaBlend);
    const std::size_t width = static_cast<std::size_t>(image_->width);
    Colour* pixels = image_->pixels.data();
    // Every pixel lies in the box of the end points: most lines pass far from the watched
    // area, and then no pixel needs noting.
    const bool noting = watching_ && !touched_ &&
                        watches(std::min(x1, x2), std::min(y1, y2), std::max(x1, x2),
                                std::max(y1, y2));
    line.walk(first, last, [&](Wide x, Wide y) {
        const auto px = static_cast<int>(x), py = static_cast<int>(y);  // inside the image
        if (noting) noteDrawn(px, py, px, py);
        Colour& p = pixels[static_cast<std::size_t>(py) * width + static_cast<std::size_t>(px)];
        p = blending ? blend(rgbPart(p)) : rgbPart(colour);
    });
}

void Canvas::plotPixel(int x, int y, Colour colour) {
    if (image_ == nullptr || !image_->contains(x, y)) return;
    const AuditScope audit(*this);
    Blender blend(colour);
    writeSpan(y, x, x, colour, blend);
}

// Scan-line fill from an explicit stack of seeds. A pixel is open when it belongs to the
// region and has not been written yet. When a written pixel can still look like the region
// (a blend that changes little, a border fill in a colour other than the border's) a
// visited bit per pixel keeps each pixel written once; otherwise the colour test suffices.
// An opaque fill paints each run while its scan passes over it; a blending fill finds the
// run first and then blends it as one span. Either way a large fill costs about what a box
// of its area costs.
namespace {

// Whether a fill came near an area: every pixel a fill reads is one it wrote or a
// 4-neighbour of one, so each written run is widened by one pixel all round.
struct FillWatch {
    PixelRect area;  // empty: nothing watched
    bool touched = false;
    void add(int y, int x0, int x1) {
        if (touched || area.empty()) return;
        touched = x1 + 1 >= area.x && x0 - 1 < area.x + area.w && y + 1 >= area.y &&
                  y - 1 < area.y + area.h;
    }
};

// The region's pixels: those of the key colour (seed fills) or of any other (border fills).
template <bool BySeedColour>
bool inRegion(Colour pixel, Colour key) {
    return (rgbPart(pixel) == key) == BySeedColour;
}

// Eight pixels tested at once: bit k is set when pixel k lies in the region.
template <bool BySeedColour>
unsigned eightInRegion(const Colour* p, Colour key) {
    const unsigned matches = pixels::fast::eightMatching(p, key);
    return BySeedColour ? matches : ~matches & 0xFFu;
}
// Whether all sixteen pixels lie in the region: the test of a large fill's inner run.
template <bool BySeedColour>
bool sixteenInRegion(const Colour* p, Colour key) {
    return pixels::fast::sixteenAll<BySeedColour>(p, key);
}

template <bool BySeedColour, bool TrackVisited>
class RegionFill {
public:
    // `visited` keeps the bits of the rows this fill writes (used only when TrackVisited).
    RegionFill(Image& image, Colour key, bool blending, Colour colour, FillWatch& watch,
               VisitedRows& visited)
        : width_(image.width), height_(image.height), pixels_(image.pixels.data()), key_(key),
          blending_(blending), blend_(colour), opaque_(rgbPart(colour)), watch_(watch),
          visited_(visited) {
        if constexpr (TrackVisited) visited_.reset(width_, height_);
    }
    RegionFill(const RegionFill&) = delete;
    RegionFill& operator=(const RegionFill&) = delete;

    // Spans walk from an explicit stack; each entry says: row y + dy is to be explored within
    // [xl, xr], where the row y was just filled (Heckbert, "A Seed Fill Algorithm", Graphics
    // Gems I). Only the parts of a row that leak past its parent span are scanned backwards,
    // so a pixel is read about twice and written once.
    void run(int seedX, int seedY) {
        push(seedY, seedX, seedX, 1);
        push(seedY + 1, seedX, seedX, -1);  // popped first: the seed row itself
        while (!stack_.empty()) {
            const Span span = stack_.back();
            stack_.pop_back();
            const int y = span.y + span.dy, x1 = span.xl, x2 = span.xr, dy = span.dy;
            selectRow(y);
            int x = x1;
            int left = x1;
            bool inRun = open(x1);
            if (inRun) {
                if (!blending_) row_[x1] = opaque_;  // the scans below paint the rest
                left = runEnd<-1>(x1);
                if (left < x1) pushLeak(y, left, x1 - 1, -dy);  // leaks to the left of the parent
                x = x1 + 1;
            }
            // Runs inside [x1, x2]: find each one's end, write it, then skip closed pixels.
            while (true) {
                if (inRun) {
                    x = runEnd<+1>(x);
                    write(y, left, x - 1);
                    push(y, left, x - 1, dy);
                    if (x > x2 + 1) pushLeak(y, x2 + 1, x - 1, -dy);  // leaks to the right
                }
                x = nextOpen(x + 1, x2);
                if (x > x2) break;
                left = x;
                inRun = true;
            }
        }
    }

private:
    struct Span { int y, xl, xr, dy; };

    void push(int y, int xl, int xr, int dy) {
        if (y + dy >= 0 && y + dy < height_) stack_.push_back({y, xl, xr, dy});
    }
    // A leak back past the parent row's ends. Most are a few pixels of its border: those are
    // tested now and not pushed when none is open. Pixels only close during a fill, so such
    // a span would find nothing later either.
    void pushLeak(int y, int xl, int xr, int dy) {
        if (y + dy < 0 || y + dy >= height_) return;
        if (xr - xl < 8 && xl + 8 <= width_) {
            const unsigned span = (1u << (xr - xl + 1)) - 1;  // the leak's pixels of eight
            if ((eightOpen(y + dy, xl) & span) == 0) return;
        }
        push(y, xl, xr, dy);
    }
    // Bit k: pixel x + k of row y is open (x + 8 <= width).
    unsigned eightOpen(int y, int x) const {
        const Colour* row = pixels_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
        unsigned open = eightInRegion<BySeedColour>(row + x, key_);
        if constexpr (TrackVisited) {
            if (const std::uint64_t* bits = visited_.row(y)) {
                const int word = x >> 6, shift = x & 63;
                std::uint64_t eight = bits[word] >> shift;
                // The eight may run into the next word, which exists when x + 8 <= width.
                if (shift > 56) eight |= bits[word + 1] << (64 - shift);
                open &= ~static_cast<unsigned>(eight) & 0xFFu;
            }
        }
        return open;
    }
    void selectRow(int y) {
        y_ = y;
        row_ = pixels_ + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_);
    }
    bool visited(int x) const {
        const std::uint64_t* bits = visited_.row(y_);
        return bits != nullptr && (bits[x >> 6] >> (x & 63) & 1) != 0;
    }
    bool open(int x) const {
        if constexpr (TrackVisited) {
            if (visited(x)) return false;
        }
        return inRegion<BySeedColour>(row_[x], key_);
    }
    // The end of the open run met at column edge x, walking in direction Step: +1 gives the
    // first closed column at or right of x (or the width), -1 the leftmost open column of
    // the run whose pixels lie left of x (or x). A run never reaches a visited pixel: the run
    // that visited it would have taken this one too, so only colours count. An opaque fill
    // paints the pixels as it finds them, while they are at hand; the scan never reads them
    // again.
    template <int Step>
    int runEnd(int x) {
        constexpr bool right = Step > 0;
        // The n pixels just beyond the edge, and whether the row has them.
        const auto beyond = [&](int n) { return right ? row_ + x : row_ + x - n; };
        const auto room = [&](int n) { return right ? x + n <= width_ : x >= n; };
        for (; room(16) && sixteenInRegion<BySeedColour>(beyond(16), key_); x += 16 * Step)
            if (!blending_) std::fill_n(beyond(16), 16, opaque_);
        for (; room(8); x += 8 * Step) {
            const unsigned in = eightInRegion<BySeedColour>(beyond(8), key_);
            if (in != 0xFFu) {
                const int open = right ? std::countr_one(in)
                                       : std::countl_one(static_cast<std::uint8_t>(in));
                if (!blending_) fillPixels(beyond(open), static_cast<std::size_t>(open), opaque_);
                return x + Step * open;
            }
            if (!blending_) std::fill_n(beyond(8), 8, opaque_);
        }
        for (; room(1) && inRegion<BySeedColour>(*beyond(1), key_); x += Step)
            if (!blending_) *beyond(1) = opaque_;
        return x;
    }
    // The first open column in [x, last], or last + 1.
    int nextOpen(int x, int last) const {
        for (; x + 8 <= last + 1; x += 8) {
            const unsigned open = eightOpen(y_, x);
            if (open != 0) return x + std::countr_zero(open);
        }
        while (x <= last && !open(x)) ++x;
        return x;
    }
    void markVisited(int x0, int x1) {
        std::uint64_t* bits = visited_.rowForWriting(y_);
        for (int x = x0; x <= x1;) {
            const int count = std::min(64 - (x & 63), x1 - x + 1);
            const std::uint64_t ones = count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
            bits[x >> 6] |= ones << (x & 63);
            x += count;
        }
    }
    void write(int y, int x0, int x1) {
        if (x0 > x1) return;
        watch_.add(y, x0, x1);
        if constexpr (TrackVisited) markVisited(x0, x1);
        if (blending_)  // opaque runs were painted while they were scanned
            blend_.run(row_ + x0, row_ + x1 + 1);
    }

    const int width_, height_;
    Colour* const pixels_;
    const Colour key_;
    const bool blending_;
    Blender blend_;
    const Colour opaque_;
    FillWatch& watch_;
    VisitedRows& visited_;
    std::vector<Span> stack_;
    int y_ = 0;
    Colour* row_ = nullptr;
};

template <bool BySeedColour, bool TrackVisited>
void fillRegion(Image& image, int x, int y, Colour key, bool blending, Colour colour,
                FillWatch& watch, VisitedRows& visited) {
    RegionFill<BySeedColour, TrackVisited>(image, key, blending, colour, watch, visited).run(x, y);
}

}  // namespace

void VisitedRows::reset(int width, int height) {
    const std::size_t wordsPerRow = (static_cast<std::size_t>(std::max(width, 0)) + 63) / 64;
    const auto rows = static_cast<std::size_t>(std::max(height, 0));
    if (wordsPerRow == wordsPerRow_ && rows == offsets_.size()) {
        for (const int y : rows_) offsets_[static_cast<std::size_t>(y)] = none;
    } else {
        wordsPerRow_ = wordsPerRow;
        offsets_.assign(rows, none);
    }
    rows_.clear();
    words_.clear();
}

std::uint64_t* VisitedRows::rowForWriting(int y) {
    std::size_t& at = offsets_[static_cast<std::size_t>(y)];
    if (at == none) {
        rows_.push_back(y);
        at = words_.size();
        words_.resize(words_.size() + wordsPerRow_, 0);
    }
    return words_.data() + at;
}

void Canvas::floodFill(int x, int y, Colour colour) { fill(x, y, true, 0, colour); }

void Canvas::floodFillTo(int x, int y, Colour border, Colour colour) {
    fill(x, y, false, border, colour);
}

void Canvas::fill(int x, int y, bool bySeedColour, Colour border, Colour colour) {
    if (image_ == nullptr || !image_->contains(x, y)) return;
    const AuditScope audit(*this);
    noteDrawn(x, y, x, y);  // the seed is read whatever follows
    const Colour seed = rgbPart(image_->pixel(x, y));
    const Colour key = bySeedColour ? seed : rgbPart(border);
    const bool blending = hasFlag(mode_, ModeAlphaBlend);
    if (blending && alphaOf(colour) == 0) return;  // every pixel would blend to itself
    if (!bySeedColour && seed == key) return;        // seeded on the border itself
    // Can a written pixel still read as region? Seed-colour fills: when the seed colour
    // maps to itself. Border fills: unless the new colour is the border's.
    bool track;
    if (bySeedColour) {
        track = (blending ? Blender(colour)(seed) : rgbPart(colour)) == seed;
        if (track && !blending) return;  // repainting a region in its own colour
    } else {
        track = blending || rgbPart(colour) != key;
    }
    FillWatch watch{watching_ && !touched_ ? watch_ : PixelRect{}};
    if (bySeedColour && track)
        fillRegion<true, true>(*image_, x, y, key, blending, colour, watch, visited_);
    else if (bySeedColour)
        fillRegion<true, false>(*image_, x, y, key, blending, colour, watch, visited_);
    else if (track)
        fillRegion<false, true>(*image_, x, y, key, blending, colour, watch, visited_);
    else
        fillRegion<false, false>(*image_, x, y, key, blending, colour, watch, visited_);
    if (watch.touched) touched_ = true;
}

// Glyph coverage comes from Qt without anti-aliasing; we write the cell ourselves, each
// pixel once: front where a glyph covers it, else back unless text is transparent.
PixelRect Canvas::drawText(int x, int y, std::string_view text, Colour front,
                           std::optional<Colour> back) {
    if (image_ == nullptr || text.empty() || !fontsAvailable()) return {x, y, 0, 0};
    TextMask scratch;
    const TextMask& mask = textMask(font_, text, scratch);
    const PixelRect cell{x, y, mask.width, mask.height};
    if (mask.width <= 0 || mask.height <= 0) return cell;
    // Clip the cell to the image once; skip cells that miss it.
    const std::int64_t x0 = std::max<std::int64_t>(x, 0);
    const std::int64_t y0 = std::max<std::int64_t>(y, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{x} + mask.width, image_->width);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{y} + mask.height, image_->height);
    if (x0 >= x1 || y0 >= y1) return cell;
    const AuditScope audit(*this);
    noteDrawn(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - 1),
              static_cast<int>(y1 - 1));

    const bool transparent = hasFlag(mode_, ModeTransparentText);
    const bool blending = hasFlag(mode_, ModeAlphaBlend);
    const Colour backColour = back.value_or(back_);
    const Colour frontOpaque = rgbPart(front), backOpaque = rgbPart(backColour);
    Blender blendFront(front), blendBack(backColour);
    for (std::int64_t py = y0; py < y1; ++py) {
        const std::uint8_t* coverage =
            mask.covered.data() + static_cast<std::size_t>(py - y) * mask.width;
        Colour* row = image_->pixels.data() + static_cast<std::size_t>(py) * image_->width;
        // One loop per mode, so the common ones carry no tests but the coverage.
        if (!blending && !transparent) {
            for (std::int64_t px = x0; px < x1; ++px)
                row[px] = coverage[px - x] != 0 ? frontOpaque : backOpaque;
        } else if (!blending) {
            for (std::int64_t px = x0; px < x1; ++px)
                if (coverage[px - x] != 0) row[px] = frontOpaque;
        } else if (transparent) {
            // Most of a numeral's cell is empty: eight uncovered pixels are passed at once.
            std::int64_t px = x0;
            for (; px + 8 <= x1; px += 8) {
                std::uint64_t eight = 0;
                std::memcpy(&eight, coverage + (px - x), 8);
                if (eight == 0) continue;
                blendFront.runCovered(row + px, row + px + 8, coverage + (px - x));
            }
            blendFront.runCovered(row + px, row + x1, coverage + (px - x));
        } else {
            for (std::int64_t px = x0; px < x1; ++px)
                row[px] = coverage[px - x] != 0 ? blendFront(rgbPart(row[px])) : blendBack(rgbPart(row[px]));
        }
    }
    return cell;
}

int Canvas::textWidth(std::string_view text) const {
    if (!fontsAvailable() || text.empty()) return 0;
    TextMask scratch;
    return textMask(font_, text, scratch).width;
}

int Canvas::textHeight(std::string_view) const {
    if (!fontsAvailable()) return 0;
    return QFontMetrics(effectiveFont(font_)).height();
}

}  // namespace dorvalen
