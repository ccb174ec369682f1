// One crew's own shift plan over a run of days:
//   1. ShiftRota::shiftsBeginningOn (rota) gives each day's shifts: the built-in rota's as
//      the ring shows them, or a rota file's.
//   2. crewPlan keeps the chosen crew's shifts and adds the UTC offsets that the clock's
//      local-time rules (time zone, automatic summer time) give at their start and end.
//   3. crewPlanText / crewPlanJson print it; ics_export.h writes it as a calendar.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/date_value.h"
#include "core/settings.h"
#include "rota/rota.h"

namespace dorvalen {

struct CrewShiftEntry {
    WorkedShift shift;           // local clock times
    int startOffsetSeconds = 0;  // local clock minus UTC at the start
    int endOffsetSeconds = 0;    // and at the end

    // Seconds since 1970-01-01 00:00 UTC; before 1970 these are negative.
    std::int64_t utcStart() const { return shift.start - startOffsetSeconds; }
    std::int64_t utcEnd() const { return shift.end - endOffsetSeconds; }
};

// Local clock minus UTC at a local moment, in seconds: the time zone (rounded to the whole
// minute a calendar can carry) plus one hour when the clock counts that day as summer time.
int utcOffsetSeconds(const ClockSettings& settings, DateValue localMoment);

// The shifts of `crew` that begin on the `days` local days from `fromMidnight`.
std::vector<CrewShiftEntry> crewPlan(const ClockSettings& settings, int crew,
                                     DateValue fromMidnight, int days, const ShiftRota& rota = {});

// "0" .. "4", or the crew's colour name ("Grün", "grün", "gruen"); nothing otherwise.
std::optional<int> parseCrew(const std::string& text);
// --crew against the rota in force: parseCrew for the built-in one, a file's crew names
// without regard to ASCII case.
std::optional<int> crewOfRota(const ShiftRota& rota, const std::string& text);
// The crews --crew takes, for its message: "Crew 0 bis 4 oder Rot, Blau, ...".
std::string crewChoices(const ShiftRota& rota);

// "Crew 3 (Grün)"; a file's crew by its name: "Crew Rot".
std::string crewTitle(int crew, const ShiftRota& rota = {});
std::string shiftKindTitle(ShiftKind kind);  // "Frühschicht", "Tagschicht (12 Std.)"
std::string shiftKindId(ShiftKind kind);     // "early", "weekendDay"
// A shift's title and id under either rota: the kind's above, or the file's name and code.
std::string shiftTitle(const WorkedShift& shift, const ShiftRota& rota);
std::string shiftId(const WorkedShift& shift, const ShiftRota& rota);

// "2026-03-28T21:45:00+01:00"
std::string isoLocalWithOffset(DateValue local, int offsetSeconds);

// One line per day: the shift that begins on it with local start and end, the length in
// hours where the switch of summer time changes it, "frei" for a day without one.
std::string crewPlanText(const std::vector<CrewShiftEntry>& plan, const ClockSettings& settings,
                         int crew, DateValue fromMidnight, int days, const ShiftRota& rota = {});
// An array of {"crew", "kind", "start", "end"}, times as isoLocalWithOffset; a file's
// rota gives the crew's name and the shift's code and adds the shift's "name".
std::string crewPlanJson(const std::vector<CrewShiftEntry>& plan, const ShiftRota& rota = {});

}  // namespace dorvalen
