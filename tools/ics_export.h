// A crew's plan as an RFC 5545 calendar for phones and desktop calendars: one VEVENT per
// shift with DTSTART/DTEND in UTC, written by libical (line folding, escaping, CR LF).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/crew_plan.h"

namespace dorvalen {

// The domain part of every UID; changing it would duplicate every imported shift.
inline constexpr const char* uidDomain = "dorvalen.invalid";

// Stable for the same shift on every export: crew, kind and the local start time, which
// the time zone setting does not move. A file's rota gives its crew's name (bytes other
// than ASCII letters and digits as %XX) and the shift's code.
std::string shiftUid(const WorkedShift& shift, const ShiftRota& rota = {});

// The VCALENDAR text; stampUtcSeconds is the DTSTAMP of every event (the moment of export).
// Nothing when libical cannot produce the text.
std::optional<std::string> crewPlanIcs(const std::vector<CrewShiftEntry>& plan, int crew,
                                       std::int64_t stampUtcSeconds, const ShiftRota& rota = {});

}  // namespace dorvalen
