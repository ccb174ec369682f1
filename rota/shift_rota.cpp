// The crews' shift codes from the 35-day rota and its yearly swap window, and the plan of
// the face ring for the displayed moment. Plain arithmetic on day indices; nothing is kept
// between calls.
#include "rota/shift_rota.h"

#include <algorithm>
#include <utility>

#include "rota/rota_tables.h"
#include "core/calendar.h"

namespace dorvalen {

namespace {

constexpr int rotaLength = static_cast<int>(rotaTable.size());  // 35 days

// Modulo with a result in [0, m) also for negative a (days before 1970).
int floorMod(std::int64_t a, int m) {
    const std::int64_t rem = a % m;
    return static_cast<int>(rem < 0 ? rem + m : rem);
}

// The calendar year of a day index; 0 when the calendar cannot represent it.
int yearOfDay(std::int32_t dayIndex) {
    if (dayIndex < 0) return 0;
    return yearOf(static_cast<DateValue>(dayIndex) * 86400);
}

// Weekday of a day index, 0 = Sunday .. 6 = Saturday; day 0 was a Thursday.
int weekdayFromSunday(std::int64_t dayIndex) { return floorMod(dayIndex + 4, 7); }

// Weekday of a day index, 0 = Monday .. 6 = Sunday.
int weekdayFromMonday(std::int64_t dayIndex) { return floorMod(dayIndex + 3, 7); }

}  // namespace

std::int32_t rotaAnchorDay(int year) {
    const DateValue thirdOfMay = makeDate(year, 5, 3, 0, 0, 0);
    const DateValue april25 = makeDate(year, 4, 25, 0, 0, 0);
    if (thirdOfMay == invalidDate || april25 == invalidDate) return -1;

    // The crew exchanged first stands at rota day 7 on the anchor Monday. All offsets are
    // 3 mod 7, so stepping back from a Sunday to that crew's rota day 0 lands on a Monday.
    const int firstCrew = static_cast<int>(rotaYearTable[floorMod(year, 5)][0]);
    std::int64_t day = dayIndexOf(thirdOfMay);
    day -= weekdayFromSunday(day);  // the Sunday on or before 3 May
    day = day - floorMod(day + crewTable[firstCrew].rotaOffset, rotaLength) + 7;
    if (day < dayIndexOf(april25)) day += rotaLength;
    return static_cast<std::int32_t>(day);  // below 2932896 for any valid year
}

std::int32_t computeRotaAnchor(const Frame& frame) {
    return rotaAnchorDay(frame.moment.year);
}

CrewShifts computeCrewShifts(std::int32_t dayIndex) {
    CrewShifts code{};
    for (int crew = 0; crew < crewCount; ++crew)
        code[crew] = rotaTable[floorMod(dayIndex + std::int64_t{crewTable[crew].rotaOffset},
                                        rotaLength)];

    // The window and the crew it exchanges both belong to the year of this day; windows
    // lie between late April and mid October, so no window straddles New Year.
    const int year = yearOfDay(dayIndex);
    const std::int32_t anchor = rotaAnchorDay(year);
    if (anchor < 0 || dayIndex < anchor || dayIndex >= anchor + swapWindowDays) return code;

    const int period = (dayIndex - anchor) / swapPeriodDays;  // 0 .. 4, never negative
    const int exchanged = static_cast<int>(rotaYearTable[year % 5][period]);
    const auto swappedIt = std::find(code.begin(), code.end(), shiftSwapped);
    if (swappedIt == code.end()) return code;
    const auto swapped = static_cast<std::size_t>(swappedIt - code.begin());
    const auto other = static_cast<std::size_t>(exchanged);

    std::swap(code[swapped], code[other]);
    if (code[swapped] == shiftFree) {
        code[other] = shiftFreeSwapped;
    } else if (code[other] == code[swapped]) {
        // The swapped crew was exchanged with itself: it keeps its swapped week from
        // Tuesday to Friday and is free on the other days.
        const int weekday = weekdayFromMonday(dayIndex);
        code[other] = (weekday >= 1 && weekday <= 4) ? shiftSwapped : shiftFreeSwapped;
    }
    return code;
}

ShiftRingPlan planShiftRing(const Frame& frame) {
    ShiftRingPlan plan;
    const int s = frame.moment.secondsOfDay;
    const bool beforeEarly = s < earlyStartSeconds;  // still the previous day's night shift
    plan.showShiftColors = frame.settings.showShiftColors != 0;
    plan.shiftDay = frame.moment.dayIndex - (beforeEarly ? 1 : 0);
    plan.weekday = weekdayFromSunday(plan.shiftDay);
    const int wd = plan.weekday;
    plan.weekendLayout = (wd == 6 && (s >= nightStartSeconds || beforeEarly)) || wd == 0;
    if (!plan.showShiftColors) return plan;

    plan.dividersDeg.push_back(dividerEarlyDeg);
    if (plan.weekendLayout) {
        plan.dividersDeg.push_back(dividerWeekendDeg);
        if (wd == 0 && (s >= sundayLateEndSeconds || beforeEarly))
            plan.dividersDeg.push_back(dividerLateDeg);
    } else {
        plan.dividersDeg.push_back(dividerLateDeg);
        plan.dividersDeg.push_back(dividerNightDeg);
    }

    const CrewShifts today = computeCrewShifts(plan.shiftDay);
    for (int crew = 0; crew < crewCount; ++crew) {
        if (today[crew] == shiftEarly)
            plan.fills.push_back({sectorEarlyDeg, crew, plan.shiftDay});
        else if (today[crew] == shiftLate && !plan.weekendLayout)
            plan.fills.push_back({sectorLateDeg, crew, plan.shiftDay});
        else if (today[crew] == shiftNight)
            plan.fills.push_back({sectorNightDeg, crew, plan.shiftDay});
    }

    // A shift that has ended shows the crew that works the same period tomorrow.
    const std::int32_t nextDay = plan.shiftDay + 1;
    const bool sundayEvening = wd == 0 && s >= sundayLateEndSeconds;
    const bool earlyEnded = sundayEvening || (wd != 0 && s >= lateStartSeconds) || beforeEarly;
    const bool lateEnded = sundayEvening || (wd != 0 && s >= nightStartSeconds) || beforeEarly;
    const CrewShifts tomorrow = computeCrewShifts(nextDay);
    for (int crew = 0; crew < crewCount; ++crew) {
        if (tomorrow[crew] == shiftEarly && earlyEnded)
            plan.fills.push_back({sectorEarlyDeg, crew, nextDay});
        else if (tomorrow[crew] == shiftLate && lateEnded)
            plan.fills.push_back({sectorLateNextDeg, crew, nextDay});
    }

    plan.saturdayNightWedge = plan.weekendLayout && wd == 6;
    return plan;
}

}  // namespace dorvalen
