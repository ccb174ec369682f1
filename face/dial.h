// The 24-hour dial: shadow, disc, the sky layers, hour, minute and seconds hands, centre.
//   1. Shadow (blended) and disc in faceBackground.
//   2. Moon ring, sun shade, twilight shade, moon picture, phase marker: each planned as
//      plain data first (planDial: day_arcs.h, moon_picture.h, phase_marker.h), then painted.
//   3. Hour, minute and (setting 1 only) seconds hand, each from its own angle.
//   4. Centre disc and cap over the hands' roots.
#pragma once

#include <optional>

#include "canvas/canvas.h"
#include "core/calendar.h"
#include "core/exact_double.h"
#include "face/day_arcs.h"
#include "face/dial_geometry.h"
#include "face/moon_picture.h"
#include "face/phase_marker.h"

namespace dorvalen {

// Everything the dial paints: the sky layers and the hands' whole-degree angles
// (core/calendar.h), the seconds hand only where the settings show it.
struct DialPlan {
    DayArcsPlan arcs;
    MoonPicturePlan moon;
    PhaseMarkerPlan marker;
    int hourHandDeg = 0, minuteHandDeg = 0;
    std::optional<int> secondHandDeg;
    friend bool operator==(const DialPlan&, const DialPlan&) = default;
};

// What the sky layers are planned from, and nothing else: the displayed day, the moon's
// whole minute, the place, the zone with its summer time and the twilight kind. A tick with
// the key of the last frame takes that frame's sky instead of searching the sky again.
struct SkyKey {
    ExactDouble midnightUT;             // the rise/set searches' day
    std::int64_t markedDayMjd = 0;      // the phase marker's day
    int calendarYear = 0, calendarMonth = 0, calendarDayOfMonth = 0, year = 0;
    DateValue moonMinute = 0;           // the reading the moon is taken at
    ExactDouble displayedDay;
    ExactDouble latitude, longitude, timeZone;
    std::int32_t autoSummerTime = 0, twilightKind = 0;
    friend bool operator==(const SkyKey&, const SkyKey&) = default;
};
SkyKey skyKeyOf(const Frame& frame);

struct SkyCache {
    std::optional<SkyKey> key;
    DayArcsPlan arcs;
    MoonPicturePlan moon;
    PhaseMarkerPlan marker;
};

// With a cache, the sky layers are planned only when their key changes.
DialPlan planDial(const Frame& frame, SkyCache* cache = nullptr);

// Paints disc, sky layers and hands; the phase label is drawn in textFont. Leaves
// ModeDefault.
void drawDial(Canvas& canvas, const DialPlan& plan, const Font& textFont, int r);

void drawHourHand(Canvas& canvas, int angleDeg, int r);
void drawMinuteHand(Canvas& canvas, int angleDeg, int r);
void drawSecondHand(Canvas& canvas, int angleDeg, int r);

}  // namespace dorvalen
