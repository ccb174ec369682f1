// Placeholder until the window is built: starts and ends at once.
#include "app/clock_window.h"

namespace dorvalen {

int runClockWindow(ClockState&, const WallClock&) { return 0; }

}  // namespace dorvalen
