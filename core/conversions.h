// The two rules by which a real value becomes an integer, defined for every double: a bare
// static_cast is undefined behaviour for NaN, the infinities and values beyond the target's
// range. Use one of them wherever the value may be such; the build refuses C-style casts
// (-Wold-style-cast) but lets a static_cast through, and the few left (pixel geometry, the
// calendar's day number) take values their callers keep finite and in range.
#pragma once

#include <cstdint>

namespace dorvalen {

// Toward zero. +/-infinity and the all-ones NaN give 0; any other NaN and values beyond
// the signed 64-bit range give INT64_MIN.
std::int64_t truncToInt(double x);

// To nearest, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
// Defined for every double: NaN and the infinities give 0, values beyond the signed
// 64-bit range saturate at INT64_MIN / INT64_MAX.
std::int64_t roundToInt(double x);

// roundToInt narrowed to int for pixel coordinates and counts, saturating at the int range.
int roundToPixel(double x);

}  // namespace dorvalen
