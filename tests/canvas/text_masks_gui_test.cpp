// Text masks: the clock time put together glyph by glyph must be what Qt draws for the
// whole text, and the remembered texts must stay few and right.
#include <gtest/gtest.h>

#include <string>

#include "canvas/canvas.h"
#include "canvas/font_impl.h"

namespace dorvalen {
namespace {

std::string twoDigits(int v) { return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)}; }

TEST(TextMasks, ComposedClockTimesEqualTheWholeTextDrawnByQt) {
    for (const int points : {7, 13, 33}) {  // the face at radius 102, 200 and 490
        const Font font = loadFont("Arial", points);
        ASSERT_TRUE(font.isValid());
        for (int hour = 0; hour < 24; ++hour) {
            for (int minute = 0; minute < 60; ++minute) {
                const std::string text = twoDigits(hour) + ":" + twoDigits(minute) + ":" +
                                         twoDigits((minute * 7 + hour) % 60) + " Uhr";
                TextMask scratch;
                const TextMask& mask = textMask(&font, text, scratch);
                ASSERT_EQ(mask, renderTextMask(font.impl()->font, toQString(text))) << points << " " << text;
            }
        }
        // Otherwise the loop above compared Qt's drawing with itself.
        EXPECT_EQ(font.impl()->composable, Font::Impl::Composable::Yes) << points;
    }
}

TEST(TextMasks, RememberedTextsStayFewAndRight) {
    const Font font = loadFont("Arial", 13);
    for (int i = 0; i < 200; ++i) {
        const std::string text = "Mirelstadt " + std::to_string(i);
        TextMask scratch;
        ASSERT_EQ(textMask(&font, text, scratch), renderTextMask(font.impl()->font, toQString(text)));
        ASSERT_LE(font.impl()->recentTexts.size(), 48u);
    }
    TextMask scratch;  // the newest is still there, and a hit returns it unchanged
    EXPECT_EQ(textMask(&font, "Mirelstadt 199", scratch),
              renderTextMask(font.impl()->font, toQString("Mirelstadt 199")));
}

}  // namespace
}  // namespace dorvalen
