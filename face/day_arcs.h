// Day arcs on the dial: the moon's hours as a yellow ring segment, the night and the
// twilight as shades.
//   1. planDayArcs runs the three rise/set searches of the frame and keeps their angles.
//   2. paintDayArcs draws the plan: the moon ring, then the sun shade, then the twilight.
#pragma once

#include "canvas/canvas.h"
#include "core/calendar.h"

namespace dorvalen {

// One body's day on the dial. Without a crossing on the displayed day the body is either up
// (or above the threshold) all day or down all day; a missing rising or setting stands at
// 270 (0:00), so a segment runs to or from the top.
struct ArcPlan {
    bool crosses = false;   // a rising or a setting was found on the displayed day
    bool upAllDay = false;  // no crossing, and above the threshold at the last step
    double riseDeg = 270.0;  // dial degrees
    double setDeg = 270.0;
};

struct DayArcsPlan {
    ArcPlan moon;
    ArcPlan sun;
    ArcPlan twilight;  // of the configured twilight kind
};

DayArcsPlan planDayArcs(const Frame& frame);

// Needs the dial disc drawn in its fixed colour (the fills stop at it); leaves ModeDefault.
void paintDayArcs(Canvas& canvas, const DayArcsPlan& plan, int r);

}  // namespace dorvalen
