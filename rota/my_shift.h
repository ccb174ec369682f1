// The user's own crew ("Meine Schichtgruppe") and what follows from it:
//   1. myCrewIn: the stored crew name read against the rota in force.
//   2. nextShiftOfCrew: the one answer to "when do I work next?"; the spoken face, the
//      almanac and the reminders all ask it, and it reads the same shifts as the ring and
//      the calendar export (ShiftRota::shiftsBeginningOn, local wall-clock times).
//   3. checkReminders: which reminder falls due between two wall-clock readings, at most
//      one, never twice for one shift and stage; plain data, so it is tested without D-Bus.
#pragma once

#include <optional>
#include <string>

#include "core/settings.h"
#include "rota/rota.h"

namespace dorvalen {

// The crew named by the settings in `rota`: a built-in crew by its colour name (or number
// 0 .. 4), a file's crew by its name, both without regard to ASCII case. Nothing for no
// crew chosen or a name the rota does not know.
std::optional<int> myCrewIn(const ShiftRota& rota, const ExtraSettings& extra);

// The first shift of `crew` that begins after `after` (local DateValue), looking no further
// than `horizonDays` days ahead.
inline constexpr int nextShiftHorizonDays = 100;
std::optional<WorkedShift> nextShiftOfCrew(const ShiftRota& rota, int crew, DateValue after,
                                           int horizonDays = nextShiftHorizonDays);

// "Früh", "Spät", "Nacht", "Tag" (the weekend's 12-hour day); a file's shift by its name.
std::string shiftShortName(const WorkedShift& shift, const ShiftRota& rota);
// "Früh 5:45–13:45".
std::string shiftSpanText(const WorkedShift& shift, const ShiftRota& rota);
// "Meine nächste Schicht: Spät, Mi 13:45–21:45" after `moment`; empty without a crew.
std::string myNextShiftText(const ShiftRota& rota, const ExtraSettings& extra, DateValue moment);

// Reminders as the settings ask for them: the lead time is kept within 1 .. 720 minutes.
struct ReminderRules {
    int leadMinutes = 30;
    bool eveningBefore = false;  // also at 20:00 the day before a shift that begins before noon
};
ReminderRules reminderRules(const ExtraSettings& extra);
inline constexpr int eveningNoticeSecondsOfDay = 20 * 3600;

enum class NoticeKind { EveningBefore, Ahead, Started };

struct ShiftNotice {
    WorkedShift shift;
    NoticeKind kind = NoticeKind::Ahead;
    DateValue dueAt = 0;  // the wall-clock moment it fell due
    friend bool operator==(const ShiftNotice&, const ShiftNotice&) = default;
};

struct ReminderCheck {
    std::optional<ShiftNotice> notice;
    DateValue nextDue = 0;  // no notice falls due before this moment: no need to ask earlier
};

// The notices of `crew` due in (last, now] (wall clock): the latest due one only, so a clock
// step or a resume gives at most one; a lead reminder found after its shift began is the
// catch-up (Started), none after the shift ended. A shift and stage `given` already had
// (or an earlier one) is never told again, whichever way the clock stepped.
ReminderCheck checkReminders(const ShiftRota& rota, int crew, const ReminderRules& rules,
                             DateValue last, DateValue now,
                             const std::optional<ShiftNotice>& given);

// "Schicht beginnt in 30 Minuten: Früh 5:45–13:45", "Schicht hat um 5:45 begonnen: …",
// "Schicht morgen: …"; minutes counted from `now` (rounded up).
std::string noticeText(const ShiftNotice& notice, const ShiftRota& rota, DateValue now);

}  // namespace dorvalen
