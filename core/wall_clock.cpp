// Reads the system's local time once per call.
#include "core/wall_clock.h"

#include <ctime>

namespace dorvalen {

LocalDateTime SystemWallClock::now() const {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     local.tm_sec > 59 ? 59 : local.tm_sec};
}

}  // namespace dorvalen
