// The canvas's vector routines, each beside a plain version that builds everywhere.
// `fast` is the SSE2 set where the compiler offers it, else the plain one; the two give the
// same pixels and bits (tests/canvas/pixel_simd_test.cpp compares them).
// Only the colour part (rgbPart) of a pixel is compared; the alpha byte is never looked at.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "canvas/canvas.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace dorvalen::pixels {

// v / 255 for 0 <= v <= 255 * 255, exactly: the blend's division without a divide.
constexpr int div255(int v) { return (v + 1 + (v >> 8)) >> 8; }

namespace plain {

inline void fill(Colour* p, std::size_t n, Colour colour) { std::fill_n(p, n, colour); }

// Bit k set: pixel k's colour part is key.
inline unsigned eightMatching(const Colour* p, Colour key) {
    unsigned bits = 0;
    for (int k = 0; k < 8; ++k) bits |= static_cast<unsigned>(rgbPart(p[k]) == key) << k;
    return bits;
}

// All sixteen pixels are key (Matching) or none is (!Matching).
template <bool Matching>
bool sixteenAll(const Colour* p, Colour key) {
    for (int k = 0; k < 16; ++k)
        if ((rgbPart(p[k]) == key) != Matching) return false;
    return true;
}

inline bool fourMatching(const Colour* p, Colour key) {
    return rgbPart(p[0]) == key && rgbPart(p[1]) == key && rgbPart(p[2]) == key &&
           rgbPart(p[3]) == key;
}

// p[k] = colour where coverage[k] is not 0, for k = 0 .. 3.
inline void fourWhereCovered(Colour* p, const std::uint8_t* coverage, Colour colour) {
    for (int k = 0; k < 4; ++k)
        if (coverage[k] != 0) p[k] = colour;
}

}  // namespace plain

#if defined(__SSE2__)
namespace sse2 {

// Spans of a few pixels are most of a frame's spans, so their ends are written by
// overlapping stores rather than by a loop whose length the processor cannot predict.
inline void fill(Colour* p, std::size_t n, Colour colour) {
    if (n >= 4) {
        const __m128i four = _mm_set1_epi32(static_cast<int>(colour));
        Colour* const last = p + n - 4;
        for (; p < last; p += 4) _mm_storeu_si128(reinterpret_cast<__m128i*>(p), four);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(last), four);
        return;
    }
    if (n > 0) {  // 1 to 3 pixels: first, middle and last cover them all
        p[0] = colour;
        p[n / 2] = colour;
        p[n - 1] = colour;
    }
}

// All-ones per pixel of the four whose colour part is key.
inline __m128i fourEqual(const Colour* p, __m128i keys) {
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return _mm_cmpeq_epi32(_mm_and_si128(four, _mm_set1_epi32(0xFFFFFF)), keys);
}

// The bit of the first pixel that ends a run says where it ends without a pixel-by-pixel tail.
inline unsigned eightMatching(const Colour* p, Colour key) {
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    // All-ones or zero per pixel, narrowed to one byte each, then one bit each.
    const __m128i bytes = _mm_packs_epi16(_mm_packs_epi32(fourEqual(p, keys), fourEqual(p + 4, keys)),
                                          _mm_setzero_si128());
    return static_cast<unsigned>(_mm_movemask_epi8(bytes));
}

// One answer for four loads: a large fill's inner run costs little more than its writes.
template <bool Matching>
bool sixteenAll(const Colour* p, Colour key) {
    const __m128i keys = _mm_set1_epi32(static_cast<int>(key));
    const __m128i a = fourEqual(p, keys), b = fourEqual(p + 4, keys);
    const __m128i c = fourEqual(p + 8, keys), d = fourEqual(p + 12, keys);
    if constexpr (Matching) {
        return _mm_movemask_epi8(_mm_and_si128(_mm_and_si128(a, b), _mm_and_si128(c, d))) == 0xFFFF;
    } else {
        return _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) == 0;
    }
}

inline bool fourMatching(const Colour* p, Colour key) {
    return _mm_movemask_epi8(fourEqual(p, _mm_set1_epi32(static_cast<int>(key)))) == 0xFFFF;
}

// Glyph edges are no pattern a processor predicts: a mask chooses instead of a branch each.
inline void fourWhereCovered(Colour* p, const std::uint8_t* coverage, Colour colour) {
    const __m128i zero = _mm_setzero_si128();
    std::int32_t four;
    std::memcpy(&four, coverage, 4);
    const __m128i lanes = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(four), zero), zero);
    const __m128i bare = _mm_cmpeq_epi32(lanes, zero);  // no ink: keep the pixel
    const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i colours = _mm_set1_epi32(static_cast<int>(colour));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p),
                     _mm_or_si128(_mm_and_si128(bare, pixels), _mm_andnot_si128(bare, colours)));
}

}  // namespace sse2
namespace fast = sse2;
#else
namespace fast = plain;
#endif

}  // namespace dorvalen::pixels
