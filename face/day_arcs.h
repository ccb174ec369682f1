// Day arcs on the dial: the moon's hours as a yellow ring segment, the night and the
// twilight as shades.
//   1. planDayArcs runs the three rise/set searches of the frame and keeps their angles.
//   2. paintDayArcs draws the plan: the moon ring, then the sun shade, then the twilight.
#pragma once

#include <vector>

#include "canvas/canvas.h"
#include "core/calendar.h"
#include "core/exact_double.h"

namespace dorvalen {

// One body's day on the dial. Without a crossing on the displayed day the body is either up
// (or above the threshold) all day or down all day; a missing rising or setting stands at
// 270 (0:00), so a segment runs to or from the top.
struct ArcPlan {
    bool crosses = false;   // a rising or a setting was found on the displayed day
    bool upAllDay = false;  // no crossing, and above the threshold at the last step
    ExactDouble riseDeg = 270.0;  // dial degrees
    ExactDouble setDeg = 270.0;
    // Only on a day with more than one rising or setting (empty otherwise, when the pair above
    // says it all): the sectors, clockwise in dial degrees, in which the body is down, from
    // each setting to the next rising. A day that begins and ends down has one sector through
    // the top; a sector that reaches the day's start or end ends at the top (270).
    struct Sector {
        ExactDouble fromDeg, toDeg;
        friend bool operator==(const Sector&, const Sector&) = default;
    };
    std::vector<Sector> downSectors;
    friend bool operator==(const ArcPlan&, const ArcPlan&) = default;
};

struct DayArcsPlan {
    ArcPlan moon;
    ArcPlan sun;
    ArcPlan twilight;  // of the configured twilight kind
    friend bool operator==(const DayArcsPlan&, const DayArcsPlan&) = default;
};

DayArcsPlan planDayArcs(const Frame& frame);

// Needs the dial disc drawn in its fixed colour (the fills stop at it); leaves ModeDefault.
void paintDayArcs(Canvas& canvas, const DayArcsPlan& plan, int r);

}  // namespace dorvalen
