// The phase that falls on the displayed day, as a local MJD, and how the marker shows it:
// the dial angle of its time of day and the "h:mm" label.
#pragma once

#include <optional>
#include <string>

#include "core/calendar.h"
#include "phases/phase_instants.h"

namespace dorvalen {

// Local MJD (whole part = local calendar day, fraction = time of day) of the first of full
// moon, last quarter, new moon, first quarter that falls on the displayed day; 0.0 if none.
double phaseEventOnDisplayedDay(const Frame& frame);

// The same search, keeping which of the four phases it found.
struct PhaseOnDay {
    PhaseKind kind = PhaseKind::NewMoon;
    double localMjd = 0.0;
};
std::optional<PhaseOnDay> phaseOnDisplayedDay(const Frame& frame);

// Screen degrees of the local time of day on the 24-hour dial, [0, 360): midnight 270 (top),
// 6:00 0, noon 90, 18:00 180.
double dayFractionAngle(double localMjd);

// Hours without a leading zero, minutes always two digits, both truncated: 7:05, 14:59.
std::string phaseTimeText(double localMjd);

}  // namespace dorvalen
