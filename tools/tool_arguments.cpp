// Command lines of the companion tools. Every option is named, given at most once and
// checked in full, so a typo never silently falls back to a default.
#include "tools/tool_arguments.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <functional>
#include <map>

#include "core/calendar.h"
#include "core/conversions.h"
#include "core/face_texts.h"
#include "core/window_rules.h"
#include "settings/files.h"
#include "settings/settings_file.h"
#include "tools/crew_plan.h"
#include "tools/tool_text.h"

namespace dorvalen {

const char* const faceUsage =
    "Aufruf: dorvalen-face --at JJJJ-MM-TTTHH:MM:SS [--size 400] [--scale 1]"
    " [--settings DATEI] [--rota DATEI] [--coordinates] --out BILD.png\n"
    "Zeichnet das Ziffernblatt, das die Uhr zu dieser Ortszeit zeigt, als PNG-Bild;\n"
    "--scale: Bildpunkte je Fensterpunkt eines skalierten Bildschirms (0.5 bis 8);\n"
    "--out - schreibt das Bild auf die Standardausgabe.\n";

const char* const almanacUsage =
    "Aufruf: dorvalen-almanac --from JJJJ-MM-TT [--days 31] [--time 12:00:00]"
    " [--settings DATEI] [--rota DATEI] [--json] [--out DATEI]\n"
    "        dorvalen-almanac --crew N --from JJJJ-MM-TT [--days 31] [--settings DATEI]"
    " [--rota DATEI] [--json | --ics] [--out DATEI]\n"
    "Schreibt für jeden Tag Sonne, Dämmerung, Mond, Mondphase und Schichten; mit --crew"
    " (0 bis 4 oder Rot, Blau, Gelb, Grün, Orange; bei einem Schichtplan der Name der"
    " Gruppe) die Schichten dieser Crew, mit --ics als Kalenderdatei.\n"
    "Der Schichtplan ist Schichtplan.txt neben der Einstellungsdatei, sonst der eingebaute;"
    " --rota nimmt eine andere Datei.\n";

namespace {

// 1..maxDigits decimal digits, nothing else (no sign, no blanks); -1 otherwise.
std::int64_t digitsValue(const std::string& text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return -1;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A device pixel ratio such as "1.5": the whole text is one finite number within the
// ratios the clock draws at.
std::string scaleError(const std::string& value, double& target) {
    double ratio = 0.0;
    const char* end = value.data() + value.size();
    const auto [stop, fault] = std::from_chars(value.data(), end, ratio);
    if (fault != std::errc() || stop != end || !isDrawablePixelRatio(ratio))
        return "--scale muss eine Zahl von 0.5 bis 8 sein, nicht " + printable(value);
    target = ratio;
    return "";
}

// "YYYY-MM-DD" as local midnight; -1 when the day does not exist.
DateValue parseDate(const std::string& text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return invalidDate;
    const std::int64_t year = digitsValue(text.substr(0, 4), 4);
    const std::int64_t month = digitsValue(text.substr(5, 2), 2);
    const std::int64_t day = digitsValue(text.substr(8, 2), 2);
    if (year < 0 || month < 0 || day < 0) return invalidDate;
    return makeDate(year, month, day, 0, 0, 0);
}

// "H:MM:SS" or "H:MM" (hours with one or two digits) as seconds after midnight, or -1.
int parseTimeOfDay(const std::string& text) {
    std::vector<std::string> parts{""};
    for (char c : text) {
        if (c == ':')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    if (parts.size() < 2 || parts.size() > 3) return -1;
    if (parts.size() == 2) parts.emplace_back("00");
    const std::int64_t hour = digitsValue(parts[0], 2);
    const std::int64_t minute = parts[1].size() == 2 ? digitsValue(parts[1], 2) : -1;
    const std::int64_t second = parts[2].size() == 2 ? digitsValue(parts[2], 2) : -1;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return -1;
    return static_cast<int>(hour * 3600 + minute * 60 + second);
}

// "YYYY-MM-DDTHH:MM:SS" as a DateValue, or -1.
DateValue parseDateTime(const std::string& text) {
    if (text.size() != 19 || text[10] != 'T') return invalidDate;
    const DateValue day = parseDate(text.substr(0, 10));
    const std::string clock = text.substr(11);
    if (day == invalidDate || clock[2] != ':' || clock[5] != ':') return invalidDate;
    const int seconds = parseTimeOfDay(clock);
    return seconds < 0 ? invalidDate : addToDate(day, DateUnit::Seconds, seconds);
}

// One option of a tool: a flag, or an option that takes the next argument as its value.
// The handler returns an error text, or "" when the value is good.
struct OptionRule {
    const char* name;
    bool takesValue;
    std::function<std::string(const std::string& value)> apply;
};

// Walks the arguments once; an option given twice, an unknown one or a missing value is an
// error, so a typo never silently falls back to a default.
std::string applyOptions(const std::vector<std::string>& args, const std::vector<OptionRule>& rules,
                         bool& help) {
    std::map<std::string, bool> seen;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            help = true;
            continue;
        }
        const auto rule = std::find_if(rules.begin(), rules.end(),
                                       [&](const OptionRule& r) { return arg == r.name; });
        if (rule == rules.end()) return "unbekannte Angabe: " + printable(arg);
        if (seen[arg]) return arg + " ist doppelt angegeben";
        seen[arg] = true;
        std::string value;
        if (rule->takesValue) {
            if (i + 1 >= args.size()) return arg + " braucht einen Wert";
            value = args[++i];
        }
        std::string error = rule->apply(value);
        if (!error.empty()) return error;
    }
    return "";
}

OptionRule settingsOption(std::optional<std::string>& path) {
    return {"--settings", true, [&path](const std::string& v) { path = v; return std::string(); }};
}

OptionRule rotaOption(std::optional<std::string>& path) {
    return {"--rota", true, [&path](const std::string& v) {
                path = v;
                return v.empty() ? std::string("--rota braucht einen Dateinamen") : std::string();
            }};
}

// Target: a std::string or a std::optional<std::string>.
template <typename Target>
OptionRule outOption(Target& path) {
    return {"--out", true, [&path](const std::string& v) {
                path = v;
                return v.empty() ? std::string("--out braucht einen Dateinamen") : std::string();
            }};
}

std::string countError(const char* option, const std::string& value, int low, int high,
                       int& target) {
    const std::int64_t n = digitsValue(value, 9);
    if (n < low || n > high)
        return std::string(option) + " muss eine ganze Zahl von " + intText(low) + " bis " +
               intText(high) + " sein, nicht " + printable(value);
    target = static_cast<int>(n);
    return "";
}

}  // namespace

Parsed<FaceOptions> parseFaceArguments(const std::vector<std::string>& args) {
    FaceOptions o;
    bool hasAt = false;
    const std::vector<OptionRule> rules = {
        {"--at", true,
         [&](const std::string& v) {
             o.at = parseDateTime(v);
             hasAt = true;
             return o.at == invalidDate
                        ? "--at: kein gültiger Zeitpunkt JJJJ-MM-TTTHH:MM:SS (1970 bis 9999): " +
                              printable(v)
                        : std::string();
         }},
        {"--size", true,
         [&](const std::string& v) {
             return countError("--size", v, smallestClientSide, largestClientSideCap, o.size);
         }},
        {"--scale", true, [&](const std::string& v) { return scaleError(v, o.scale); }},
        settingsOption(o.settingsPath),
        rotaOption(o.rotaPath),
        {"--coordinates", false, [&](const std::string&) { o.showCoordinates = true; return std::string(); }},
        outOption(o.outPath),
    };
    const std::string error = applyOptions(args, rules, o.help);
    if (!error.empty()) return {std::nullopt, error};
    if (o.help) return {o, ""};
    if (!hasAt) return {std::nullopt, "--at fehlt (Zeitpunkt JJJJ-MM-TTTHH:MM:SS)"};
    if (o.outPath.empty()) return {std::nullopt, "--out fehlt (Name der PNG-Datei)"};
    // Past the largest face the picture would silently be smaller than asked for.
    const int r = clockRadiusFor(o.size, o.size, largestClientSideCap);
    if (roundToInt(r * o.scale) > largestDeviceRadius)
        return {std::nullopt, "--size mal --scale ergibt ein Bild über " +
                                  intText(largestClientSideCap) + " Bildpunkte"};
    return {o, ""};
}

Parsed<AlmanacOptions> parseAlmanacArguments(const std::vector<std::string>& args) {
    AlmanacOptions o;
    bool hasFrom = false;
    bool hasTime = false;
    const std::vector<OptionRule> rules = {
        {"--from", true,
         [&](const std::string& v) {
             o.from = parseDate(v);
             hasFrom = true;
             return o.from == invalidDate
                        ? "--from: kein gültiges Datum JJJJ-MM-TT (1970 bis 9999): " + printable(v)
                        : std::string();
         }},
        {"--days", true,
         [&](const std::string& v) { return countError("--days", v, 1, maxAlmanacDays, o.days); }},
        {"--time", true,
         [&](const std::string& v) {
             o.timeSeconds = parseTimeOfDay(v);
             hasTime = true;
             return o.timeSeconds < 0
                        ? "--time: keine gültige Uhrzeit HH:MM:SS: " + printable(v)
                        : std::string();
         }},
        settingsOption(o.settingsPath),
        rotaOption(o.rotaPath),
        {"--json", false, [&](const std::string&) { o.json = true; return std::string(); }},
        {"--crew", true,
         [&](const std::string& v) {
             o.crew = v;
             return v.empty() ? std::string("--crew braucht eine Crew") : std::string();
         }},
        {"--ics", false, [&](const std::string&) { o.ics = true; return std::string(); }},
        outOption(o.outPath),
    };
    const std::string error = applyOptions(args, rules, o.help);
    if (!error.empty()) return {std::nullopt, error};
    if (o.help) return {o, ""};
    if (!hasFrom) return {std::nullopt, "--from fehlt (erster Tag JJJJ-MM-TT)"};
    if (o.ics && !o.crew) return {std::nullopt, "--ics braucht --crew (welche Crew)"};
    if (o.ics && o.json) return {std::nullopt, "--ics und --json schließen einander aus"};
    if (o.crew && hasTime) return {std::nullopt, "--time gilt nicht für den Schichtplan (--crew)"};
    // The last day at the chosen time must still be a date the calendar holds; a crew's
    // last night ends on the day after it.
    const int lastOffset = o.crew ? o.days : o.days - 1;
    if (addToDate(o.from, DateUnit::Days, lastOffset) == invalidDate)
        return {std::nullopt, o.crew ? "der Schichtplan reicht über den 30.12.9999 hinaus"
                                     : "der Zeitraum reicht über den 31.12.9999 hinaus"};
    return {o, ""};
}

Parsed<ClockSettings> loadToolSettings(const std::optional<std::string>& path) {
    if (!path) return {loadSettings(), ""};
    const std::optional<std::string> bytes = readFilePrefix(*path);
    if (!bytes) return {std::nullopt, "Einstellungsdatei nicht lesbar: " + printable(*path)};
    return {parseSettings(*bytes), ""};
}

std::string toolRotaPath(const std::optional<std::string>& settingsPath, const char* name) {
    return siblingPath(settingsPath.value_or(settingsFileName), name);
}

Parsed<ShiftRota> loadToolRota(const std::optional<std::string>& rotaPath,
                               const std::optional<std::string>& settingsPath) {
    // The clock's dialog may have chosen the built-in rota over the file beside it.
    if (!rotaPath &&
        readRotaChoice(toolRotaPath(settingsPath, rotaChoiceFileName)) == RotaChoice::BuiltIn)
        return {ShiftRota(), ""};
    const RotaLoad load = loadRotaFile(rotaPath.value_or(toolRotaPath(settingsPath, rotaFileName)));
    switch (load.status) {
        case RotaLoad::Status::Read: return {ShiftRota(load.rota), ""};
        case RotaLoad::Status::Refused: return {std::nullopt, load.error};
        case RotaLoad::Status::Missing: break;
    }
    if (rotaPath) return {std::nullopt, "Schichtplan nicht gefunden: " + printable(*rotaPath)};
    return {ShiftRota(), ""};
}

}  // namespace dorvalen
