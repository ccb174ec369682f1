// --version for the command-line tools: anywhere on the command line it prints the program
// name and version and ends the run, as GNU tools do, whatever else was given.
#pragma once

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/version.h"
#include "tools/almanac.h"

namespace dorvalen {

// The exit code when --version was asked for; nothing otherwise.
inline std::optional<int> answerVersion(const std::vector<std::string>& args, const char* program) {
    if (std::find(args.begin(), args.end(), "--version") == args.end()) return std::nullopt;
    const bool written = std::printf("%s %s\n", program, programVersion) > 0;
    return written && std::fflush(stdout) == 0 ? exitOk : exitFailed;
}

}  // namespace dorvalen
