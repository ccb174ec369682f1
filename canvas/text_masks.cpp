// Text masks: which pixels of a text's cell its glyphs cover. Qt shapes and rasterises the
// glyphs without anti-aliasing; we keep the results, because shaping the same texts every
// second would cost more than drawing the rest of a tick.
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "canvas/font_impl.h"

namespace dorvalen {

namespace {

// Enough for every text of one face that is not put together from glyphs (weekday, week,
// place, coordinates; with a font that cannot put texts together, all of them).
constexpr std::size_t rememberedTexts = 48;

// The characters of the clock time ("06:30:15 Uhr") and the date: no ligatures among them,
// no kerning (it is switched off), so each glyph lands where its predecessors' advances
// put it.
constexpr std::string_view composableCharacters = "0123456789:. Uhr";

TextMask maskOf(const QImage& image, int x0, int y0, int width, int height) {
    TextMask mask{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height)};
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y0 + y));
        for (int x = 0; x < width; ++x)
            mask.covered[static_cast<std::size_t>(y) * width + x] = qAlpha(line[x0 + x]) >= 128;
    }
    return mask;
}

// The text drawn at (margin, margin + ascent) into an image `margin` larger on every side.
QImage drawnText(const QFont& font, const QString& text, int width, int height, int margin) {
    QImage image(width + 2 * margin, height + 2 * margin, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPoint(margin, margin + QFontMetrics(font).ascent()), text);
    return image;
}

GlyphMask renderGlyph(const QFont& font, char c) {
    const QFontMetrics metrics(font);
    const QString text(QChar::fromLatin1(c));
    GlyphMask glyph;
    glyph.advance = metrics.horizontalAdvance(text);
    const int margin = metrics.height();  // room for any overhang of the glyph's ink
    const TextMask all = maskOf(drawnText(font, text, glyph.advance, metrics.height(), margin),
                                0, 0, glyph.advance + 2 * margin, metrics.height() + 2 * margin);
    int x0 = all.width, y0 = all.height, x1 = -1, y1 = -1;
    for (int y = 0; y < all.height; ++y) {
        for (int x = 0; x < all.width; ++x) {
            if (!all.at(x, y)) continue;
            x0 = std::min(x0, x), x1 = std::max(x1, x);
            y0 = std::min(y0, y), y1 = std::max(y1, y);
        }
    }
    if (x1 < 0) return glyph;  // a space: no ink
    glyph.inkX = x0 - margin;
    glyph.inkY = y0 - margin;
    glyph.ink = {x1 - x0 + 1, y1 - y0 + 1, {}};
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) glyph.ink.covered.push_back(all.at(x, y));
    return glyph;
}

// Whole-pixel advances for every composable character, adding up as the text's advance:
// then a glyph's place in a text does not depend on its neighbours.
bool composesExactly(const QFont& font) {
    const QFontMetricsF exact(font);
    int sum = 0;
    for (const char c : composableCharacters) {
        const qreal advance = exact.horizontalAdvance(QChar::fromLatin1(c));
        if (advance != std::floor(advance)) return false;
        sum += static_cast<int>(advance);
    }
    return QFontMetrics(font).horizontalAdvance(toQString(composableCharacters)) == sum;
}

bool isComposable(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) {
        return composableCharacters.find(c) != std::string_view::npos;
    });
}

void composeText(const Font::Impl& impl, std::string_view text, TextMask& mask) {
    int width = 0;
    for (const char c : text) {
        auto& glyph = impl.glyphs[static_cast<unsigned char>(c)];
        if (!glyph) glyph = std::make_unique<GlyphMask>(renderGlyph(impl.font, c));
        width += glyph->advance;
    }
    mask.width = width;
    if (impl.height < 0) impl.height = QFontMetrics(impl.font).height();
    mask.height = impl.height;
    mask.covered.assign(static_cast<std::size_t>(std::max(width, 0)) * std::max(mask.height, 0), 0);
    int pen = 0;
    for (const char c : text) {
        const GlyphMask& glyph = *impl.glyphs[static_cast<unsigned char>(c)];
        // The ink's rows and columns that fall inside the cell, then one pass over them.
        const int left = pen + glyph.inkX;
        const int x0 = std::max(0, -left), x1 = std::min(glyph.ink.width, width - left);
        const int y0 = std::max(0, -glyph.inkY), y1 = std::min(glyph.ink.height, mask.height - glyph.inkY);
        for (int y = y0; y < y1; ++y) {
            // The glyph and the text are separate buffers, which lets the compiler vectorise.
            const std::uint8_t* __restrict ink =
                glyph.ink.covered.data() + static_cast<std::size_t>(y) * glyph.ink.width + x0;
            std::uint8_t* __restrict cell =
                mask.covered.data() + static_cast<std::size_t>((glyph.inkY + y) * width + left + x0);
            for (int x = 0; x < x1 - x0; ++x) cell[x] |= ink[x];
        }
        pen += glyph.advance;
    }
}

}  // namespace

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TextMask renderTextMask(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(text), height = metrics.height();
    if (width <= 0 || height <= 0) return {width, height, {}};
    return maskOf(drawnText(font, text, width, height, 0), 0, 0, width, height);
}

const TextMask& textMask(const Font* font, std::string_view text, TextMask& scratch) {
    if (font == nullptr || !font->isValid()) {
        scratch = renderTextMask(effectiveFont(font), toQString(text));
        return scratch;
    }
    const Font::Impl& impl = *font->impl();
    if (impl.composable == Font::Impl::Composable::Unknown)
        impl.composable = composesExactly(impl.font) ? Font::Impl::Composable::Yes
                                                      : Font::Impl::Composable::No;
    if (impl.composable == Font::Impl::Composable::Yes && isComposable(text)) {
        composeText(impl, text, impl.composed);
        return impl.composed;
    }
    auto& recent = impl.recentTexts;
    const std::uint64_t now = ++impl.uses;
    for (Font::Impl::Remembered& r : recent) {
        if (r.text != text) continue;
        r.lastUse = now;
        return r.mask;
    }
    TextMask mask = renderTextMask(impl.font, toQString(text));
    if (recent.size() < rememberedTexts) {
        recent.push_back({std::string(text), std::move(mask), now});
        return recent.back().mask;
    }
    Font::Impl::Remembered& oldest = *std::min_element(
        recent.begin(), recent.end(),
        [](const Font::Impl::Remembered& a, const Font::Impl::Remembered& b) { return a.lastUse < b.lastUse; });
    oldest.text.assign(text);
    oldest.mask = std::move(mask);
    oldest.lastUse = now;
    return oldest.mask;
}

}  // namespace dorvalen
