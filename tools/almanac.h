// The almanac program over the clock's own functions, in four parts:
//   1. tool_arguments.h turns a command line into options or one line of error text and
//      reads the settings file with the clock's reader.
//   2. day_record.h asks the clock's functions about one local day.
//   3. almanac_text.h / almanac_json.h print the records.
//   4. runAlmanac here is the whole program.
#pragma once

#include <string>
#include <vector>

#include "tools/almanac_json.h"
#include "tools/almanac_text.h"
#include "tools/day_record.h"
#include "tools/tool_arguments.h"

namespace dorvalen {

struct ToolRun {
    int exitCode = exitOk;
    std::string out;  // for standard output
    std::string err;  // for standard error: empty or one line
};

// The whole almanac program over its arguments (without the program name).
ToolRun runAlmanac(const std::vector<std::string>& args);

}  // namespace dorvalen
