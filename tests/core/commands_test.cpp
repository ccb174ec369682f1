// The keyboard commands as state changes: clamps of the arrow keys, the day steps, Home
// and the commands that only ask the window to act.
#include "core/commands.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <gtest/gtest.h>
#include <limits>

#include "core/calendar.h"
#include "core/face_texts.h"

namespace dorvalen {
namespace {

ClockSettings storedInFile() {
    ClockSettings s;
    s.placeName = "Ulm";
    s.latitude = 10.25;
    s.longitude = -3.0;
    s.alwaysOnTop = 1;
    return s;
}

CommandOutcome run(ClockState& state, ClockView& view, ClockCommand command) {
    return applyCommand(state, view, command, storedInFile);
}

struct ClampRow {
    const char* fault;
    ClockCommand command;
    double latitude, longitude;        // before
    double wantLatitude, wantLongitude;  // after
};

class ArrowClamp : public ::testing::TestWithParam<ClampRow> {};

TEST_P(ArrowClamp, StaysOnTheGlobeAndShowsTheCoordinates) {
    const ClampRow& row = GetParam();
    ClockState state;
    state.settings.latitude = row.latitude;
    state.settings.longitude = row.longitude;
    ClockView view;
    const CommandOutcome outcome = run(state, view, row.command);
    EXPECT_EQ(state.settings.latitude, row.wantLatitude) << row.fault;
    EXPECT_EQ(state.settings.longitude, row.wantLongitude) << row.fault;
    EXPECT_TRUE(view.showCoordinates) << row.fault;
    EXPECT_TRUE(outcome.redraw) << row.fault;
    EXPECT_FALSE(outcome.quit || outcome.restack || outcome.openSettings) << row.fault;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ArrowClamp,
    ::testing::Values(
        ClampRow{"Up past the pole is clamped to 90", ClockCommand::North, 89.8, 0, 90, 0},
        ClampRow{"Up at the pole stays at 90", ClockCommand::North, 90, 0, 90, 0},
        ClampRow{"Down at the south pole stays at -90", ClockCommand::South, -90, 0, -90, 0},
        ClampRow{"Down moves by 30 minutes, not by 0.5 of the number (47.97)",
                 ClockCommand::South, 48.47, 0, 48.17, 0},
        ClampRow{"Up carries the minutes into the degrees (48.97 is no place)",
                 ClockCommand::North, 48.47, 0, 49.17, 0},
        ClampRow{"Up from a whole degree gives 30 minutes", ClockCommand::North, 49.17, 0, 49.47,
                 0},
        ClampRow{"Down crosses the equator by minutes", ClockCommand::South, 0.1, 0, -0.2, 0},
        ClampRow{"decimals of .60 and more (an old arrow press) read as a degree fraction",
                 ClockCommand::North, 48.97, 0, 49.28, 0},
        ClampRow{"a latitude beyond the pole from the file comes back onto the globe",
                 ClockCommand::South, 100, 0, 89.3, 0},
        ClampRow{"Right keeps the minutes and mends invalid ones", ClockCommand::East, 0, -12.97,
                 0, -13.58},
        ClampRow{"Left (west) past 180 is clamped", ClockCommand::West, 0, 179.5, 0, 180},
        ClampRow{"Right (east) at -180 stays", ClockCommand::East, 0, -180, 0, -180},
        ClampRow{"Right moves one degree east (west positive)", ClockCommand::East, 0, -12.52,
                 0, -13.52},
        ClampRow{"an infinite latitude is brought back to the pole", ClockCommand::North,
                 std::numeric_limits<double>::infinity(), 0, 90, 0}));

// Every latitude and longitude the dialog can store: one press moves the place by exactly
// 30 (latitude) or 60 (longitude) minutes unless a pole or the date line stops it, and
// never leaves minutes of 60 or more.
TEST(ClockCommands, ArrowsStepWholeMinutesFromEveryStoredValue) {
    struct Axis {
        ClockCommand up, down;
        double ClockSettings::*field;
        int boundDegrees, stepMinutes;
    };
    const Axis axes[] = {{ClockCommand::North, ClockCommand::South, &ClockSettings::latitude, 90,
                          30},
                         {ClockCommand::West, ClockCommand::East, &ClockSettings::longitude, 180,
                          60}};
    auto minutesOf = [](double dm) {  // the decimal digits of a two-decimal value
        const long hundredths = std::lround(std::fabs(dm) * 100);
        EXPECT_LT(hundredths % 100, 60) << dm;
        const long m = hundredths / 100 * 60 + hundredths % 100;
        return dm < 0 ? -m : m;
    };
    for (const Axis& axis : axes) {
        int failures = 0;
        const long limit = axis.boundDegrees * 60L;
        for (long minutes = -limit; minutes <= limit && failures < 5; ++minutes) {
            const long magnitude = minutes < 0 ? -minutes : minutes;
            const double stored = (minutes < 0 ? -1.0 : 1.0) *
                                  static_cast<double>(magnitude / 60 * 100 + magnitude % 60) /
                                  100.0;
            for (const ClockCommand command : {axis.up, axis.down}) {
                ClockState state;
                state.settings.*axis.field = stored;
                ClockView view;
                run(state, view, command);
                const long sign = command == axis.up ? 1 : -1;
                const long want = std::clamp(minutes + sign * axis.stepMinutes, -limit, limit);
                if (minutesOf(state.settings.*axis.field) != want) {
                    ADD_FAILURE() << stored << " moved to " << state.settings.*axis.field;
                    ++failures;
                }
            }
        }
    }
}

TEST(ClockCommands, ArrowsKeepANanCoordinateAndDoNotCrash) {
    ClockState state;
    state.settings.latitude = std::nan("");
    ClockView view;
    run(state, view, ClockCommand::North);
    run(state, view, ClockCommand::South);
    EXPECT_TRUE(std::isnan(state.settings.latitude));
}

TEST(ClockCommands, KeypadPlus275TimesIsOneDay) {
    ClockState state;
    ClockView view;
    for (int i = 0; i < 275; ++i) run(state, view, ClockCommand::StepForward);
    EXPECT_NEAR(state.displayedDay, 1.0, 1e-12);
    for (int i = 0; i < 275; ++i) run(state, view, ClockCommand::StepBack);
    EXPECT_NEAR(state.displayedDay, 0.0, 1e-12);
}

TEST(ClockCommands, DayStepsAreWholeDaysAndLeaveTheCoordinatesLineAlone) {
    ClockState state;
    state.now = makeDate(2026, 5, 3, 12, 0, 0);
    state.displayedDay = 0.25;
    ClockView view;
    run(state, view, ClockCommand::DayForward);
    EXPECT_EQ(state.displayedDay, 1.25);
    run(state, view, ClockCommand::DayBack);
    run(state, view, ClockCommand::DayBack);
    EXPECT_EQ(state.displayedDay, -0.75);
    EXPECT_FALSE(view.showCoordinates);
}

// Steps beyond 31.12.9999 or before 1.1.1970 showed "0.0.0" with the crews of 1970; the
// face now stays on the last or first day and nothing else changes.
TEST(ClockCommands, StepsStopAtTheCalendarsEnds) {
    const struct {
        const char* fault;
        DateValue now;
        double displayedDay;
        ClockCommand command;
        double wantDisplayedDay;
        const char* wantDate;
    } rows[] = {
        {"keypad * past 31.12.9999", makeDate(9999, 12, 31, 10, 0, 0), 0.0,
         ClockCommand::DayForward, 0.0, "31.12.9999"},
        {"keypad * onto the last day refused", makeDate(9999, 12, 30, 10, 0, 0), 0.0,
         ClockCommand::DayForward, 1.0, "31.12.9999"},
        {"keypad * past the last day after steps", makeDate(9999, 12, 29, 10, 0, 0), 2.0,
         ClockCommand::DayForward, 2.0, "31.12.9999"},
        {"keypad / before 1.1.1970", makeDate(1970, 1, 1, 10, 0, 0), 0.0,
         ClockCommand::DayBack, 0.0, "1.1.1970"},
        {"keypad / before 1.1.1970 after steps", makeDate(1970, 1, 3, 10, 0, 0), -2.0,
         ClockCommand::DayBack, -2.0, "1.1.1970"},
        {"keypad + past the last second", makeDate(9999, 12, 31, 23, 58, 0), 0.0,
         ClockCommand::StepForward, 0.0, "31.12.9999"},
        {"keypad - before the first second", makeDate(1970, 1, 1, 0, 3, 0), 0.0,
         ClockCommand::StepBack, 0.0, "1.1.1970"},
        {"no way back once the time ran past the end", makeDate(9999, 12, 31, 23, 0, 0), 0.5,
         ClockCommand::DayBack, -0.5, "31.12.9999"},
        {"keypad - refused although it stays in range", makeDate(1970, 1, 1, 0, 6, 0), 0.0,
         ClockCommand::StepBack, -dayStep, "1.1.1970"},
    };
    for (const auto& row : rows) {
        ClockState state;
        state.now = row.now;
        state.displayedDay = row.displayedDay;
        state.settings = storedInFile();
        ClockView view;
        const CommandOutcome outcome = run(state, view, row.command);
        EXPECT_EQ(state.displayedDay, row.wantDisplayedDay) << row.fault;
        EXPECT_EQ(formatDate(state), row.wantDate) << row.fault;
        EXPECT_TRUE(outcome.redraw) << row.fault;
        EXPECT_EQ(state.settings.placeName, "Ulm") << row.fault;
        EXPECT_FALSE(view.showCoordinates) << row.fault;
    }
}

TEST(ClockCommands, HomeTwiceRestoresTheFileAndTheLineFlag) {
    ClockState state;
    state.displayedDay = -3.5;
    state.settings.latitude = 90;
    state.settings.placeName = "changed in memory";
    ClockView view;
    const CommandOutcome first = run(state, view, ClockCommand::Home);
    EXPECT_TRUE(first.redraw);
    EXPECT_TRUE(view.showCoordinates);
    run(state, view, ClockCommand::Home);
    EXPECT_FALSE(view.showCoordinates);
    EXPECT_EQ(state.displayedDay, 0.0);
    EXPECT_EQ(state.settings, storedInFile());
}

TEST(ClockCommands, HomeRestacksTheWindowAsTheFileSays) {
    ClockState state;
    ClockView view;
    EXPECT_TRUE(run(state, view, ClockCommand::Home).restack);
    EXPECT_EQ(state.settings.alwaysOnTop, 1);
}

TEST(ClockCommands, F12TogglesOnTopWithoutRedraw) {
    ClockState state;
    state.settings.alwaysOnTop = 7;  // any non-zero value from the file means "on"
    ClockView view;
    CommandOutcome outcome = run(state, view, ClockCommand::ToggleOnTop);
    EXPECT_EQ(state.settings.alwaysOnTop, 0);
    EXPECT_TRUE(outcome.restack);
    EXPECT_FALSE(outcome.redraw);
    outcome = run(state, view, ClockCommand::ToggleOnTop);
    EXPECT_EQ(state.settings.alwaysOnTop, 1);
}

TEST(ClockCommands, EscAndEOnlyAskTheWindowAndChangeNothing) {
    ClockState state;
    state.displayedDay = 2;
    ClockView view;
    const ClockSettings before = state.settings;
    const CommandOutcome esc = run(state, view, ClockCommand::Quit);
    EXPECT_TRUE(esc.quit);
    EXPECT_FALSE(esc.redraw);
    const CommandOutcome e = run(state, view, ClockCommand::OpenSettings);
    EXPECT_TRUE(e.openSettings);
    EXPECT_FALSE(e.redraw);
    EXPECT_EQ(state.settings, before);
    EXPECT_EQ(state.displayedDay, 2);
}

}  // namespace
}  // namespace dorvalen
