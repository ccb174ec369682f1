// Command lines, settings and the per-day records of the companion tools. Every value comes
// from the clock's own functions over a ClockState pinned to the wall-clock reading the user
// asked for (displayedDay 0); this file only asks and prints.
#include "tools/almanac.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <functional>
#include <map>

#include "core/clock_state.h"
#include "core/conversions.h"
#include "rota/rota_tables.h"
#include "core/window_rules.h"
#include "astro/moon.h"
#include "astro/rise_set.h"
#include "core/calendar.h"
#include "core/face_texts.h"
#include "phases/phase_event.h"
#include "settings/files.h"
#include "settings/settings_file.h"

namespace dorvalen {

const char* const faceUsage =
    "Aufruf: dorvalen-face --at JJJJ-MM-TTTHH:MM:SS [--size 400] [--settings DATEI]"
    " [--coordinates] --out BILD.png\n"
    "Zeichnet das Ziffernblatt, das die Uhr zu dieser Ortszeit zeigt, als PNG-Bild.\n"
    "--out - schreibt das Bild auf die Standardausgabe.\n";

const char* const almanacUsage =
    "Aufruf: dorvalen-almanac --from JJJJ-MM-TT [--days 31] [--time 12:00:00]"
    " [--settings DATEI] [--json]\n"
    "Schreibt für jeden Tag Sonne, Dämmerung, Mond, Mondphase und Schichten.\n";

namespace {

// Echoed argument text must not break the one-line message.
std::string printable(const std::string& text) {
    std::string out = text.substr(0, 80);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
    return out;
}

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
    return seconds < 0 ? invalidDate : addToDate(day, dateUnitSeconds, seconds);
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

std::string countError(const char* option, const std::string& value, int low, int high,
                       int& target) {
    const std::int64_t n = digitsValue(value, 9);
    if (n < low || n > high)
        return std::string(option) + " muss eine ganze Zahl von " + intText(low) + " bis " +
               intText(high) + " sein, nicht " + printable(value);
    target = static_cast<int>(n);
    return "";
}

// Appending, not "0" + text: GCC 12 at -O2 warns falsely (-Wrestrict) on that form.
std::string twoDigits(int n) {
    std::string text = n < 10 ? "0" : "";
    text += intText(n);
    return text;
}

std::string isoDateOf(DateValue v) {
    const int year = yearOf(v);
    std::string yearText = intText(year);
    yearText.insert(0, yearText.size() < 4 ? 4 - yearText.size() : 0, '0');
    return yearText + "-" + twoDigits(monthOf(v)) + "-" + twoDigits(dayOf(v));
}

// Identifies which kind the clock's marker shows: the same searches in the same order give
// bit-identical instants, so exactly the matching kind reproduces the marked local MJD.
std::optional<PhaseOfDay> phaseOfDisplayedDay(const ClockState& state) {
    const double local = phaseEventOnDisplayedDay(state);
    if (local == 0.0) return std::nullopt;
    const std::int64_t mjd = truncToInt(local);
    if (mjd < 0 || mjd > INT32_MAX) return std::nullopt;
    for (PhaseKind kind : {PhaseKind::FullMoon, PhaseKind::LastQuarter, PhaseKind::NewMoon,
                           PhaseKind::FirstQuarter}) {
        const double candidate =
            jdeToLocalMjd(state, findPhaseInstant(state, kind), static_cast<std::int32_t>(mjd));
        if (candidate == local) return PhaseOfDay{kind, local, phaseTimeText(local)};
    }
    return std::nullopt;
}

// ---- Text table ----

// Display width of UTF-8 text: one column per code point (no wide characters occur here).
std::size_t columns(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string padded(const std::string& text, std::size_t width) {
    const std::size_t used = columns(text);
    return used >= width ? text + " " : text + std::string(width - used, ' ');
}

std::string rightAligned(const std::string& text, std::size_t width) {
    const std::size_t used = columns(text);
    return used >= width ? text : std::string(width - used, ' ') + text;
}

struct EventRow {
    const char* title;
    const char* riseWord;
    const char* setWord;
    const char* alwaysUp;    // neither crossing found, above the threshold
    const char* alwaysDown;  // neither crossing found, below it
};

// EventKind 1 .. 5. For the twilights "up" means the sun stays above that depth.
constexpr EventRow eventRows[5] = {
    {"Mond", "Aufgang", "Untergang", "immer über dem Horizont", "immer unter dem Horizont"},
    {"Sonne", "Aufgang", "Untergang", "immer über dem Horizont", "immer unter dem Horizont"},
    {"Bürgerliche Dämmerung", "Beginn", "Ende", "Sonne immer über −6°", "Sonne immer unter −6°"},
    {"Nautische Dämmerung", "Beginn", "Ende", "Sonne immer über −12°", "Sonne immer unter −12°"},
    {"Astronomische Dämmerung", "Beginn", "Ende", "Sonne immer über −18°",
     "Sonne immer unter −18°"},
};
// Printed sun first, then the twilights from light to dark, then the moon.
constexpr int eventPrintOrder[5] = {1, 2, 3, 4, 0};

constexpr std::size_t titleWidth = 26;
constexpr const char* notOnThisDay = "–";

std::string eventLine(const EventRow& row, const EventTimes& e) {
    std::string line = "  " + padded(row.title, titleWidth);
    // A search that found nothing at all tells from the state at its last step whether
    // the body stayed up or down all day.
    if (e.riseHours == 0.0 && e.setHours == 0.0)
        return line + (e.upAtLastStep ? row.alwaysUp : row.alwaysDown);
    const auto time = [](double h) { return h == 0.0 ? std::string(notOnThisDay) : hoursText(h); };
    return line + padded(row.riseWord, 8) + rightAligned(time(e.riseHours), 5) + "   " +
           padded(row.setWord, 10) + rightAligned(time(e.setHours), 5);
}

struct ShiftPeriod {
    const char* name;
    const char* start;
    ShiftCode code;
};

// The shift periods of a day as the face ring shows them: three 8-hour shifts, and on
// Sunday two 12-hour shifts (the Saturday night shift still begins at 21:45).
constexpr ShiftPeriod weekdayPeriods[3] = {
    {"Früh", "5:45", shiftEarly}, {"Spät", "13:45", shiftLate}, {"Nacht", "21:45", shiftNight}};
constexpr ShiftPeriod sundayPeriods[2] = {{"Tag", "5:45", shiftEarly},
                                          {"Nacht", "17:45", shiftNight}};

// Crew 0 .. 4 by the colour of its row in shiftColorTable.
constexpr const char* crewColourNames[crewCount] = {"Rot", "Blau", "Gelb", "Grün", "Orange"};

std::string crewLine(const DayRecord& record) {
    const bool sunday = record.weekdayFromSunday == 0;
    const ShiftPeriod* begin = sunday ? sundayPeriods : weekdayPeriods;
    const ShiftPeriod* end = sunday ? sundayPeriods + 2 : weekdayPeriods + 3;
    std::string line = "  " + padded("Schichten", titleWidth);
    for (const ShiftPeriod* p = begin; p != end; ++p) {
        const auto crew = std::find(record.crews.begin(), record.crews.end(), p->code);
        const std::string who =
            crew == record.crews.end()
                ? std::string(notOnThisDay)
                : intText(crew - record.crews.begin()) + " " +
                      crewColourNames[crew - record.crews.begin()];
        if (p != begin) line += "   ";
        line += std::string(p->name) + " " + p->start + ": " + who;
    }
    return line;
}

std::string germanPhaseName(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return "Neumond";
        case PhaseKind::FirstQuarter: return "Erstes Viertel";
        case PhaseKind::FullMoon: return "Vollmond";
        case PhaseKind::LastQuarter: return "Letztes Viertel";
    }
    return "";
}

std::string percentText(double fraction) {
    if (!std::isfinite(fraction)) return "?";
    return intText(roundToInt(fraction * 100.0)) + " %";
}

std::string timeOfDayText(int seconds) {
    const std::string hm = intText(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60);
    return seconds % 60 == 0 ? hm : hm + ":" + twoDigits(seconds % 60);
}

// ---- JSON ----

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 32) {
            const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

const char* jsonBool(bool b) { return b ? "true" : "false"; }

std::string jsonRecord(const DayRecord& r) {
    std::string out = "{\"date\": " + jsonString(r.isoDate) + ", \"weekday\": " +
                      jsonString(r.weekday) + ", \"calendarWeek\": " + intText(r.calendarWeek) +
                      ", \"summerTime\": " + jsonBool(r.summerTime) + ", \"events\": {";
    for (std::size_t k = 0; k < r.events.size(); ++k) {
        const EventTimes& e = r.events[k];
        out += (k == 0 ? "\"" : ", \"") + intText(static_cast<std::int64_t>(k) + 1) +
               "\": {\"riseHours\": " + jsonNumber(e.riseHours) +
               ", \"setHours\": " + jsonNumber(e.setHours) +
               ", \"upAtLastStep\": " + jsonBool(e.upAtLastStep) + "}";
    }
    out += "}, \"illuminatedFraction\": " + jsonNumber(r.illuminatedFraction) + ", \"phase\": ";
    if (r.phase)
        out += "{\"kind\": " + jsonString(phaseKindName(r.phase->kind)) +
               ", \"localMjd\": " + jsonNumber(r.phase->localMjd) +
               ", \"label\": " + jsonString(r.phase->label) + "}";
    else
        out += "null";
    out += ", \"crews\": {\"codes\": [";
    for (std::size_t i = 0; i < r.crews.size(); ++i)
        out += (i == 0 ? "" : ", ") + intText(r.crews[i]);
    return out + "]}}";
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
        {"--settings", true, [&](const std::string& v) { o.settingsPath = v; return std::string(); }},
        {"--coordinates", false, [&](const std::string&) { o.showCoordinates = true; return std::string(); }},
        {"--out", true,
         [&](const std::string& v) {
             o.outPath = v;
             return v.empty() ? std::string("--out braucht einen Dateinamen") : std::string();
         }},
    };
    const std::string error = applyOptions(args, rules, o.help);
    if (!error.empty()) return {std::nullopt, error};
    if (o.help) return {o, ""};
    if (!hasAt) return {std::nullopt, "--at fehlt (Zeitpunkt JJJJ-MM-TTTHH:MM:SS)"};
    if (o.outPath.empty()) return {std::nullopt, "--out fehlt (Name der PNG-Datei)"};
    return {o, ""};
}

Parsed<AlmanacOptions> parseAlmanacArguments(const std::vector<std::string>& args) {
    AlmanacOptions o;
    bool hasFrom = false;
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
             return o.timeSeconds < 0
                        ? "--time: keine gültige Uhrzeit HH:MM:SS: " + printable(v)
                        : std::string();
         }},
        {"--settings", true, [&](const std::string& v) { o.settingsPath = v; return std::string(); }},
        {"--json", false, [&](const std::string&) { o.json = true; return std::string(); }},
    };
    const std::string error = applyOptions(args, rules, o.help);
    if (!error.empty()) return {std::nullopt, error};
    if (o.help) return {o, ""};
    if (!hasFrom) return {std::nullopt, "--from fehlt (erster Tag JJJJ-MM-TT)"};
    // The last day at the chosen time must still be a date the calendar holds.
    if (addToDate(o.from, dateUnitDays, o.days - 1) == invalidDate)
        return {std::nullopt, "der Zeitraum reicht über den 31.12.9999 hinaus"};
    return {o, ""};
}

