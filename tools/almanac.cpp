// The almanac program: arguments, settings, then the day table or one crew's plan, printed
// or written whole to a file.
#include "tools/almanac.h"

#include "settings/files.h"
#include "tools/tool_text.h"

namespace dorvalen {

namespace {

const std::string prefix = "dorvalen-almanac: ";

ToolRun failure(int exitCode, const std::string& message) {
    return {exitCode, "", prefix + message + "\n"};
}

}  // namespace

ToolRun runAlmanac(const std::vector<std::string>& args, std::int64_t nowUtcSeconds) {
    const Parsed<AlmanacOptions> parsed = parseAlmanacArguments(args);
    if (!parsed.options) return failure(exitBadArguments, parsed.error);
    const AlmanacOptions& options = *parsed.options;
    const SettingsLocation location = toolSettingsLocation(options.settingsPath);
    if (options.help) return {exitOk, almanacUsage + location.description() + "\n", ""};
    const Parsed<ClockSettings> loaded = loadToolSettings(location);
    if (!loaded.options) return failure(exitBadArguments, loaded.error);
    const ClockSettings& settings = *loaded.options;

    std::string out;
    if (options.crew) {
        const int crew = *options.crew;
        const std::vector<CrewShiftEntry> plan = crewPlan(settings, crew, options.from, options.days);
        if (options.ics && plan.empty())
            return failure(exitBadArguments, "keine Schicht von " + crewTitle(crew) +
                                                 " in diesem Zeitraum, also keine Kalenderdatei");
        if (options.ics) {
            const std::optional<std::string> calendar = crewPlanIcs(plan, crew, nowUtcSeconds);
            if (!calendar) return failure(exitFailed, "Kalenderdatei konnte nicht erzeugt werden");
            out = *calendar;
        } else {
            out = options.json ? crewPlanJson(plan)
                               : crewPlanText(plan, settings, crew, options.from, options.days);
        }
    } else {
        const std::vector<DayRecord> records = computeAlmanac(settings, options);
        out = options.json ? almanacJson(records) : almanacText(records, settings, options);
    }
    // The tables say under their title which settings they were computed from.
    if (!options.json && !options.ics) out.insert(out.find('\n') + 1, location.description() + "\n");

    if (!options.outPath) return {exitOk, out, ""};
    // Written beside the target and renamed over it: a failed run leaves no partial file.
    const WriteResult written = replaceFileContents(*options.outPath, out);
    if (!written.ok)
        return failure(exitBadArguments,
                       "--out " + printable(*options.outPath) + ": " + written.reason);
    return {exitOk, "", ""};
}

}  // namespace dorvalen
