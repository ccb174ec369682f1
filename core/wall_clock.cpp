// Reads the system's local time once per call, in the zone the system has at that moment.
#include "core/wall_clock.h"

#include <ctime>

namespace dorvalen {

LocalDateTime SystemWallClock::now() const {
    // localtime_r keeps the zone it first read; tzset reads TZ again and, without TZ, looks
    // whether /etc/localtime changed (one stat), so a new system zone shows at the next tick.
    tzset();
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec > 59 ? 59 : local.tm_sec};
}

}  // namespace dorvalen
