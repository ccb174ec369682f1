// The crews' shift codes from the 35-day rota and its yearly swap window, and the plan of
// the face ring for the displayed moment. Plain arithmetic on day indices; nothing is kept
// between calls.
#include "rota/shift_rota.h"

#include <algorithm>
#include <utility>

#include "rota/rota.h"
#include "rota/rota_tables.h"
#include "core/angles.h"
#include "core/calendar.h"
#include "core/conversions.h"

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
    if (frame.rotaFile) return planFileRing(*frame.rotaFile, frame);
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

namespace {

constexpr int secondsPerDay = 86400;
constexpr double secondsPerDialDegree = 240.0;  // the 24-hour dial turns once a day

// Time of day of a dial angle; the dividers sit on whole quarter hours, so this is exact.
int secondsOfDialAngle(double angleDeg) {
    return floorMod(roundToInt((angleDeg + 90.0) * secondsPerDialDegree), secondsPerDay);
}

// Clockwise distance in degrees from `fromDeg` to `toDeg`, [0, 360).
double clockwiseDeg(double fromDeg, double toDeg) {
    const double d = toDeg - fromDeg;
    return d < 0.0 ? d + 360.0 : d;
}

ShiftKind kindOfSector(double sectorDeg, bool twelveHours) {
    if (sectorDeg == sectorEarlyDeg) return twelveHours ? ShiftKind::WeekendDay : ShiftKind::Early;
    if (sectorDeg == sectorNightDeg) return twelveHours ? ShiftKind::WeekendNight : ShiftKind::Night;
    return ShiftKind::Late;
}

}  // namespace

CurrentShiftSector currentShiftSector(const ShiftRingPlan& plan, double handDeg) {
    CurrentShiftSector sector;
    if (plan.dividersDeg.empty()) return sector;
    // The sector begins at the nearest divider at or before the hand (counter-clockwise)
    // and ends at the nearest one after it.
    double back = 360.0;
    double ahead = 360.0;
    for (double divider : plan.dividersDeg) {
        const double behind = clockwiseDeg(divider, handDeg);
        if (behind < back) {
            back = behind;
            sector.fromDeg = divider;
        }
        const double before = clockwiseDeg(handDeg, divider);
        if (before > 0.0 && before < ahead) {
            ahead = before;
            sector.toDeg = divider;
        }
    }
    if (ahead == 360.0) sector.toDeg = sector.fromDeg;  // one divider: the whole disc
    const double span = plan.dividersDeg.size() == 1 ? 360.0 : clockwiseDeg(sector.fromDeg, sector.toDeg);
    for (const SectorFill& fill : plan.fills)
        if (clockwiseDeg(sector.fromDeg, fill.sectorDeg) < span) sector.fill = fill;
    return sector;
}

std::vector<WorkedShift> shiftsBeginningOn(std::int32_t dayIndex) {
    std::vector<WorkedShift> shifts;
    if (dayIndex < 0 || addToDate(0, DateUnit::Days, dayIndex) == invalidDate) return shifts;
    ClockState state;
    state.settings.showShiftColors = 1;  // the plan of the colours, whether shown or not
    const DateValue first = DateValue{dayIndex} * secondsPerDay + earlyStartSeconds;
    const DateValue last = first + secondsPerDay;
    // Each step starts where a sector begins and ends at its closing divider; a day has at
    // most four sectors, the bound only guards against a plan without dividers.
    DateValue t = first;
    for (int step = 0; step < 8 && t < last; ++step) {
        state.now = t;
        const int s = static_cast<int>(t % secondsPerDay);
        const CurrentShiftSector sector = currentShiftSector(planShiftRing(state), dialAngleOfHours(s / 3600.0));
        int length = floorMod(secondsOfDialAngle(sector.toDeg) - s, secondsPerDay);
        if (length == 0) length = secondsPerDay;
        const DateValue end = std::min(t + length, last);
        if (sector.fill)
            shifts.push_back({sector.fill->crew,
                              kindOfSector(sector.fill->sectorDeg, end - t == 12 * 3600), t, end});
        t = end;
    }
    return shifts;
}

}  // namespace dorvalen