Parsed<ClockSettings> loadToolSettings(const std::optional<std::string>& path) {
    if (!path) return {loadSettings(), ""};
    const std::optional<std::string> bytes = readFilePrefix(*path);
    if (!bytes) return {std::nullopt, "Einstellungsdatei nicht lesbar: " + printable(*path)};
    return {parseSettings(*bytes), ""};
}

DayRecord computeDayRecord(const ClockSettings& settings, DateValue moment) {
    ClockState state;
    state.settings = settings;
    state.displayedDay = 0.0;
    state.now = moment;
    updateDisplayedDayIndex(state);  // as at the start of every frame

    DayRecord record;
    record.isoDate = isoDateOf(displayedMoment(state));
    record.dateText = formatDate(state);
    record.weekday = weekdayName(state);
    record.calendarWeek = calendarWeek(state);
    record.summerTime = isSummerTime(state, 0.0);
    for (std::size_t k = 0; k < record.events.size(); ++k) {
        const DayEvents e = computeDayEvents(state, static_cast<EventKind>(k + 1));
        record.events[k] = {e.riseHours, e.setHours, e.upAtLastStep};
    }
    record.illuminatedFraction = moonIlluminatedFraction(state, 0.0);
    record.phase = phaseOfDisplayedDay(state);
    record.crews = computeCrewShifts(state, state.displayedDayIndex);
    record.weekdayFromSunday = static_cast<int>(
        std::find(weekdayNames.begin(), weekdayNames.end(), record.weekday) - weekdayNames.begin());
    return record;
}

