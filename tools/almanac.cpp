// The almanac program: arguments, settings, the day records and one printed form.
#include "tools/almanac.h"

namespace dorvalen {

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
