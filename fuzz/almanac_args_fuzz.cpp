// libFuzzer target for dorvalen-almanac's argument parser: any arguments give either a
// range of days the calendar holds or one line of error text, never both and never a crash.
#include <cstdint>
#include <cstdlib>

#include "core/calendar.h"
#include "fuzz/fuzz_args.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorvalen;
    const Parsed<AlmanacOptions> parsed = parseAlmanacArguments(argumentsOf(data, size));
    const AlmanacOptions* options = checkedOptions(parsed);
    if (options == nullptr) return 0;
    const AlmanacOptions& o = *options;
    if (o.days < 1 || o.days > maxAlmanacDays) std::abort();
    if (o.timeSeconds < 0 || o.timeSeconds >= 86400) std::abort();
    // Every day of the range, at the chosen time, is a date the calendar holds.
    const DateValue last = addToDate(o.from, DateUnit::Days, o.days - 1);
    if (o.from == invalidDate || addToDate(last, DateUnit::Seconds, o.timeSeconds) == invalidDate)
        std::abort();
    return 0;
}
