// dorvalen-almanac: sun, twilight, moon, phase and crews of a run of days, as the clock
// computes them, for planning on paper (German table) or in a script (--json); and one
// crew's shifts as a list or as a calendar file for the phone (--crew, --ics).
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "tools/almanac.h"
#include "tools/version_option.h"

int main(int argc, char** argv) {
    // A reader that stops early (| head) makes the write fail with EPIPE, reported below as
    // exit 1, instead of killing the process with SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto code = dorvalen::answerVersion(args, "dorvalen-almanac")) return *code;
    const dorvalen::ToolRun run =
        dorvalen::runAlmanac(args, static_cast<std::int64_t>(std::time(nullptr)));
    if (!run.err.empty()) std::fputs(run.err.c_str(), stderr);
    if (run.out.empty()) return run.exitCode;
    // A full disk or a closed pipe must not look like success to a script.
    if (std::fwrite(run.out.data(), 1, run.out.size(), stdout) != run.out.size() ||
        std::fflush(stdout) != 0) {
        std::fputs("dorvalen-almanac: Ausgabe konnte nicht geschrieben werden\n", stderr);
        return dorvalen::exitFailed;
    }
    return run.exitCode;
}
