// libFuzzer target for the settings dialog's field rules. The first byte picks the rule,
// the rest is the typed text (or, for the reader's limits, the bytes of a double):
//   - a coordinate comes back finite, within its bound, and unchanged when its own shown
//     text is read again (leaving the field twice changes nothing);
//   - a time zone comes back finite within -12..14;
//   - a cut name is a prefix of at most 50 characters;
//   - the reader's limits give values the dialog allows and change those again no more.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "settings/field_rules.h"

namespace {

using namespace dorvalen;

void checkAngle(std::string_view text, double bound) {
    const double x = parseAngleField(text, bound);
    if (!std::isfinite(x) || std::fabs(x) > bound) std::abort();
    if (parseAngleField(formatFieldNumber(x, 2), bound) != x) std::abort();
}

void checkLimits(double raw) {
    for (const double bound : {longitudeBound, latitudeBound}) {
        const double x = angleWithinDialogLimits(raw, bound);
        if (!(std::fabs(x) <= bound) || angleWithinDialogLimits(x, bound) != x) std::abort();
    }
    const double zone = timeZoneWithinDialogLimits(raw);
    if (!(std::fabs(zone) <= maxTimeZoneHours) || timeZoneWithinDialogLimits(zone) != zone)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    switch (data[0] % 4) {
        case 0:
            checkAngle(text, longitudeBound);
            checkAngle(text, latitudeBound);
            break;
        case 1: {
            const double zone = parseTimeZoneField(text);
            if (!(zone >= minTimeZoneHours && zone <= maxTimeZoneHours)) std::abort();
            break;
        }
        case 2: {
            const std::string cut = cutPlaceName(text);
            if (characterCount(cut) > maxPlaceNameLength || text.substr(0, cut.size()) != cut)
                std::abort();
            break;
        }
        case 3: {
            double raw = 0.0;
            std::memcpy(&raw, text.data(), std::min(text.size(), sizeof raw));
            checkLimits(raw);
            break;
        }
    }
    return 0;
}