std::vector<DayRecord> computeAlmanac(const ClockSettings& settings, const AlmanacOptions& options) {
    std::vector<DayRecord> records;
    records.reserve(static_cast<std::size_t>(std::max(options.days, 0)));
    for (int day = 0; day < options.days; ++day) {
        const DateValue midnight = addToDate(options.from, dateUnitDays, day);
        if (midnight == invalidDate) break;
        records.push_back(
            computeDayRecord(settings, addToDate(midnight, dateUnitSeconds, options.timeSeconds)));
    }
    return records;
}

std::string phaseKindName(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return "NewMoon";
        case PhaseKind::FirstQuarter: return "FirstQuarter";
        case PhaseKind::FullMoon: return "FullMoon";
        case PhaseKind::LastQuarter: return "LastQuarter";
    }
    return "";
}

std::string jsonNumber(double x) {
    if (!std::isfinite(x)) return "null";
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 17);
    return error == std::errc() ? std::string(buffer, end) : "null";
}

std::string hoursText(double hours) {
    if (!std::isfinite(hours) || hours < 0.0 || hours > 48.0) return "?";
    const std::int64_t minutes = roundToInt(hours * 60.0);
    return intText(minutes / 60) + ":" + twoDigits(static_cast<int>(minutes % 60));
}

