// libFuzzer target for the rota file's reader: any bytes are either refused with one line
// naming a line of the file, or give a rota within the reader's bounds whose days and
// ring plan stay in range, also far before Beginn and with huge offsets.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

#include "core/calendar.h"
#include "rota/rota.h"

namespace {

void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dorvalen;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const RotaReadResult read = readRotaFile(bytes, size > 0 && data[0] == '!');
    if (!read.ok) {
        if (read.error.rfind("Schichtplan.txt, Zeile ", 0) != 0) fail("a refusal without its line");
        if (read.error.find('\n') != std::string::npos) fail("a refusal of more than one line");
        if (!read.rota.crews.empty() || !read.rota.pattern.empty())
            fail("a refused file left a plan");
        return 0;
    }
    const RotaFile& rota = read.rota;
    if (rota.crews.empty() || rota.crews.size() > maxRotaCrews) fail("crews out of bounds");
    if (rota.pattern.empty() || rota.pattern.size() > maxRotaPatternDays)
        fail("cycle out of bounds");
    for (const RotaShiftKind& kind : rota.shifts)
        if (kind.startMinutes < 0 || kind.startMinutes >= 1440 || kind.lengthMinutes < 1 ||
            kind.lengthMinutes > 1440)
            fail("a shift out of bounds");

    const auto shared = std::make_shared<const RotaFile>(rota);
    const ShiftRota model(shared);
    for (std::int32_t day : {0, 1, 20000, 2932000}) {
        for (const WorkedShift& s : model.shiftsBeginningOn(day)) {
            if (s.crew < 0 || s.crew >= model.crewCount() || model.fileKind(s) == nullptr)
                fail("a shift of no crew or kind");
            if (s.end <= s.start || s.end - s.start > 86400)
                fail("a shift of no or over a day's length");
        }
    }
    ClockState state;
    state.rotaFile = shared;
    state.now = makeDate(2027, 3, 28, 3, 30, 0);
    const ShiftRingPlan plan = planShiftRing(state);
    for (const CrewArc& arc : plan.arcs)
        if (arc.fromSeconds < 0 || arc.fromSeconds >= arc.toSeconds || arc.toSeconds > 86400)
            fail("an arc outside the ring's day");
    return 0;
}
