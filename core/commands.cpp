// The twelve keyboard commands of the clock window as plain changes of the state.
#include "core/commands.h"

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
            state.displayedDay += dayStep;
            break;
        case ClockCommand::StepBack:
            state.displayedDay -= dayStep;
            break;
        case ClockCommand::DayForward:
            state.displayedDay += 1.0;
            break;
        case ClockCommand::DayBack:
            state.displayedDay -= 1.0;
            break;
        case ClockCommand::Home:
            // The stacking order stays as it is, whatever alwaysOnTop now says.
            if (storedSettings) s = storedSettings();
            view.showCoordinates = !view.showCoordinates;
            state.displayedDay = 0.0;
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
