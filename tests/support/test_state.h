// Pinned clock states for the sky tests: a local wall-clock reading and a place, nothing
// read from the machine.
#pragma once

#include "app/clock_state.h"
#include "face/calendar.h"

namespace dorvalen::skytest {

// Default settings (48.47 N, -12.52 W in degrees.minutes, time zone 1, summer time on).
inline ClockState stateAt(int year, int month, int day, int hour = 12, int minute = 0) {
    ClockState state;
    state.now = makeDate(year, month, day, hour, minute, 0);
    return state;
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
