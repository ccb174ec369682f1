// Our Image handed to Qt: seen as a QImage for saving it, or painted in Qt's own pixel
// order for showing it.
#pragma once

#include <QImage>
#include <bit>

#include "canvas/canvas.h"

class QPainter;

namespace dorvalen {

// The packing r + g*256 + b*65536 lies in memory as the bytes R, G, B, (unused). No pixel
// is copied; valid while the image is neither resized nor destroyed.
inline QImage qImageView(const Image& image) {
    static_assert(std::endian::native == std::endian::little,
                  "the image is handed to Qt as bytes R, G, B, X");
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * 4, QImage::Format_RGBX8888);
}

// Paints `area` (device pixels, clipped to the image) 1:1 at its own place, for a painter on
// a device with `ratio` device pixels to a logical one (a whole number; the area grows to
// whole logical pixels). The pixels are turned into Qt's native order here: Qt's own
// conversion of ours takes about three times as long as its copy of native pixels.
void paintImageArea(QPainter& painter, const Image& image, PixelRect area, int ratio);

}  // namespace dorvalen
