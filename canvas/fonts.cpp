// Fonts by face name and point size. Points become pixels at a fixed 96 dpi, not the
// screen's, so a face has the same pixels on every monitor, offscreen and in tests.
// Glyphs are never anti-aliased and hinting is pinned, so fontconfig or X resources of the
// session cannot change the text's pixels. "Arial" resolves through fontconfig (on Debian
// fonts-liberation supplies Liberation Sans with the same metrics).
#include <QFontInfo>
#include <QGuiApplication>
#include <QString>

#include "core/conversions.h"
#include "canvas/font_impl.h"

namespace dorvalen {

namespace {
constexpr double pixelsPerPoint = 96.0 / 72.0;
constexpr int largestPixelSize = 4000;  // beyond any face the window allows

void pinRendering(QFont& font) {
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setKerning(false);
}
}  // namespace

Font::Font() = default;
Font::~Font() = default;
Font::Font(Font&&) noexcept = default;
Font& Font::operator=(Font&&) noexcept = default;

bool Font::isValid() const { return impl_ != nullptr; }

FontId Font::id() const { return impl_ ? impl_->id : FontId{}; }

Font loadFont(std::string_view face, int points) {
    Font result;
    if (!fontsAvailable() || face.empty()) return result;
    const std::int64_t pixels = roundToInt(points * pixelsPerPoint);
    if (pixels < 1 || pixels > largestPixelSize) return result;
    auto impl = std::make_unique<Font::Impl>();
    impl->id = {std::string(face), points};
    impl->font.setFamily(QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size())));
    impl->font.setPixelSize(static_cast<int>(pixels));
    impl->font.setWeight(QFont::Normal);
    impl->font.setStyle(QFont::StyleNormal);
    pinRendering(impl->font);
    result.impl_ = std::move(impl);
    return result;
}

void releaseFont(Font& font) { font.impl_.reset(); }

bool fontsAvailable() { return qobject_cast<QGuiApplication*>(QCoreApplication::instance()); }

QFont effectiveFont(const Font* font) {
    if (font != nullptr && font->isValid()) return font->impl()->font;
    QFont fallback = QGuiApplication::font();
    pinRendering(fallback);
    return fallback;
}

}  // namespace dorvalen
