// Calendar and local time: DateValue arithmetic, the displayed moment, the clock-hand
// angles and the summer-time rule. All of it reads the frame's wall-clock reading
// `ClockState::now`; nothing here converts between local time and UT.
//   1. takeWallClockReading stores the wall clock in state.now (once per frame).
//   2. displayedMoment / displayedClockTime shift it by displayedDay.
//   3. updateDisplayedDayIndex fixes the day every later layer of the frame draws.
#pragma once

#include <cstdint>

#include "core/clock_state.h"
#include "core/date_value.h"
#include "core/wall_clock.h"

namespace dorvalen {

// -1 for anything that is not a valid Gregorian date-time from 1970 to 9999.
DateValue makeDate(std::int64_t year, std::int64_t month, std::int64_t day, std::int64_t hour,
                   std::int64_t minute, std::int64_t second);

DateValue readWallClock(const WallClock& clock);
void takeWallClockReading(ClockState& state, const WallClock& clock);

// The frame's wall-clock reading (state.now).
DateValue currentDate(const ClockState& state);

// value + n days (unit 3) or + n seconds (unit 6); -1 stays -1, and a result outside the
// valid range is -1 too.
DateValue addToDate(DateValue value, int unit, std::int64_t n);

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

// Sets state.displayedDayIndex and returns the seconds since local midnight of the
// displayed moment.
int updateDisplayedDayIndex(ClockState& state);

// The same two values without writing anything, for layers that only read the state.
std::int32_t displayedDayIndexOf(const ClockState& state);
int displayedSecondsOfDay(const ClockState& state);

// d: MJD, possibly fractional; 0.0 means noon of today moved by the full displayedDay.
bool isSummerTime(const ClockState& state, double d);

// Whole screen degrees, 0 = right, clockwise, -90 (stored +270) = up.
int secondHandAngle(const ClockState& state);
int minuteHandAngle(const ClockState& state);
int hourHandAngle(const ClockState& state);

}  // namespace dorvalen
