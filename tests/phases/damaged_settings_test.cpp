// Any finite, infinite or NaN latitude, longitude and time zone a settings file can hold:
// every sky routine of a frame returns a finite, sane value or its "none", and returns.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/moon_orientation.h"
#include "astro/rise_set.h"
#include "phases/phase_event.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double huge = std::numeric_limits<double>::max();

TEST(DamagedSettings, EveryRoutineAnswersSanely) {
    const double values[] = {0.0, 48.47, -12.52, 90.0, -90.0, 91.3, 180.0, -720.5, 1e9, 1e300,
                             -huge, huge, inf, -inf, nan};
    int cases = 0;
    for (double latitude : values) {
        for (double longitude : values) {
            for (double timeZone : {1.0, 5.5, -30.0, 1e300, inf, nan}) {
                const ClockState state = skytest::stateAt(2024, 6, 21, 21, 30, latitude,
                                                          longitude, timeZone, 1);
                ++cases;
                for (EventKind kind : {MoonRiseSet, SunRiseSet, AstronomicalTwilight}) {
                    const DayEvents e = computeDayEvents(state, kind);
                    ASSERT_TRUE(e.riseHours >= 0.0 && e.riseHours <= 24.0) << latitude << " " << longitude;
                    ASSERT_TRUE(e.setHours >= 0.0 && e.setHours <= 24.0) << latitude << " " << longitude;
                    ASSERT_TRUE(e.riseAngle >= 0.0 && e.riseAngle < 360.0);
                    ASSERT_TRUE(e.setAngle >= 0.0 && e.setAngle < 360.0);
                }
                const double k =
                    moonIlluminatedFractionAt(computeDisplayedMoment(state).julianDayUT);
                ASSERT_TRUE(k >= 0.0 && k <= 1.0) << timeZone;
                for (int s : {1, -1}) {
                    const double phi = moonOrientationAngle(state, s);
                    ASSERT_TRUE(phi >= 0.0 && phi < 360.0) << latitude << " " << longitude;
                }
                const double event = phaseEventOnDisplayedDay(state);
                ASSERT_TRUE(std::isfinite(event));
                ASSERT_FALSE(phaseTimeText(event).empty());
            }
        }
    }
    EXPECT_EQ(cases, 15 * 15 * 6);
}

TEST(DamagedSettings, NanPlaceFindsNoEvents) {
    // A place that is no place has no rise or set: the defined "none", body down.
    const ClockState state = skytest::stateAt(2024, 3, 20, 12, 0, nan, -12.52, 1.0, 1);
    const DayEvents e = computeDayEvents(state, SunRiseSet);
    EXPECT_EQ(e.riseHours, 0.0);
    EXPECT_EQ(e.setHours, 0.0);
    EXPECT_FALSE(e.upAtLastStep);
}

}  // namespace
}  // namespace dorvalen
