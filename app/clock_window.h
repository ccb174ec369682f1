// The clock window and its event loop: size rules, keyboard and mouse commands, the
// once-a-second redraw aligned to the wall clock's second boundary.
#pragma once

#include "app/clock_state.h"
#include "platform/wall_clock.h"

namespace dorvalen {

// Loads the settings, opens the window and runs the loop until Esc or Close.
// Needs a QApplication. Returns the process exit code (0).
int runClockWindow(ClockState& state, const WallClock& clock);

}  // namespace dorvalen
