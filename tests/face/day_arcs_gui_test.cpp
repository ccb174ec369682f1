// The moon ring and the night and twilight shades in rendered faces at pinned days and
// places (r = 200). The ring lies between 100 and 113 pixels from the centre; the checks read
// it at 102..111 and the shades at r/3 (inside the ring) and 0.6 r (outside it). The clock
// stands at 3:05, so the hands point to 316 and 300 degrees and the sampled angles avoid them.
#include <gtest/gtest.h>

#include <cmath>

#include "astro/rise_set.h"
#include "phases/phase_event.h"
#include "tests/face/sky_face.h"

namespace dorvalen {
namespace {

using namespace skyface;

constexpr double ringIn = 102.0, ringOut = 111.0, ringMid = 106.5;
constexpr double shadeIn = 200.0 / 3.0, shadeOut = 120.0;
constexpr double hourHand = 316.0, minuteHand = 300.0;

bool shaded(Colour c) { return c == nightShade || c == twilightShade; }

// Polar day at 70 N 20 E keeps the sun out of the picture, so the ring is all there is.
TEST(MoonRing, UpAllDayIsAWholeRingWithoutLines) {
    ClockState state = stateAt(2024, 6, 5, 3, 5, 70.0, -20.0);
    const DayEvents moon = computeDayEvents(state, MoonRiseSet);
    ASSERT_TRUE(moon.riseHours == 0.0 && moon.setHours == 0.0 && moon.upAtLastStep);
    ASSERT_EQ(phaseEventOnDisplayedDay(state), 0.0);  // no marker across the ring
    const Image image = renderFace(state);
    EXPECT_EQ(countInRing(image, ringIn, ringOut, isNot(moonYellow), {hourHand, minuteHand}), 0)
        << "a gap or a line in the ring, see " << test::dumpImage(image, "ring_up_all_day");
    EXPECT_EQ(at(image, 270.0, ringMid), moonYellow) << "a missing event put a line at 0:00";
    EXPECT_EQ(at(image, 90.0, 95.0), faceBackground) << "the ring's inner disc was not cleared";
    EXPECT_EQ(at(image, 90.0, 120.0), faceBackground);
}

TEST(MoonRing, DownAllDayDrawsNoRing) {
    ClockState state = stateAt(2024, 5, 25, 3, 5, 70.0, -20.0);
    const DayEvents moon = computeDayEvents(state, MoonRiseSet);
    ASSERT_TRUE(moon.riseHours == 0.0 && moon.setHours == 0.0 && !moon.upAtLastStep);
    const Image image = renderFace(state);
    EXPECT_EQ(countInRing(image, 95.0, 118.0, is(moonYellow)), 0)
        << test::dumpImage(image, "ring_down_all_day");
    EXPECT_EQ(countInRing(image, 95.0, 118.0, isNot(faceBackground), {hourHand, minuteHand}), 0);
}

// Default place, 2024-03-20: moonset 4:48 (342.1 deg), moonrise 13:09 (107.3 deg). The ring
// shows the two pieces of the day, 0:00..4:48 and 13:09..24:00, through the top.
TEST(MoonRing, RiseAndSetBoundTheSegmentOnBothSides) {
    ClockState state = stateAt(2024, 3, 20, 3, 5, 48.47, -12.52);
    const DayEvents moon = computeDayEvents(state, MoonRiseSet);
    ASSERT_NEAR(moon.riseAngle, 107.26, 0.1);
    ASSERT_NEAR(moon.setAngle, 342.11, 0.1);
    const Image image = renderFace(state);
    const std::string dump = test::dumpImage(image, "ring_rise_set_20240320");
    struct Row {
        const char* fault;
        double angle;
        bool yellow;
    };
    const Row rows[] = {
        {"ring kept before the rise line", moon.riseAngle - 2.0, false},
        {"ring missing after the rise line", moon.riseAngle + 2.0, true},
        {"ring missing before the set line", moon.setAngle - 2.0, true},
        {"ring kept after the set line", moon.setAngle + 2.0, false},
        {"removal fill did not reach the far side", 45.0, false},
        {"the piece before midnight lost", 200.0, true},
        {"the piece through the top lost", 270.0, true},
    };
    for (const Row& row : rows) {
        const bool yellow = at(image, row.angle, ringMid) == moonYellow;
        EXPECT_EQ(yellow, row.yellow) << row.fault << " at " << row.angle << ", see " << dump;
    }
    // The temporary black lines are gone, also past the ring's outer edge (they reach
    // 116.7): the rise line lies in the day, the set line in the night's dark shade.
    EXPECT_EQ(at(image, moon.riseAngle, 115.0), faceBackground) << dump;
    EXPECT_EQ(at(image, moon.setAngle, 115.0), twilightShade) << dump;
    EXPECT_EQ(at(image, moon.setAngle, 70.0), twilightShade) << dump;
    EXPECT_EQ(countInRing(image, 60.0, 125.0, is(black), {hourHand, minuteHand}), 0) << dump;
}

// Sunset 18:22 (185.4 deg), sunrise 6:11 (2.6 deg); civil twilight 18:53 (193.4) to 5:40
// (354.9). With degrees.minutes converted the times differ slightly from the unconverted
// 18:23 and 6:12.
TEST(Shades, NightShadeRunsFromSunsetThroughTheTopToSunrise) {
    ClockState state = stateAt(2024, 3, 20, 3, 5, 48.47, -12.52);
    const DayEvents sun = computeDayEvents(state, SunRiseSet);
    ASSERT_NEAR(sun.setAngle, 185.4, 0.2);
    ASSERT_NEAR(sun.riseAngle, 2.6, 0.2);
    const Image image = renderFace(state);
    const std::string dump = test::dumpImage(image, "shades_20240320");
    struct Row {
        const char* fault;
        double angle;
        Colour expected;
    };
    const Row rows[] = {
        {"shade started before sunset", 183.0, faceBackground},
        {"no light shade just after sunset", 188.0, nightShade},
        {"no dark shade beyond the twilight", 200.0, twilightShade},
        {"dark shade missing at midnight", 270.0, twilightShade},
        {"dark shade beyond the morning twilight", 358.5, nightShade},
        {"light shade missing just before sunrise", 0.5, nightShade},
        {"shade continued after sunrise", 5.0, faceBackground},
        {"daytime shaded", 135.0, faceBackground},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(at(image, row.angle, shadeIn), row.expected)
            << "inside the ring: " << row.fault << ", see " << dump;
        EXPECT_EQ(at(image, row.angle, shadeOut), row.expected)
            << "outside the ring: " << row.fault << ", see " << dump;
    }
    // The yellow segment keeps its colour inside the shaded sector.
    EXPECT_EQ(at(image, 250.0, ringMid), moonYellow) << dump;
}

// Time zone 7 at the default place puts sunset just after local midnight: on 2024-03-06 only
// the sunrise (12:40, 99.9 deg) lies on the day, so the shade runs from the top to it.
TEST(Shades, OnlyASunriseShadesFromTheTopToTheSunriseLine) {
    ClockState state = stateAt(2024, 3, 6, 3, 5, 48.47, -12.52, 7.0);
    const DayEvents sun = computeDayEvents(state, SunRiseSet);
    ASSERT_EQ(sun.setHours, 0.0);
    ASSERT_NEAR(sun.riseAngle, 99.9, 0.3);
    const Image image = renderFace(state);
    const std::string dump = test::dumpImage(image, "shades_sunrise_only");
    // Inside the ring the moon picture covers about 50..130 degrees.
    for (const double angle : {275.0, 0.0, 30.0}) {
        EXPECT_TRUE(shaded(at(image, angle, shadeIn))) << angle << ", see " << dump;
    }
    for (const double angle : {275.0, 0.0, 45.0, 96.0}) {
        EXPECT_TRUE(shaded(at(image, angle, shadeOut))) << angle << ", see " << dump;
    }
    for (const double angle : {150.0, 180.0, 265.0}) {
        EXPECT_EQ(at(image, angle, shadeIn), faceBackground) << angle << ", see " << dump;
    }
    for (const double angle : {104.0, 180.0, 265.0}) {
        EXPECT_EQ(at(image, angle, shadeOut), faceBackground) << angle << ", see " << dump;
    }
}

// 55 N on the solstice: the sun never gets 18 degrees down, so astronomical twilight has no
// dark shade while the night still gets the light one.
TEST(Shades, WhiteNightHasTheLightShadeButNoDarkOne) {
    ClockState state = stateAt(2024, 6, 21, 3, 5, 55.0, -12.52, 1.0, 1);
    state.settings.twilightKind = AstronomicalTwilight;
    const DayEvents deep = computeDayEvents(state, AstronomicalTwilight);
    ASSERT_TRUE(deep.riseHours == 0.0 && deep.setHours == 0.0 && deep.upAtLastStep);
    const Image image = renderFace(state);
    const std::string dump = test::dumpImage(image, "shades_white_night");
    EXPECT_EQ(at(image, 270.0, shadeIn), nightShade) << dump;
    EXPECT_EQ(at(image, 270.0, shadeOut), nightShade) << dump;
    EXPECT_EQ(at(image, 90.0, shadeOut), faceBackground) << dump;
    EXPECT_EQ(countInRing(image, 0.0, 132.0, is(twilightShade)), 0) << dump;
}

// 70 N 20 E in late November: the sun stays down (no lines, fills from 273 degrees), the
// moon stays up, civil twilight 8:39..14:16 still comes. Everything but the ring is shaded;
// only the two twilight lines cross the ring.
TEST(Shades, PolarNightShadesTheWholeDialButTheRing) {
    ClockState state = stateAt(2023, 11, 28, 3, 5, 70.0, -20.0);
    const DayEvents sun = computeDayEvents(state, SunRiseSet);
    ASSERT_TRUE(sun.riseHours == 0.0 && sun.setHours == 0.0 && !sun.upAtLastStep);
    const DayEvents moon = computeDayEvents(state, MoonRiseSet);
    ASSERT_TRUE(moon.riseHours == 0.0 && moon.setHours == 0.0 && moon.upAtLastStep);
    ASSERT_EQ(phaseEventOnDisplayedDay(state), 0.0);
    const Image image = renderFace(state);
    const std::string dump = test::dumpImage(image, "shades_polar_night");
    const double hands[] = {hourHand, minuteHand};
    EXPECT_EQ(countInRing(image, 115.0, 130.0, [](Colour c) { return !shaded(c); },
                          {hands[0], hands[1]}),
              0)
        << "unshaded pixels outside the ring, see " << dump;
    EXPECT_EQ(countInRing(image, ringIn, ringOut,
                          [](Colour c) { return c != moonYellow && c != twilightShade; },
                          {hands[0], hands[1]}),
              0)
        << "the ring was shaded, see " << dump;
    EXPECT_LT(countInRing(image, ringIn, ringOut, is(twilightShade)), 30) << dump;
    EXPECT_EQ(at(image, 45.0, shadeIn), nightShade) << "civil twilight noon, light " << dump;
    EXPECT_EQ(at(image, 60.0, shadeOut), nightShade) << dump;
    EXPECT_EQ(at(image, 270.0, shadeIn), twilightShade) << "midnight, dark " << dump;
    EXPECT_EQ(at(image, 200.0, shadeOut), twilightShade) << dump;
}

// Default place, 2043-07-17, astronomical twilight: the evening's darkness ends at 0:00, the
// morning's twilight begins at 2:29 and the next darkness starts at 23:57. The dark shade
// covers 0:00..2:29 and the thin wedge 23:57..24:00 (0.73 degrees), and nothing before it.
TEST(Shades, ShortAstronomicalNightShowsTheWedgeBeforeMidnight) {
    constexpr int big = 400;
    ClockState state = stateAt(2043, 7, 17, 3, 5, 48.47, -12.52, 1.0, 1);
    state.settings.twilightKind = AstronomicalTwilight;
    const Crossings deep = computeDayEvents(state, AstronomicalTwilight).crossings;
    ASSERT_EQ(deep.count, 3);
    const Crossing* c = deep.begin();
    ASSERT_TRUE(!c[0].rising && c[1].rising && !c[2].rising);
    ASSERT_GT(c[2].hours, 23.9);
    const double wedgeFrom = dialAngleOfHours(c[2].hours);
    const Image image = renderFace(state, big);
    const std::string dump = test::dumpImage(image, "shades_wedge_20430717");
    // Inside and outside the moon ring (0.5 r .. 0.565 r), within a degree and a half
    // pixels' width of the set line the colour is left open.
    int wedge = 0, wrong = 0;
    for (int y = 0; y < big; ++y) {
        for (int x = 0; x < 2 * big; ++x) {
            const double dx = x - big, dy = y - big, d = std::hypot(dx, dy);
            if (!((d > 0.36 * big && d < 0.48 * big) || (d > 0.58 * big && d < 0.64 * big))) continue;
            const double angle = std::atan2(dy, dx) * 57.29577951308232 + 360.0;
            if (angle < wedgeFrom - 4.0 || angle >= 270.0) continue;
            const double gap = (angle - wedgeFrom) / 57.29577951308232 * d;  // pixels
            if (std::fabs(gap) < 1.5) continue;
            const Colour expected = gap > 0.0 ? twilightShade : nightShade;
            if (gap > 0.0) ++wedge;
            if (image.pixel(x, y) != expected) ++wrong;
        }
    }
    EXPECT_GT(wedge, 20) << dump;
    EXPECT_EQ(wrong, 0) << dump;
    EXPECT_EQ(at(image, 285.0, 0.4 * big, big), twilightShade) << "0:00..2:29 " << dump;
}

// 77 51' S 166 40' E at zone 13 on 2100-02-25: the moon rises at 0:34, sets at 4:19 and
// rises again at 22:23. The ring shows both pieces, not the night between.
TEST(MoonRing, SecondRisingBeforeMidnightKeepsItsPiece) {
    ClockState state = stateAt(2100, 2, 25, 16, 35, -77.51, -166.40, 13.0);
    const Crossings moon = computeDayEvents(state, MoonRiseSet).crossings;
    ASSERT_EQ(moon.count, 3);
    const Crossing* c = moon.begin();
    ASSERT_TRUE(c[0].rising && !c[1].rising && c[2].rising);
    // A phase marker (black outline) stands on the ring that day, at about 4:48.
    const double marker = dayFractionAngle(phaseEventOnDisplayedDay(state));
    const Image image = renderFace(state);
    const std::string dump = test::dumpImage(image, "ring_three_crossings_21000225");
    const struct {
        const char* fault;
        double hours;
        bool yellow;
    } rows[] = {
        {"ring before the first rising", c[0].hours / 2.0, false},
        {"first piece lost", (c[0].hours + c[1].hours) / 2.0, true},
        {"ring through the day", 12.0, false},
        {"ring just before the second rising", c[2].hours - 0.3, false},
        {"second piece lost", (c[2].hours + 24.0) / 2.0, true},
    };
    for (const auto& row : rows) {
        const bool yellow = at(image, dialAngleOfHours(row.hours), ringMid) == moonYellow;
        EXPECT_EQ(yellow, row.yellow) << row.fault << ", see " << dump;
    }
    EXPECT_EQ(countInRing(image, 60.0, 125.0, is(black), {158.75, 120.0, marker}), 0)
        << "a boundary line left black, see " << dump;
}

}  // namespace
}  // namespace dorvalen
