// Pixel helpers for the tests that draw: image dumps for failed checks and stored frame hashes.
#pragma once

#include <cstdint>
#include <string>

#include "canvas/canvas.h"
#include "tests/support/test_state.h"

namespace dorvalen::test {

// Writes the image as PNG beside the test binary (for viewing after a failed pixel check)
// and returns the path.
std::string dumpImage(const Image& image, const std::string& name);

// Compares the frame's hash (canvas/image_hash.h) with the stored one. On a mismatch the
// frame is dumped for viewing; with DORVALEN_UPDATE_HASHES=1 the new value is printed for
// pasting instead.
void expectFrameHash(const Image& image, const std::string& name, std::uint64_t stored);

}  // namespace dorvalen::test
