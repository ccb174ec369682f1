// The one record of the running clock: the settings, the day offset on display and the
// wall-clock reading of the frame being drawn. Only the frame start writes `now`; a frame
// reads the state through the displayed moment it derives once (core/calendar.h).
#pragma once

#include <cstdint>
#include <memory>

#include "core/date_value.h"
#include "core/settings.h"

namespace dorvalen {

// A rota read from the user's file (defined by the rota layer, which reads it); the state
// only carries it to the layers that show crews.
struct RotaFile;

struct ClockState {
    ClockSettings settings;

    // Offset of the displayed moment from now, in days; 0 after Home. May be fractional.
    double displayedDay = 0.0;

    // The local wall clock as a DateValue, read once at the start of every frame (and
    // before every command that needs it), so one frame never sees two different days.
    DateValue now = 0;

    // The user's rota file in force; none: the built-in rota.
    std::shared_ptr<const RotaFile> rotaFile;
};

}  // namespace dorvalen
