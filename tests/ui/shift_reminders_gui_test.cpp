// A hidden clock arms no per-second timer; it sleeps until the reminders say a notice can
// next be due. No notice is due at these moments, so no bus is needed.
#include <gtest/gtest.h>

#include <optional>

#include "tests/support/test_state.h"
#include "ui/shift_reminders.h"

namespace dorvalen {
namespace {

TEST(ShiftReminders, SayHowLongAHiddenClockMaySleep) {
    // Crew Rot works early (5:45) on Friday 26.03.2027.
    const struct {
        int day, hour, minute, reminders, evening;
        std::optional<std::int64_t> seconds;
    } rows[] = {
        {26, 5, 0, 1, 0, 15 * 60},  // the notice 30 minutes before 5:45
        {25, 19, 0, 1, 1, 3600},    // the evening notice at 20:00
        {26, 5, 0, 0, 0, std::nullopt},
    };
    for (const auto& row : rows) {
        ShiftReminders reminders;
        ClockState state = test::stateAt(2027, 3, row.day, row.hour, row.minute, 0);
        state.settings.extra.myCrew = "Rot";
        state.settings.extra.reminders = row.reminders;
        state.settings.extra.eveningNotice = row.evening;
        reminders.tick(state);
        EXPECT_EQ(reminders.secondsToNextCheck(state.now), row.seconds) << row.day << " " << row.hour;
        EXPECT_EQ(reminders.noticesSent(), 0);
    }
}

}  // namespace
}  // namespace dorvalen
