// The twelve keyboard commands of the clock window as plain changes of the state.
#include "core/commands.h"

#include "core/calendar.h"

namespace dorvalen {

namespace {

// Coordinates nudged by the arrow keys stay on the globe. A NaN stays NaN: the arrows
// never invent a coordinate the user did not have.
double clampedAbove(double value, double limit) { return value > limit ? limit : value; }
double clampedBelow(double value, double limit) { return value < limit ? limit : value; }

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
            // The stacking order stays as it is, whatever alwaysOnTop now says.
            if (storedSettings) s = storedSettings();
            view.showCoordinates = !view.showCoordinates;
            state.displayedDay = 0.0;
            break;
        case ClockCommand::North:
            s.latitude = clampedAbove(s.latitude + 0.5, 90.0);
            view.showCoordinates = true;
            break;
        case ClockCommand::South:
            s.latitude = clampedBelow(s.latitude - 0.5, -90.0);
            view.showCoordinates = true;
            break;
        case ClockCommand::West:
            s.longitude = clampedAbove(s.longitude + 1.0, 180.0);
            view.showCoordinates = true;
            break;
        case ClockCommand::East:
            s.longitude = clampedBelow(s.longitude - 1.0, -180.0);
            view.showCoordinates = true;
            break;
    }
    return outcome;
}

}  // namespace dorvalen
