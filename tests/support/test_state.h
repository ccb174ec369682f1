// Pinned clock states for the tests: a local wall-clock reading and a place, nothing read
// from the machine. Plain C++, for every test program.
#pragma once

#include "core/clock_state.h"
#include "core/calendar.h"

namespace dorvalen::test {

// A state whose wall-clock reading is the given local date-time, default settings.
inline ClockState stateAt(int year, int month, int day, int hour = 0, int minute = 0,
                          int second = 0) {
    ClockState state;
    state.now = makeDate(year, month, day, hour, minute, second);
    return state;
}

}  // namespace dorvalen::test

// The sky tests' states: noon by default, optionally at another place.
namespace dorvalen::skytest {

// Default settings (48.47 N, -12.52 W in degrees.minutes, time zone 1, summer time on).
inline ClockState stateAt(int year, int month, int day, int hour = 12, int minute = 0) {
    return test::stateAt(year, month, day, hour, minute, 0);
}

inline ClockState stateAt(int year, int month, int day, int hour, int minute, double latitude,
                          double longitude, double timeZone, int autoSummerTime) {
    ClockState state = stateAt(year, month, day, hour, minute);
    state.settings.latitude = latitude;
    state.settings.longitude = longitude;
    state.settings.timeZone = timeZone;
    state.settings.autoSummerTime = autoSummerTime;
    return state;
}

}  // namespace dorvalen::skytest
