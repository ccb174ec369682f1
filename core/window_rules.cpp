// Client-size limits, radius and font size of the clock window, and the timer alignment.
#include "core/window_rules.h"

#include <algorithm>
#include <cmath>

#include "core/conversions.h"

namespace dorvalen {

int largestClientSide(const std::vector<ScreenSize>& screens) {
    int m = 0;
    for (const ScreenSize& screen : screens) {
        if (screen.width < m || m == 0) m = screen.width;
        if (screen.height < m) m = screen.height;
    }
    if (m <= 0) return largestClientSideCap;
    const int side = (m / 100) * 98;
    return std::clamp(side, smallestClientSide, largestClientSideCap);
}

namespace {

// Inclusive start, exclusive end, in 64 bits: a screen at the far end of int may not overflow.
bool contains(const DesktopRect& area, std::int64_t x, std::int64_t y) {
    return x >= area.x && x < std::int64_t{area.x} + area.width && y >= area.y &&
           y < std::int64_t{area.y} + area.height;
}

// The start that keeps [start, start + length) inside the area's span, else the span's start.
int clampInto(int start, int length, int areaStart, int areaLength) {
    const std::int64_t last = std::int64_t{areaStart} + areaLength - length;
    return static_cast<int>(std::max<std::int64_t>(areaStart, std::min<std::int64_t>(start, last)));
}

}  // namespace

std::optional<DesktopPoint> placeOnScreens(const DesktopRect& frame,
                                           const std::vector<DesktopRect>& screens,
                                           const DesktopRect& target) {
    const std::int64_t centreX = std::int64_t{frame.x} + frame.width / 2;
    const std::int64_t centreY = std::int64_t{frame.y} + frame.height / 2;
    for (const DesktopRect& screen : screens)
        if (contains(screen, centreX, centreY)) return std::nullopt;
    if (target.width <= 0 || target.height <= 0) return std::nullopt;  // nowhere to go
    return DesktopPoint{clampInto(frame.x, frame.width, target.x, target.width),
                        clampInto(frame.y, frame.height, target.y, target.height)};
}

int clockRadiusFor(int clientWidth, int clientHeight, int largestSide) {
    // In 64 bits: two sides near INT_MAX must not overflow before the division.
    const std::int64_t r = (std::int64_t{clientWidth} + clientHeight) / 4;
    return static_cast<int>(
        std::clamp<std::int64_t>(r, smallestClientSide / 2,
                                 std::max(smallestClientSide, largestSide) / 2));
}

int faceRadiusFor(int clockRadius, int clientWidth, int clientHeight) {
    return std::max(1, std::min({clockRadius, clientWidth / 2, clientHeight / 2}));
}

int textFontPoints(int radius) { return static_cast<int>(truncToInt(radius / 14.5)); }

bool isDrawablePixelRatio(double ratio) {
    return std::isfinite(ratio) && ratio >= smallestPixelRatio && ratio <= largestPixelRatio;
}

int deviceRadiusFor(int radius, double ratio) {
    if (!isDrawablePixelRatio(ratio)) ratio = 1.0;
    return static_cast<int>(std::min<std::int64_t>(roundToInt(radius * ratio), largestDeviceRadius));
}

int msToNextSecond(std::chrono::system_clock::time_point now) {
    using namespace std::chrono;
    // floor, not a cast: before 1970 the sub-second part must still count up from 0.
    const auto intoSecond = now - floor<seconds>(now);
    const auto wait = seconds{1} - intoSecond;
    return static_cast<int>(ceil<milliseconds>(wait).count()) + tickMarginMs;
}

TickPlan planTick(std::chrono::system_clock::time_point now, std::int64_t lastShownSecond) {
    using namespace std::chrono;
    const std::int64_t second = floor<seconds>(now).time_since_epoch().count();
    TickPlan plan;
    plan.delayMs = msToNextSecond(now);
    plan.redraw = second != lastShownSecond;
    plan.shownSecond = second;
    return plan;
}

}  // namespace dorvalen
