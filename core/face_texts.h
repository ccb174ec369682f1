// The texts of the face: the four corner texts, the calendar week and the coordinates line.
// Plain C++ over the clock state; every text is UTF-8 and independent of the C locale.
//   1. The displayed moment and clock time come from the frame (core/calendar.h).
//   2. Date, weekday and week are all taken from that one displayed day, so they agree.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/calendar.h"

namespace dorvalen {

std::string intText(std::int64_t n);

// n >= 0 with at least two digits: 5 -> "05".
std::string twoDigits(int n);

// x with exactly `decimals` digits after the point (0..17), rounded to nearest; negative
// zero is written as zero. NaN and the infinities, which no setting should hold, give "?".
std::string fixedText(double x, int decimals);

std::string formatClockTime(const Frame& frame);  // "7:05:09 Uhr"
std::string formatDate(const Frame& frame);       // "3.5.2026"
// Index 0 = Sunday.
inline constexpr std::array<std::string_view, 7> weekdayNames = {
    "Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};

std::string weekdayName(const Frame& frame);      // "Sonntag" ... "Samstag"

// ISO 8601 week number of a day index (days since 1970-01-01).
int isoWeekOfDay(std::int64_t dayIndex);
int calendarWeek(const Frame& frame);             // week of the displayed day
std::string calendarWeekText(const Frame& frame);  // "18.Woche"

// A time zone in hours with two decimals, one when the second is 0: "1.0", "5.5", "5.75".
std::string zoneHoursText(double hours);

// "Länge: 12°30'O, Breite: 48°25'N, Zeitzone: 1.0 WZ" (summer: "2.0 SZ"): the place in
// degrees and minutes, which is what its degrees.minutes value means.
std::string coordinatesLine(const Frame& frame);

}  // namespace dorvalen
