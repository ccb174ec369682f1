// Helpers shared by the tests: pinned clock states and image dumps for failed checks.
#pragma once

#include <cstdint>
#include <string>

#include "app/clock_state.h"
#include "platform/canvas.h"

namespace dorvalen::test {

// A state whose wall-clock reading is the given local date-time, default settings.
ClockState stateAt(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Writes the image as PNG beside the test binary (for viewing after a failed pixel check)
// and returns the path.
std::string dumpImage(const Image& image, const std::string& name);

// FNV-1a over every pixel's RGB and the image size: a frame's fingerprint.
std::uint64_t frameHash(const Image& image);

// Compares the frame's hash with the stored one. On a mismatch the frame is dumped for
// viewing; with DORVALEN_UPDATE_HASHES=1 the new value is printed for pasting instead.
void expectFrameHash(const Image& image, const std::string& name, std::uint64_t stored);

}  // namespace dorvalen::test
