// The per-day records of the almanac. Every value comes from the clock's own functions over
// a ClockState pinned to the wall-clock reading the user asked for (displayedDay 0).
#include "tools/day_record.h"

#include <algorithm>

#include "astro/moon.h"
#include "astro/rise_set.h"
#include "core/calendar.h"
#include "core/clock_state.h"
#include "core/face_texts.h"
#include "phases/phase_event.h"
#include "tools/tool_text.h"

namespace dorvalen {

DayRecord computeDayRecord(const ClockSettings& settings, DateValue moment) {
    ClockState state;
    state.settings = settings;
    state.displayedDay = 0.0;
    state.now = moment;
    updateDisplayedDayIndex(state);  // as at the start of every frame

    DayRecord record;
    record.isoDate = isoDateOf(displayedMoment(state));
    record.dateText = formatDate(state);
    record.weekday = weekdayName(state);
    record.calendarWeek = calendarWeek(state);
    record.summerTime = isSummerTime(state, 0.0);
    for (std::size_t k = 0; k < record.events.size(); ++k) {
        const DayEvents e = computeDayEvents(state, static_cast<EventKind>(k + 1));
        record.events[k] = {e.riseHours, e.setHours, e.upAtLastStep};
    }
    record.illuminatedFraction = moonIlluminatedFraction(state, 0.0);
    if (const std::optional<PhaseOnDay> phase = phaseOnDisplayedDay(state))
        record.phase = PhaseOfDay{phase->kind, phase->localMjd, phaseTimeText(phase->localMjd)};
    record.crews = computeCrewShifts(state, state.displayedDayIndex);
    record.shifts = shiftsBeginningOn(state.displayedDayIndex);
    return record;
}

std::vector<DayRecord> computeAlmanac(const ClockSettings& settings, const AlmanacOptions& options) {
    std::vector<DayRecord> records;
    records.reserve(static_cast<std::size_t>(std::max(options.days, 0)));
    for (int day = 0; day < options.days; ++day) {
        const DateValue midnight = addToDate(options.from, dateUnitDays, day);
        if (midnight == invalidDate) break;
        records.push_back(
            computeDayRecord(settings, addToDate(midnight, dateUnitSeconds, options.timeSeconds)));
    }
    return records;
}

}  // namespace dorvalen
