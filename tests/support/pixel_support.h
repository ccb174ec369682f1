// Pixel helpers for the tests that draw: image dumps for failed checks and frame hashes.
#pragma once

#include <cstdint>
#include <string>

#include "canvas/canvas.h"
#include "tests/support/test_state.h"

namespace dorvalen::test {

// Writes the image as PNG beside the test binary (for viewing after a failed pixel check)
// and returns the path.
std::string dumpImage(const Image& image, const std::string& name);

// FNV-1a over every pixel's RGB and the image size: a frame's fingerprint.
std::uint64_t frameHash(const Image& image);

// Compares the frame's hash with the stored one. On a mismatch the frame is dumped for
// viewing; with DORVALEN_UPDATE_HASHES=1 the new value is printed for pasting instead.
void expectFrameHash(const Image& image, const std::string& name, std::uint64_t stored);

}  // namespace dorvalen::test
