// The system wall clock follows a change of the time zone while the program runs.
#include "core/wall_clock.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace dorvalen {
namespace {

int minuteOfDay(const LocalDateTime& t) { return t.hour * 60 + t.minute; }

// TZ changed in-process stands for a laptop that travelled or a user who fixed the zone:
// the next reading must be in the new zone, not the one of the first reading.
TEST(SystemWallClock, TheNextReadingAfterAZoneChangeIsInTheNewZone) {
    const char* saved = std::getenv("TZ");
    const std::string before = saved != nullptr ? saved : "";
    const SystemWallClock clock;
    const struct {
        const char* zone;
        int minutesEastOfUtc;
    } rows[] = {{"UTC0", 0}, {"<+0530>-5:30", 330}, {"<-07>7", -420}, {"UTC0", 0}};
    for (int attempt = 0; attempt < 3; ++attempt) {
        setenv("TZ", "UTC0", 1);
        const LocalDateTime utc = clock.now();
        bool sameSecond = true;
        for (const auto& row : rows) {
            setenv("TZ", row.zone, 1);
            const LocalDateTime local = clock.now();
            sameSecond = sameSecond && local.second == utc.second;
            if (!sameSecond) break;  // a second boundary passed: the minutes may differ too
            EXPECT_EQ(((minuteOfDay(local) - minuteOfDay(utc)) % 1440 + 1440) % 1440,
                      (row.minutesEastOfUtc + 1440) % 1440)
                << row.zone;
        }
        if (sameSecond) break;
    }
    if (saved != nullptr) setenv("TZ", before.c_str(), 1);
    else unsetenv("TZ");
}

}  // namespace
}  // namespace dorvalen
