// A frame's fingerprint: FNV-1a, byte by byte, over the image's size and every pixel's RGB
// (the unused alpha byte left out). One function for the tests' stored hashes and
// bench/frame_hashes, so a hash printed by one means the same frame in the other.
#pragma once

#include <cstdint>

#include "canvas/canvas.h"

namespace dorvalen {

inline std::uint64_t imageHash(const Image& image) {
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

}  // namespace dorvalen
