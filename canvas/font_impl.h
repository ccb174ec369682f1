// The Qt side of a Font, shared by fonts.cpp, the text masks and the canvas's text drawing.
#pragma once

#include <QFont>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "canvas/canvas.h"

namespace dorvalen {

// Which pixels of a text's cell the glyphs cover; the cell is the text's advance wide and
// the font's height tall, glyphs set on the ascent.
struct TextMask {
    int width = 0, height = 0;
    std::vector<std::uint8_t> covered;  // width * height, row by row
    bool at(int x, int y) const { return covered[static_cast<std::size_t>(y) * width + x] != 0; }
    friend bool operator==(const TextMask&, const TextMask&) = default;
};

// One character's glyph for texts put together glyph by glyph: its advance and the box of
// its ink, placed relative to the character's cell (it may reach outside it).
struct GlyphMask {
    int advance = 0;
    int inkX = 0, inkY = 0;
    TextMask ink;
};

struct Font::Impl {
    QFont font;
    FontId id;
    // A face draws the same numerals and corner texts every second; their masks are kept
    // (a bounded number; the least recently used makes room) instead of shaped again.
    struct Remembered {
        std::string text;
        TextMask mask;
        std::uint64_t lastUse = 0;
    };
    mutable std::vector<Remembered> recentTexts;
    mutable std::uint64_t uses = 0;
    // The clock time changes every second, so its texts are put together from the glyphs of
    // its characters, when the font sets them on whole pixels (known after the first use).
    enum class Composable { Unknown, Yes, No };
    mutable Composable composable = Composable::Unknown;
    mutable std::array<std::unique_ptr<GlyphMask>, 128> glyphs;
    // A text put together costs less than finding it among the remembered ones; it is put
    // together here, in a buffer that keeps its memory from one text to the next.
    mutable TextMask composed;
    mutable int height = -1;  // the font's line height, known after the first composed text
};

// The font text is measured and drawn with: the given one when valid, else Qt's default
// application font, both without anti-aliasing. Needs a Qt GUI application.
QFont effectiveFont(const Font* font);

// True when a QGuiApplication exists; without one there are no fonts and no text.
bool fontsAvailable();

QString toQString(std::string_view text);

// The text drawn by Qt, shaped as a whole.
TextMask renderTextMask(const QFont& font, const QString& text);

// The mask of a text in a font (nullptr or invalid: the default font): put together from
// glyphs, remembered, or rendered. The reference stays valid until the next call.
const TextMask& textMask(const Font* font, std::string_view text, TextMask& scratch);

}  // namespace dorvalen
