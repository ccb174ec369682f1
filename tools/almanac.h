// The companion tools' own logic, kept free of Qt so it is tested like the rest of the core:
//   1. parseFaceArguments / parseAlmanacArguments turn a command line into options or one
//      line of error text.
//   2. loadToolSettings reads a settings file with the clock's own reader.
//   3. computeDayRecord asks the clock's functions about one local day, as the clock would
//      see it with its wall clock reading that day at the chosen time and displayedDay 0.
//   4. almanacText / almanacJson print the records; runAlmanac is the whole almanac program.
// Nothing here computes a date, a rise time, a phase or a crew by itself.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/date_value.h"
#include "rota/shift_rota.h"
#include "phases/phase_instants.h"
#include "core/settings.h"

namespace dorvalen {

// Exit codes of both tools.
inline constexpr int exitOk = 0;
inline constexpr int exitFailed = 1;      // the output could not be written
inline constexpr int exitBadArguments = 2;

inline constexpr int defaultFaceSize = 400;
inline constexpr int defaultAlmanacDays = 31;
inline constexpr int maxAlmanacDays = 3660;
inline constexpr int defaultAlmanacTimeSeconds = 12 * 3600;

struct FaceOptions {
    DateValue at = invalidDate;              // the pinned local date-time
    int size = defaultFaceSize;              // client side in pixels, 205 .. 32000
    double scale = 1.0;                      // device pixels per logical pixel, 0.5 .. 8
    std::optional<std::string> settingsPath;  // none: "Dorvalen.dat", defaults when missing
    bool showCoordinates = false;
    std::string outPath;
    bool help = false;
};

struct AlmanacOptions {
    DateValue from = invalidDate;  // local midnight of the first day
    int days = defaultAlmanacDays;
    int timeSeconds = defaultAlmanacTimeSeconds;  // wall-clock time of day for every day
    std::optional<std::string> settingsPath;
    bool json = false;
    bool help = false;
};

// Exactly one of `options` and `error` is set (error: one line, no newline).
template <typename Options>
struct Parsed {
    std::optional<Options> options;
    std::string error;
};

// args: the command line without the program name.
Parsed<FaceOptions> parseFaceArguments(const std::vector<std::string>& args);
Parsed<AlmanacOptions> parseAlmanacArguments(const std::vector<std::string>& args);

extern const char* const faceUsage;
extern const char* const almanacUsage;

// A path given on the command line must be readable; without one the clock's default file
// is read, and a missing default file gives the defaults, as in the clock.
Parsed<ClockSettings> loadToolSettings(const std::optional<std::string>& path);

struct EventTimes {
    double riseHours = 0.0;
    double setHours = 0.0;
    bool upAtLastStep = false;
};

struct PhaseOfDay {
    PhaseKind kind = PhaseKind::NewMoon;
    double localMjd = 0.0;
    std::string label;  // "H:MM"
};

// Everything the almanac says about one local calendar day.
struct DayRecord {
    std::string isoDate;     // "2024-03-20"
    std::string dateText;    // "20.3.2024", as the face writes it
    std::string weekday;     // "Mittwoch"
    int calendarWeek = 0;
    bool summerTime = false;
    std::array<EventTimes, 5> events{};  // EventKind 1 .. 5 at index 0 .. 4
    double illuminatedFraction = 0.0;    // at the chosen time of day
    std::optional<PhaseOfDay> phase;
    CrewShifts crews{};
    int weekdayFromSunday = 0;  // 0 = Sunday .. 6 = Saturday, picks the shift periods
};

// moment: the wall-clock reading (local date-time) the clock is pinned to.
DayRecord computeDayRecord(const ClockSettings& settings, DateValue moment);

std::vector<DayRecord> computeAlmanac(const ClockSettings& settings, const AlmanacOptions& options);

std::string phaseKindName(PhaseKind kind);  // "NewMoon" ...
// 17 significant digits, '.' whatever the locale; NaN and the infinities give null.
std::string jsonNumber(double x);
// Local clock hours as "H:MM", rounded to the minute; "?" for what is not a number.
std::string hoursText(double hours);

std::string almanacJson(const std::vector<DayRecord>& records);
std::string almanacText(const std::vector<DayRecord>& records, const ClockSettings& settings,
                        const AlmanacOptions& options);

struct ToolRun {
    int exitCode = exitOk;
    std::string out;  // for standard output
    std::string err;  // for standard error: empty or one line
};

// The whole almanac program over its arguments (without the program name).
ToolRun runAlmanac(const std::vector<std::string>& args);

}  // namespace dorvalen
