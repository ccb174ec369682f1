// Our Image seen as a QImage, for showing or saving it; no pixel is copied.
#pragma once

#include <QImage>
#include <bit>

#include "canvas/canvas.h"

namespace dorvalen {

// The packing r + g*256 + b*65536 lies in memory as the bytes R, G, B, (unused). Valid
// while the image is neither resized nor destroyed.
inline QImage qImageView(const Image& image) {
    static_assert(std::endian::native == std::endian::little,
                  "the image is handed to Qt as bytes R, G, B, X");
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()), image.width, image.height,
                  image.width * 4, QImage::Format_RGBX8888);
}

}  // namespace dorvalen
