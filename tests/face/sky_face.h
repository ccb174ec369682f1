// Rendered faces for the sky-layer tests: a whole frame at a pinned wall clock and place,
// and ways to read it at dial points, in rings and in boxes. r = 200 unless a test says.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "core/window_rules.h"
#include "core/calendar.h"
#include "face/dial.h"
#include "face/face_render.h"
#include "face/palette.h"
#include "canvas/canvas.h"
#include "tests/support/pixel_support.h"

namespace dorvalen::skyface {

inline constexpr int faceRadius = 200;

// Place in the settings' degrees.minutes; no summer time unless asked.
inline ClockState stateAt(int year, int month, int day, int hour, int minute, double latitude,
                          double longitude, double timeZone = 1.0, int autoSummerTime = 0) {
    ClockState state = test::stateAt(year, month, day, hour, minute, 0);
    state.settings.latitude = latitude;
    state.settings.longitude = longitude;
    state.settings.timeZone = timeZone;
    state.settings.autoSummerTime = autoSummerTime;
    return state;
}

inline Image renderFace(ClockState& state, int r = faceRadius) {
    Image image;
    const Font font = loadFont("Arial", textFontPoints(r));
    renderClockFace(state, image, font, r, false);
    return image;
}

inline Colour at(const Image& image, double angleDeg, double distance, int r = faceRadius) {
    const PixelPoint p = dialPoint(r, angleDeg, distance);
    return image.pixel(p.x, p.y);
}

// Angular distance on the dial, 0..180.
inline double angleGap(double a, double b) {
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return d > 180.0 ? 360.0 - d : d;
}

// Pixels whose centre lies between the two distances from the dial centre, outside the
// given sectors (hands), that satisfy the test.
inline int countInRing(const Image& image, double inner, double outer,
                       const std::function<bool(Colour)>& test,
                       std::initializer_list<double> skipAnglesDeg = {}, double skipHalfWidth = 9.0,
                       int r = faceRadius) {
    int count = 0;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const double dx = x - r, dy = y - r;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d < inner || d > outer) continue;
            const double angle = std::atan2(dy, dx) * 57.29577951308232;
            bool skipped = false;
            for (const double s : skipAnglesDeg) skipped = skipped || angleGap(angle, s) < skipHalfWidth;
            if (!skipped && test(image.pixel(x, y))) ++count;
        }
    return count;
}

inline std::function<bool(Colour)> is(Colour c) {
    return [c](Colour p) { return p == c; };
}
inline std::function<bool(Colour)> isNot(Colour c) {
    return [c](Colour p) { return p != c; };
}

}  // namespace dorvalen::skyface
