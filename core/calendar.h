// Calendar and local time: DateValue arithmetic, the displayed moment, the clock-hand
// angles, the summer-time rule and the UT dates of the displayed day.
//   1. takeWallClockReading stores the wall clock in state.now (once per frame).
//   2. computeDisplayedMoment shifts it by displayedDay and derives, once, everything the
//      layers read: the local date-time, day index, summer time and Julian Dates in UT.
//   3. Each layer of the frame takes that value (a Frame) by const reference.
#pragma once

#include <cstdint>

#include "core/clock_state.h"
#include "core/date_value.h"
#include "core/wall_clock.h"

namespace dorvalen {

// A date-time from 1970 to 9999 (anything else reads as -1).
bool isValidDate(DateValue v);

// -1 for anything that is not a valid Gregorian date-time from 1970 to 9999.
DateValue makeDate(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                   std::int64_t minute, std::int64_t second);

DateValue readWallClock(const WallClock& clock);
void takeWallClockReading(ClockState& state, const WallClock& clock);

// The frame's wall-clock reading (state.now).
DateValue currentDate(const ClockState& state);

// value + n days or seconds; -1 stays -1, and a result outside the valid range is -1 too.
DateValue addToDate(DateValue value, DateUnit unit, std::int64_t n);

// Fields of a DateValue read as a UT calendar date; each gives 0 for -1.
int yearOf(DateValue v);
int monthOf(DateValue v);
int dayOf(DateValue v);
int hourOf(DateValue v);
int minuteOf(DateValue v);
int secondOf(DateValue v);

std::int64_t dayIndexOf(DateValue v);  // truncToInt(v / 86400)

DateValue displayedMoment(const ClockState& state);
DateValue displayedClockTime(const ClockState& state);
int displayedYear(const ClockState& state);

// The summer-time window of one displayed year: summer from the Saturday before the last
// Sunday of March (exclusive) to that of October (inclusive), as local MJDs.
struct SummerTimeWindow {
    bool enabled = false;  // autoSummerTime
    double startMjd = 0.0;
    double endMjd = 0.0;
};

SummerTimeWindow summerTimeWindow(const ClockSettings& settings, int displayedYear);

// mjd: a local MJD, possibly fractional.
bool isSummerTime(const SummerTimeWindow& window, double mjd);

// Local civil MJD of an instant given as a UT MJD: the zone, and the summer hour when the
// instant's local standard date lies in the summer-time window of its own year. Each instant
// thus has one local time, also in the night of a switch.
double localMjdOfUT(const ClockSettings& settings, double utMjd);

// The time zone as the clock reads it: the dialog's range -12..14 hours; a non-finite value
// from a damaged file counts as 0.
double effectiveTimeZoneHours(const ClockSettings& settings);

// Everything a frame reads of the displayed moment, derived once from the wall-clock
// reading and displayedDay when the frame starts.
struct DisplayedMoment {
    DateValue moment = 0;       // now moved by the full displayedDay: date, weekday, week
    DateValue clockTime = 0;    // now moved by the fraction of displayedDay only: hands, time
    DateValue calendarDay = 0;  // now moved by displayedDay rounded to whole days
    int year = 0;               // of calendarDay: the displayed year
    std::int32_t dayIndex = 0;  // of moment
    int secondsOfDay = 0;       // of moment, since local midnight
    double localMjd = 0.0;      // now plus displayedDay as a local MJD with its fraction
    std::int64_t markedDayMjd = 0;  // noon of today moved by the full displayedDay, whole MJD
    SummerTimeWindow summer;    // of `year`
    bool summerTime = false;    // on the whole day of `moment`: the face's zone text
    double timeZoneHours = 0.0;
    // UT dates of the displayed day at the configured time zone and summer time. The factor
    // 0.041667 (not 1/24) is the clock's own: its rise and set times are defined with it.
    double midnightUT = 0.0;    // UT MJD of 0:00 local clock time on the displayed day
    double julianDayUT = 0.0;   // UT Julian Date of the clock time on that day
    DateValue now = 0;          // the wall-clock reading and the offset it was moved by, for
    double displayedDay = 0.0;  // a layer that takes the sky at another reading
};

DisplayedMoment computeDisplayedMoment(const ClockState& state);

// The UT Julian Date of a wall-clock reading moved as the displayed moment is, plus
// extraDays, at the moment's zone and summer time (julianDayUT is that of `now`).
double julianDayUTOfReading(const DisplayedMoment& m, DateValue reading, double extraDays);

// What every layer of one frame reads: the settings and the displayed moment, taken once.
// A state converts to the frame it shows, so a caller outside the frame loop (the tools,
// the tests) can pass the state itself.
struct Frame {
    Frame(const ClockState& state)
        : settings(state.settings),
          moment(computeDisplayedMoment(state)),
          rotaFile(state.rotaFile) {}
    ClockSettings settings;
    DisplayedMoment moment;
    std::shared_ptr<const RotaFile> rotaFile;  // none: the built-in rota
};

// Whole screen degrees of the hands at a displayed clock time, 0 = right, clockwise,
// -90 (stored +270) = up.
int secondHandAngle(DateValue clockTime);
int minuteHandAngle(DateValue clockTime);
int hourHandAngle(DateValue clockTime);

}  // namespace dorvalen
