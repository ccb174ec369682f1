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
    if (options.help) return {exitOk, almanacUsage, ""};
    const Parsed<ClockSettings> loaded = loadToolSettings(options.settingsPath);
    if (!loaded.options) return failure(exitBadArguments, loaded.error);
    const ClockSettings& settings = *loaded.options;
    const Parsed<ShiftRota> rotaLoaded = loadToolRota(options.rotaPath, options.settingsPath);
    if (!rotaLoaded.options) return failure(exitBadArguments, rotaLoaded.error);
    const ShiftRota& rota = *rotaLoaded.options;

    std::string out;
    if (options.crew) {
        const std::optional<int> chosen = crewOfRota(rota, *options.crew);
        if (!chosen)
            return failure(exitBadArguments, "--crew: keine " + crewChoices(rota) + ": " +
                                                 printable(*options.crew));
        const int crew = *chosen;
        const std::vector<CrewShiftEntry> plan =
            crewPlan(settings, crew, options.from, options.days, rota);
        if (options.ics) {
            const std::optional<std::string> calendar =
                crewPlanIcs(plan, crew, nowUtcSeconds, rota);
            if (!calendar) return failure(exitFailed, "Kalenderdatei konnte nicht erzeugt werden");
            out = *calendar;
        } else {
            out = options.json
                      ? crewPlanJson(plan, rota)
                      : crewPlanText(plan, settings, crew, options.from, options.days, rota);
        }
    } else {
        const std::vector<DayRecord> records = computeAlmanac(settings, options, rota);
        out = options.json ? almanacJson(records, rota)
                           : almanacText(records, settings, options, rota);
    }

    if (!options.outPath) return {exitOk, out, ""};
    // Written beside the target and renamed over it: a failed run leaves no partial file.
    const WriteResult written = replaceFileContents(*options.outPath, out);
    if (!written.ok)
        return failure(exitBadArguments,
                       "--out " + printable(*options.outPath) + ": " + written.reason);
    return {exitOk, "", ""};
}

}  // namespace dorvalen
