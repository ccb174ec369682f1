// The clock window's keyboard commands as changes of ClockState, without any window
// system: the widget layer maps keys to a ClockCommand, calls applyCommand and then does
// what the outcome asks (redraw, quit, re-stack the window, open the dialog).
#pragma once

#include <functional>

#include "core/clock_state.h"
#include "core/settings.h"

namespace dorvalen {

// The command numbers are the ones the help text and the dialog speak of.
enum class ClockCommand {
    Quit = 99,             // Esc
    ToggleOnTop = 100,     // F12
    StepForward = 101,     // keypad +: 1/275 day
    StepBack = 102,        // keypad -
    Home = 103,            // Home: reload settings and restack, toggle the coordinates line
    OpenSettings = 104,    // E
    North = 105,           // Up arrow: latitude + 30 arc minutes
    South = 106,           // Down arrow
    West = 107,            // Left arrow: longitude + 1 degree (west is positive)
    East = 108,            // Right arrow
    DayForward = 109,      // keypad *
    DayBack = 110,         // keypad /
};

// What the window has to do after the state change.
struct CommandOutcome {
    bool redraw = false;
    bool quit = false;
    bool restack = false;       // alwaysOnTop changed: put the window above others or back
    bool openSettings = false;  // run the settings dialog
};

// 1/275 of a day: 275 presses of keypad + move the clock by one day.
inline constexpr double dayStep = 1.0 / 275.0;

// The event loop's own flag that is not part of the persisted settings.
struct ClockView {
    bool showCoordinates = false;
};

// Applies one command. Home calls storedSettings() for the settings as the file has them
// (the window passes the settings-file reader; tests pass fixed values). Nothing is saved
// by any command.
CommandOutcome applyCommand(ClockState& state, ClockView& view, ClockCommand command,
                            const std::function<ClockSettings()>& storedSettings);

}  // namespace dorvalen
