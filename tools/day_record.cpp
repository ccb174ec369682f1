// The per-day records of the almanac. Every value comes from the clock's own functions over
// a ClockState pinned to the wall-clock reading the user asked for (displayedDay 0).
#include "tools/day_record.h"

#include <algorithm>

#include "astro/moon.h"
#include "astro/rise_set.h"
#include "core/calendar.h"
#include "core/clock_state.h"
#include "rota/my_shift.h"
#include "core/face_texts.h"
#include "phases/phase_event.h"
#include "tools/tool_text.h"

namespace dorvalen {

DayRecord computeDayRecord(const ClockSettings& settings, DateValue moment, const ShiftRota& rota) {
    ClockState state;
    state.settings = settings;
    state.displayedDay = 0.0;
    state.now = moment;
    const Frame frame(state);  // as at the start of every frame

    DayRecord record;
    record.isoDate = isoDateOf(frame.moment.moment);
    record.dateText = formatDate(frame);
    record.weekday = weekdayName(frame);
    record.calendarWeek = calendarWeek(frame);
    record.summerTime = frame.moment.summerTime;
    record.myNextShift = myNextShiftText(rota, settings.extra, frame.moment.moment);
    for (std::size_t k = 0; k < record.events.size(); ++k) {
        const DayEvents e = computeDayEvents(frame, static_cast<EventKind>(k + 1));
        record.events[k] = {e.riseHours, e.setHours, e.upAtLastStep, e.crossings};
    }
    record.illuminatedFraction = moonIlluminatedFractionAt(frame.moment.julianDayUT);
    if (const std::optional<PhaseOnDay> phase = phaseOnDisplayedDay(frame))
        record.phase = PhaseOfDay{phase->kind, phase->localMjd, phaseTimeText(phase->localMjd)};
    if (rota.isBuiltIn()) {
        record.crews = computeCrewShifts(frame.moment.dayIndex);
    } else {
        for (std::size_t crew = 0; crew < rota.file()->crews.size(); ++crew)
            record.fileCodes += fileCodeOn(*rota.file(), crew, frame.moment.dayIndex);
    }
    record.shifts = rota.shiftsBeginningOn(frame.moment.dayIndex);
    return record;
}

std::vector<DayRecord> computeAlmanac(const ClockSettings& settings, const AlmanacOptions& options,
                                      const ShiftRota& rota) {
    std::vector<DayRecord> records;
    records.reserve(static_cast<std::size_t>(std::max(options.days, 0)));
    for (int day = 0; day < options.days; ++day) {
        const DateValue midnight = addToDate(options.from, DateUnit::Days, day);
        if (midnight == invalidDate) break;
        records.push_back(computeDayRecord(
            settings, addToDate(midnight, DateUnit::Seconds, options.timeSeconds), rota));
    }
    return records;
}

}  // namespace dorvalen
