// libFuzzer target for dorvalen-face's argument parser: any arguments give either options
// within the tool's limits or one line of error text, never both and never a crash.
#include <cstdint>
#include <cstdlib>

#include "core/calendar.h"
#include "core/window_rules.h"
#include "fuzz/fuzz_args.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorvalen;
    const Parsed<FaceOptions> parsed = parseFaceArguments(argumentsOf(data, size));
    const FaceOptions* options = checkedOptions(parsed);
    if (options == nullptr) return 0;
    const FaceOptions& o = *options;
    if (o.at == invalidDate || yearOf(o.at) < 1970 || o.outPath.empty()) std::abort();
    if (o.size < smallestClientSide || o.size > largestClientSideCap) std::abort();
    return 0;
}
