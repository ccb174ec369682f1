// My crew's next shift and the reminders before it: the next shift in the built-in rota and
// a file's, nights across the summer-time switches, and the due-logic over two wall-clock
// readings (the due second, clock steps, resumes, the evening before, no repeats).
#include "rota/my_shift.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/calendar.h"

namespace dorvalen {
namespace {

DateValue at(int y, int mo, int d, int h, int mi, int s = 0) { return makeDate(y, mo, d, h, mi, s); }

ExtraSettings mine(const char* crew) {
    ExtraSettings extra;
    extra.myCrew = crew;
    return extra;
}

ShiftRota fourCrews() {
    const RotaReadResult read = readRotaFile(
        "[Schichten]\nF = Früh, 06:00, 8\nS = Spät, 14:00, 8\nN = Nacht, 22:00, 8\n"
        "[Gruppen]\nA = #E53935, 0\nB = #1E88E5, 2\nC = #FDD835, 4\nD = #43A047, 6\n"
        "[Plan]\nBeginn = 2027-01-04\nMuster = FFSSNN--\n");
    EXPECT_TRUE(read.ok) << read.error;
    return ShiftRota(std::make_shared<const RotaFile>(read.rota));
}

TEST(MyShift, TheNextShiftInEitherRotaAndAcrossTheSwitches) {
    const struct {
        const char* fault;
        ShiftRota rota;
        const char* crew;
        DateValue moment;
        const char* text;
    } rows[] = {
        {"no crew chosen says nothing", {}, "", at(2026, 12, 7, 10, 0), ""},
        {"a crew the rota does not know says nothing", {}, "Lila", at(2026, 12, 7, 10, 0), ""},
        {"a week off skipped", {}, "blau", at(2026, 12, 7, 10, 0),
         "Meine nächste Schicht: Nacht, Mo 21:45–5:45"},
        {"the example", {}, "Rot", at(2026, 10, 21, 23, 0),
         "Meine nächste Schicht: Spät, Do 13:45–21:45"},
        {"the night of the spring switch", {}, "3", at(2027, 3, 27, 12, 0),
         "Meine nächste Schicht: Nacht, Sa 21:45–5:45"},
        {"during the autumn night the next one, Sunday's 12 hours", {}, "Rot",
         at(2026, 10, 25, 2, 30), "Meine nächste Schicht: Nacht, So 17:45–5:45"},
        {"at the start the shift is no longer next", {}, "Rot", at(2027, 3, 27, 5, 45),
         "Meine nächste Schicht: Tag, So 5:45–17:45"},
        {"a file's crew by its name, any case", fourCrews(), "b", at(2027, 1, 4, 0, 0),
         "Meine nächste Schicht: Früh, Mi 6:00–14:00"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(myNextShiftText(row.rota, mine(row.crew), row.moment), row.text) << row.fault;
}

// Crew Rot (0) works early on Fr 26.03.2027 and Sa 27.03, the 12-hour day on Sunday 28.03
// (the night the clocks go forward). Lead 30 minutes unless a row says otherwise.
TEST(Reminders, DueFromTheWallClockAtMostOnceAndNeverABurst) {
    const ShiftRota builtIn;
    const WorkedShift friday = *nextShiftOfCrew(builtIn, 0, at(2027, 3, 26, 0, 0));
    const ShiftNotice eveningGiven{friday, NoticeKind::EveningBefore, at(2027, 3, 25, 20, 0)};
    const ShiftNotice aheadGiven{friday, NoticeKind::Ahead, at(2027, 3, 26, 5, 15)};
    const struct {
        const char* fault;
        ReminderRules rules;
        DateValue last, now;
        std::optional<ShiftNotice> given;
        const char* text;  // nullptr: nothing due
    } rows[] = {
        {"one second early", {30, false}, at(2027, 3, 26, 5, 14, 58), at(2027, 3, 26, 5, 14, 59),
         {}, nullptr},
        {"the due second", {30, false}, at(2027, 3, 26, 5, 14, 59), at(2027, 3, 26, 5, 15),
         {}, "Schicht beginnt in 30 Minuten: Früh 5:45–13:45"},
        {"a two-hour jump: one catch-up", {30, false}, at(2027, 3, 26, 4, 0),
         at(2027, 3, 26, 6, 0), {}, "Schicht hat um 5:45 begonnen: Früh 5:45–13:45"},
        {"a resume over two shifts: only the latest", {30, true}, at(2027, 3, 25, 19, 0),
         at(2027, 3, 27, 6, 0), {}, "Schicht hat um 5:45 begonnen: Früh 5:45–13:45"},
        {"a resume after the shift ended", {30, false}, at(2027, 3, 26, 4, 0),
         at(2027, 3, 26, 14, 0), {}, nullptr},
        {"a late resume counts the minutes left", {30, false}, at(2027, 3, 26, 5, 0),
         at(2027, 3, 26, 5, 31), {}, "Schicht beginnt in 14 Minuten: Früh 5:45–13:45"},
        {"the evening before an early shift", {30, true}, at(2027, 3, 25, 19, 59, 59),
         at(2027, 3, 25, 20, 0), {}, "Schicht morgen: Früh 5:45–13:45"},
        {"the evening notice off", {30, false}, at(2027, 3, 25, 19, 59, 59),
         at(2027, 3, 25, 20, 0), {}, nullptr},
        {"after the evening notice the lead reminder", {30, true}, at(2027, 3, 26, 5, 14, 59),
         at(2027, 3, 26, 5, 15), eveningGiven, "Schicht beginnt in 30 Minuten: Früh 5:45–13:45"},
        {"a step back repeats nothing", {30, false}, at(2027, 3, 26, 5, 14, 59),
         at(2027, 3, 26, 5, 15), aheadGiven, nullptr},
        {"the hour the spring switch skips still reminds, once", {180, false},
         at(2027, 3, 28, 1, 59, 59), at(2027, 3, 28, 3, 0), aheadGiven,
         "Schicht beginnt in 165 Minuten: Tag 5:45–17:45"},
    };
    for (const auto& row : rows) {
        const ReminderCheck check = checkReminders(builtIn, 0, row.rules, row.last, row.now, row.given);
        ASSERT_EQ(check.notice.has_value(), row.text != nullptr) << row.fault;
        EXPECT_GT(check.nextDue, row.now) << row.fault;
        if (check.notice) {
            EXPECT_EQ(noticeText(*check.notice, builtIn, row.now), row.text) << row.fault;
        }
    }
    // Asked no earlier than it must be: one second early, the next check is the due second.
    EXPECT_EQ(checkReminders(builtIn, 0, {30, false}, at(2027, 3, 26, 5, 14, 58),
                             at(2027, 3, 26, 5, 14, 59), {})
                  .nextDue,
              at(2027, 3, 26, 5, 15));
}

}  // namespace
}  // namespace dorvalen
