// Size and timing rules of the clock window, kept free of the window system so they can
// be checked with plain numbers:
//   1. largestClientSide: the upper client-size limit from the monitor sizes (the window
//      passes the one screen it is on); placeOnScreens: where a window goes whose screen went;
//   2. clockRadiusFor / textFontPoints: what a new client size means for the face;
//      deviceRadiusFor: the same face in the device pixels of a scaled screen;
//   3. planTick: when the next once-a-second redraw is due, aligned to the wall clock.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

namespace dorvalen {

inline constexpr int smallestClientSide = 205;
inline constexpr int largestClientSideCap = 32000;

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// m = the smallest width or height over all monitors (primary first); the largest side is
// (m div 100) x 98, capped at 32000 and never below the smallest side. No monitors: the cap.
int largestClientSide(const std::vector<ScreenSize>& screens);

// A rectangle on the desktop in logical pixels: a window's frame or a screen's area.
struct DesktopRect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct DesktopPoint {
    int x = 0, y = 0;
};

// A window whose frame centre lies on none of `screens` (its screen was removed, it was left
// beyond the remaining ones) moves into `target`, the work area of the screen it now
// belongs to, as near its old place as fits; a window larger than the area keeps its
// top-left corner on it. No move (nullopt) while the centre is on some screen.
std::optional<DesktopPoint> placeOnScreens(const DesktopRect& frame,
                                           const std::vector<DesktopRect>& screens,
                                           const DesktopRect& target);

// (client width + client height) div 4, kept within the radii the size limits allow
// (102 .. largestSide div 2), so a window system that ignores the limits (a maximised
// window on some desktops) cannot ask for an empty image or a face larger than the limit.
int clockRadiusFor(int clientWidth, int clientHeight, int largestSide);

// The radius the face is drawn at: clockRadius, or less when the window manager keeps the
// client area smaller in one direction (tiled, snapped, maximised into a short work area),
// so the whole face and its corner texts fit the shorter side. Never below 1.
int faceRadiusFor(int clockRadius, int clientWidth, int clientHeight);

// Point size of the dial font: truncToInt(r / 14.5).
int textFontPoints(int radius);

// The window keeps its sizes in logical pixels; the face is drawn in the screen's device
// pixels, so a scaled screen shows it crisp instead of blown up from a 1:1 image.
inline constexpr double smallestPixelRatio = 0.5;
inline constexpr double largestPixelRatio = 8.0;
inline constexpr int largestDeviceRadius = largestClientSideCap / 2;

// A finite device pixel ratio within smallestPixelRatio .. largestPixelRatio.
bool isDrawablePixelRatio(double ratio);

// Radius in device pixels of a face of `radius` logical pixels: roundToInt(radius * ratio),
// at most largestDeviceRadius. A ratio that is not drawable counts as 1 (Qt then scales).
int deviceRadiusFor(int radius, double ratio);

// One tick of the once-a-second timer. A free-running 1000 ms timer drifts against the
// wall clock and now and then shows a second twice or skips one; instead every tick is
// armed for just after the next wall-clock second boundary.
inline constexpr int tickMarginMs = 20;  // lets even a coarse wall clock have turned over

struct TickPlan {
    bool redraw = false;        // false when the tick came early, before its boundary
    int delayMs = 0;            // arm the single-shot timer for this long
    std::int64_t shownSecond = 0;  // the wall-clock second the redraw shows (whole seconds)
};

// now: the real-time clock at the tick; lastShownSecond: the second the last timer redraw
// showed. Redraws at most once per wall-clock second.
TickPlan planTick(std::chrono::system_clock::time_point now, std::int64_t lastShownSecond);

// Milliseconds from now to just after the next whole second.
int msToNextSecond(std::chrono::system_clock::time_point now);

}  // namespace dorvalen
