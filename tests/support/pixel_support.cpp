#include "tests/support/pixel_support.h"

#include "canvas/qimage_view.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>


namespace dorvalen::test {

std::string dumpImage(const Image& image, const std::string& name) {
    const std::string path = name + ".png";
    qImageView(image).convertToFormat(QImage::Format_RGB32).save(QString::fromStdString(path));
    return path;
}

std::uint64_t frameHash(const Image& image) {
    std::uint64_t hash = 14695981039346656037u;
    auto mix = [&hash](std::uint32_t word) {
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (word >> shift) & 255;
            hash *= 1099511628211u;
        }
    };
    mix(static_cast<std::uint32_t>(image.width));
    mix(static_cast<std::uint32_t>(image.height));
    for (const Colour c : image.pixels) mix(rgbPart(c));
    return hash;
}

void expectFrameHash(const Image& image, const std::string& name, std::uint64_t stored) {
    const std::uint64_t actual = frameHash(image);
    const char* update = std::getenv("DORVALEN_UPDATE_HASHES");
    if (update != nullptr && std::strcmp(update, "1") == 0) {
        std::printf("frame hash %s: 0x%016llxu\n", name.c_str(),
                    static_cast<unsigned long long>(actual));
        return;
    }
    if (actual != stored)
        ADD_FAILURE() << "frame " << name << " changed: hash 0x" << std::hex << actual
                      << ", see " << dumpImage(image, name)
                      << " (DORVALEN_UPDATE_HASHES=1 prints the new hashes)";
}

}  // namespace dorvalen::test
