// The one record of the running clock: the settings, the day offset on display and the
// wall-clock reading of the frame being drawn. Computing code takes it by const reference
// and returns what it finds; only the frame start writes `now` and `displayedDayIndex`.
#pragma once

#include <cstdint>

#include "core/date_value.h"
#include "core/settings.h"

namespace dorvalen {

struct ClockState {
    ClockSettings settings;

    // Offset of the displayed moment from now, in days; 0 after Home. May be fractional.
    double displayedDay = 0.0;

    // The local wall clock as a DateValue, read once at the start of every frame (and
    // before every command that needs it), so one frame never sees two different days.
    DateValue now = 0;

    // Day index (days since 1970-01-01) of the displayed moment; set by
    // updateDisplayedDayIndex at the start of a frame.
    std::int32_t displayedDayIndex = 0;
};

}  // namespace dorvalen
