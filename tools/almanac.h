// The almanac program over the clock's own functions, in four parts:
//   1. tool_arguments.h turns a command line into options or one line of error text and
//      reads the settings file with the clock's reader.
//   2. day_record.h asks the clock's functions about one local day.
//   3. almanac_text.h / almanac_json.h print the records.
//   4. crew_plan.h / ics_export.h give one crew's shifts as a list or a calendar file.
//   5. runAlmanac here is the whole program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/almanac_json.h"
#include "tools/almanac_text.h"
#include "tools/crew_plan.h"
#include "tools/day_record.h"
#include "tools/ics_export.h"
#include "tools/tool_arguments.h"

namespace dorvalen {

struct ToolRun {
    int exitCode = exitOk;
    std::string out;  // for standard output
    std::string err;  // for standard error: empty or one line
};

// The whole almanac program over its arguments (without the program name); nowUtcSeconds
// is the moment of the run (the DTSTAMP of an exported calendar).
ToolRun runAlmanac(const std::vector<std::string>& args, std::int64_t nowUtcSeconds);

}  // namespace dorvalen
