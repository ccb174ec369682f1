#include "canvas/qimage_view.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>

namespace dorvalen {

namespace {

// Bytes R, G, B, X become the 32-bit value 0xffRRGGBB of Qt's RGB32; the loop vectorises.
void toNativeOrder(const Colour* __restrict from, std::uint32_t* __restrict to, int count) {
    for (int i = 0; i < count; ++i) {
        const Colour c = from[i];
        to[i] = 0xff000000u | (c & 0xff00u) | (c & 0xffu) << 16 | (c >> 16 & 0xffu);
    }
}

}  // namespace

void paintImageArea(QPainter& painter, const Image& image, PixelRect area, int ratio) {
    if (ratio < 1 || area.empty()) return;
    // Whole logical pixels: the area starts on a multiple of the ratio.
    const std::int64_t x0 = std::max<std::int64_t>(area.x - ((area.x % ratio) + ratio) % ratio, 0);
    const std::int64_t y0 = std::max<std::int64_t>(area.y - ((area.y % ratio) + ratio) % ratio, 0);
    const auto wholeEnd = [ratio](std::int64_t end) { return (end + ratio - 1) / ratio * ratio; };
    const std::int64_t x1 = std::min<std::int64_t>(wholeEnd(std::int64_t{area.x} + area.w), image.width);
    const std::int64_t y1 = std::min<std::int64_t>(wholeEnd(std::int64_t{area.y} + area.h), image.height);
    if (x0 >= x1 || y0 >= y1) return;
    const int w = static_cast<int>(x1 - x0), h = static_cast<int>(y1 - y0);
    QImage native(w, h, QImage::Format_RGB32);
    if (native.isNull()) return;  // no memory for it: this paint is skipped, the next one comes
    uchar* rows = native.bits();
    for (int row = 0; row < h; ++row)
        toNativeOrder(image.pixels.data() + static_cast<std::size_t>(y0 + row) * image.width + x0,
                      reinterpret_cast<std::uint32_t*>(rows + static_cast<std::size_t>(row) *
                                                                  native.bytesPerLine()),
                      w);
    native.setDevicePixelRatio(ratio);
    painter.drawImage(QPoint(static_cast<int>(x0 / ratio), static_cast<int>(y0 / ratio)), native);
}

}  // namespace dorvalen
