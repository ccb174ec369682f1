// The twelve keyboard commands of the clock window as plain changes of the state.
#include "core/commands.h"

#include "core/calendar.h"
#include "core/degrees_minutes.h"

namespace dorvalen {

namespace {

// The coordinates are degrees.minutes (48.47 is 48 degrees 47 minutes): the arrows step in
// arc minutes, carry into the degrees and stay on the globe. A NaN stays NaN: the arrows
// never invent a coordinate the user did not have.
constexpr std::int64_t latitudeStepMinutes = 30;
constexpr std::int64_t longitudeStepMinutes = 60;
constexpr double poleDegrees = 90.0;
constexpr double dateLineDegrees = 180.0;

// A step that would carry the displayed moment beyond 1970 or 9999 is not taken: the face
// stays on the first or last day the calendar holds. A moment already beyond (the time ran
// on past the end) takes any step, so the way back stays open.
void stepDisplayedDay(ClockState& state, double days) {
    const double before = state.displayedDay;
    const bool wasDisplayable = displayedMoment(state) != invalidDate;
    state.displayedDay += days;
    if (wasDisplayable && displayedMoment(state) == invalidDate) state.displayedDay = before;
}

}  // namespace

CommandOutcome applyCommand(ClockState& state, ClockView& view, ClockCommand command,
                            const std::function<ClockSettings()>& storedSettings) {
    ClockSettings& s = state.settings;
    CommandOutcome outcome;
    outcome.redraw = true;
    switch (command) {
        case ClockCommand::Quit:
            return {.quit = true};
        case ClockCommand::ToggleOnTop:
            s.alwaysOnTop = s.alwaysOnTop == 0 ? 1 : 0;
            return {.restack = true};
        case ClockCommand::OpenSettings:
            return {.openSettings = true};
        case ClockCommand::StepForward:
            stepDisplayedDay(state, dayStep);
            break;
        case ClockCommand::StepBack:
            stepDisplayedDay(state, -dayStep);
            break;
        case ClockCommand::DayForward:
            stepDisplayedDay(state, 1.0);
            break;
        case ClockCommand::DayBack:
            stepDisplayedDay(state, -1.0);
            break;
        case ClockCommand::Home:
            // The window follows the reloaded alwaysOnTop: left as it was, the next F12 would
            // only bring the setting back in line with the window.
            if (storedSettings) s = storedSettings();
            view.showCoordinates = !view.showCoordinates;
            state.displayedDay = 0.0;
            outcome.restack = true;
            break;
        case ClockCommand::North:
            s.latitude = stepDegreesMinutes(s.latitude, latitudeStepMinutes, poleDegrees);
            view.showCoordinates = true;
            break;
        case ClockCommand::South:
            s.latitude = stepDegreesMinutes(s.latitude, -latitudeStepMinutes, poleDegrees);
            view.showCoordinates = true;
            break;
        case ClockCommand::West:
            s.longitude = stepDegreesMinutes(s.longitude, longitudeStepMinutes, dateLineDegrees);
            view.showCoordinates = true;
            break;
        case ClockCommand::East:
            s.longitude = stepDegreesMinutes(s.longitude, -longitudeStepMinutes, dateLineDegrees);
            view.showCoordinates = true;
            break;
    }
    return outcome;
}

}  // namespace dorvalen
