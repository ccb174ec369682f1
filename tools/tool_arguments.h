// Command lines of the companion tools: options or one line of error text, and the settings
// file the tools read with the clock's own reader.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/date_value.h"
#include "core/settings.h"
#include "rota/rota.h"

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
    std::optional<std::string> rotaPath;      // none: Schichtplan.txt beside the settings
    bool showCoordinates = false;
    std::string outPath;
    bool help = false;
};

struct AlmanacOptions {
    DateValue from = invalidDate;  // local midnight of the first day
    int days = defaultAlmanacDays;
    int timeSeconds = defaultAlmanacTimeSeconds;  // wall-clock time of day for every day
    std::optional<std::string> settingsPath;
    std::optional<std::string> rotaPath;  // none: Schichtplan.txt beside the settings
    bool json = false;
    // That crew's own plan instead of the day table, as typed: a number or colour name of the
    // built-in rota, or a file's crew name; checked against the rota in force (crewOfRota).
    std::optional<std::string> crew;
    bool ics = false;         // the crew's plan as an iCalendar file
    std::optional<std::string> outPath;  // none: standard output
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

// Where the tools look for Schichtplan.txt (and the stored rota choice) when no --rota
// names a file: beside the settings file they read (the --settings path, or the default
// settings file). The one place that knows that folder.
std::string toolRotaPath(const std::optional<std::string>& settingsPath, const char* name);

// The rota in force for a tool: the --rota file, which must exist; else the built-in rota
// when the clock's dialog chose it; else the rota file beside the settings, or the built-in
// rota when there is none. A refused file is the error (its one line), never the built-in
// rota in silence.
Parsed<ShiftRota> loadToolRota(const std::optional<std::string>& rotaPath,
                               const std::optional<std::string>& settingsPath);

}  // namespace dorvalen
