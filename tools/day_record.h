// Everything the almanac says about one local calendar day, asked of the clock's functions
// as the clock would see it with its wall clock reading that day at the chosen time and
// displayedDay 0. Nothing here computes a date, a rise time, a phase or a crew by itself.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "astro/rise_set.h"
#include "core/date_value.h"
#include "core/settings.h"
#include "phases/phase_instants.h"
#include "rota/rota.h"
#include "tools/tool_arguments.h"

namespace dorvalen {

// The first rising and setting as the dial's search has them, and every crossing of the day.
struct EventTimes {
    double riseHours = 0.0;
    double setHours = 0.0;
    bool upAtLastStep = false;
    Crossings crossings;
};

struct PhaseOfDay {
    PhaseKind kind = PhaseKind::NewMoon;
    double localMjd = 0.0;
    std::string label;  // "H:MM"
};

struct DayRecord {
    std::string isoDate;     // "2024-03-20"
    std::string dateText;    // "20.3.2024", as the face writes it
    std::string weekday;     // "Mittwoch"
    int calendarWeek = 0;
    bool summerTime = false;
    std::array<EventTimes, 5> events{};  // EventKind 1 .. 5 at index 0 .. 4
    double illuminatedFraction = 0.0;    // at the chosen time of day
    std::optional<PhaseOfDay> phase;
    CrewShifts crews{};       // the built-in rota's codes of the day
    std::string fileCodes;    // a file's rota: each crew's code of the day ('-' free)
    std::vector<WorkedShift> shifts;  // the shifts that begin on this day, as the ring shows them
    // "Meine nächste Schicht: …" after the chosen time of day, for the crew the settings
    // name; empty without one.
    std::string myNextShift;
};

// moment: the wall-clock reading (local date-time) the clock is pinned to.
DayRecord computeDayRecord(const ClockSettings& settings, DateValue moment,
                           const ShiftRota& rota = {});

std::vector<DayRecord> computeAlmanac(const ClockSettings& settings, const AlmanacOptions& options,
                                      const ShiftRota& rota = {});

}  // namespace dorvalen
