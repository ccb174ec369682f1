// libFuzzer target for the settings reader: any bytes must parse without a crash into a
// record within the dialog's limits, and what was parsed must survive formatSettings ->
// parseSettings unchanged (NaN equal to NaN).
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "settings/field_rules.h"
#include "settings/settings_file.h"

namespace {

bool sameDouble(double a, double b) {
    return (std::isnan(a) && std::isnan(b)) ||
           std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

bool sameSettings(const dorvalen::ClockSettings& a, const dorvalen::ClockSettings& b) {
    return a.placeName == b.placeName && sameDouble(a.longitude, b.longitude) &&
           sameDouble(a.latitude, b.latitude) && sameDouble(a.timeZone, b.timeZone) &&
           a.autoSummerTime == b.autoSummerTime && a.twilightKind == b.twilightKind &&
           a.alwaysOnTop == b.alwaysOnTop && a.showShiftColors == b.showShiftColors &&
           a.dialColor == b.dialColor && a.showSecondsHand == b.showSecondsHand;
}

// What the dialog could have stored; NaN fails every comparison.
bool withinDialogLimits(const dorvalen::ClockSettings& s) {
    using namespace dorvalen;
    return std::fabs(s.longitude) <= longitudeBound && std::fabs(s.latitude) <= latitudeBound &&
           std::fabs(s.timeZone) <= maxTimeZoneHours &&
           characterCount(s.placeName) <= maxPlaceNameLength;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const dorvalen::ClockSettings parsed = dorvalen::parseSettings(bytes);
    if (!withinDialogLimits(parsed)) {
        std::fprintf(stderr, "a value beyond the dialog's limits was read\n");
        std::abort();
    }
    const std::string written = dorvalen::formatSettings(parsed);
    const dorvalen::ClockSettings reread = dorvalen::parseSettings(written);
    if (!sameSettings(parsed, reread) || dorvalen::formatSettings(reread) != written) {
        std::fprintf(stderr, "settings did not survive a save and load:\n%s\n", written.c_str());
        std::abort();
    }
    return 0;
}