std::string almanacJson(const std::vector<DayRecord>& records) {
    std::string out = "[";
    for (std::size_t i = 0; i < records.size(); ++i)
        out += (i == 0 ? "\n  " : ",\n  ") + jsonRecord(records[i]);
    return out + "\n]\n";
}

std::string almanacText(const std::vector<DayRecord>& records, const ClockSettings& settings,
                        const AlmanacOptions& options) {
    std::string out = "Almanach für " + settings.placeName + " (Länge " +
                      fixedText(std::fabs(settings.longitude), 2) +
                      (settings.longitude > 0 ? "° West" : "° Ost") + ", Breite " +
                      fixedText(std::fabs(settings.latitude), 2) +
                      (settings.latitude < 0 ? "° Süd" : "° Nord") + ", Zeitzone " +
                      fixedText(settings.timeZone, 1) + ")\n" +
                      "Zeiten in Uhrzeit des Ortes; " + notOnThisDay +
                      " = fällt nicht auf diesen Tag.\n";
    for (const DayRecord& r : records) {
        out += "\n" + r.weekday + ", " + r.dateText + ", " + intText(r.calendarWeek) + ".Woche, " +
               (r.summerTime ? "Sommerzeit" : "Winterzeit") + "\n";
        for (int k : eventPrintOrder)
            out += eventLine(eventRows[k], r.events[static_cast<std::size_t>(k)]) + "\n";
        out += "  " + padded("Mond beleuchtet", titleWidth) + percentText(r.illuminatedFraction) +
               " um " + timeOfDayText(options.timeSeconds) + " Uhr\n";
        if (r.phase)
            out += "  " + padded("Mondphase", titleWidth) + germanPhaseName(r.phase->kind) +
                   " um " + r.phase->label + " Uhr\n";
        out += crewLine(r) + "\n";
    }
    return out;
}

ToolRun runAlmanac(const std::vector<std::string>& args) {
    const std::string prefix = "dorvalen-almanac: ";
    const Parsed<AlmanacOptions> parsed = parseAlmanacArguments(args);
    if (!parsed.options) return {exitBadArguments, "", prefix + parsed.error + "\n"};
    const AlmanacOptions& options = *parsed.options;
    if (options.help) return {exitOk, almanacUsage, ""};
    const Parsed<ClockSettings> settings = loadToolSettings(options.settingsPath);
    if (!settings.options) return {exitBadArguments, "", prefix + settings.error + "\n"};
    const std::vector<DayRecord> records = computeAlmanac(*settings.options, options);
    return {exitOk,
            options.json ? almanacJson(records) : almanacText(records, *settings.options, options),
            ""};
}

}  // namespace dorvalen
