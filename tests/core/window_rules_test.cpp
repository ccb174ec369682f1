// Size limits, radius and font size of the clock window and the alignment of its timer.
#include "core/window_rules.h"

#include <cmath>
#include <gtest/gtest.h>

namespace dorvalen {
namespace {

struct LimitRow {
    const char* fault;
    std::vector<ScreenSize> screens;
    int want;
};

class LargestSide : public ::testing::TestWithParam<LimitRow> {};

TEST_P(LargestSide, FollowsTheSmallestMonitorSide) {
    EXPECT_EQ(largestClientSide(GetParam().screens), GetParam().want) << GetParam().fault;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LargestSide,
    ::testing::Values(
        LimitRow{"a full-HD monitor allows 980", {{1920, 1080}}, 980},
        LimitRow{"a portrait second monitor does not shrink it below its 1080 side",
                 {{1920, 1080}, {1080, 1920}}, 980},
        LimitRow{"the smaller monitor counts, whichever comes first",
                 {{2560, 1440}, {1366, 768}}, 686},
        LimitRow{"integer division before the factor 98", {{1024, 768}}, 686},
        LimitRow{"a giant wall is capped at 32000", {{400000, 400000}}, 32000},
        LimitRow{"a tiny screen still allows the smallest size", {{160, 120}}, 205},
        LimitRow{"no monitor reported: only the cap", {}, 32000}));

// A 640 x 480 screen at the origin beside a 2560 x 1440 one; the work area of the small
// one leaves 30 pixels for a panel at the top.
TEST(PlaceOnScreens, OnlyAWindowBeyondEveryScreenMovesAndThenAsLittleAsFits) {
    const std::vector<DesktopRect> screens = {{0, 0, 640, 480}, {640, 0, 2560, 1440}};
    const DesktopRect workArea{0, 30, 640, 450};
    const struct {
        const char* fault;
        DesktopRect frame;
        std::optional<DesktopPoint> want;
    } rows[] = {
        {"a window on the large screen stays", {1000, 500, 410, 430}, std::nullopt},
        {"half over the edge, centre on a screen: the user put it there", {-150, 100, 410, 430},
         std::nullopt},
        {"38 pixels left on a screen is not on it", {3162, 100, 410, 430}, DesktopPoint{230, 50}},
        {"below the small screen, left of the large one: up into the work area",
         {100, 1200, 410, 430}, DesktopPoint{100, 50}},
        {"left of every screen: to the left edge", {-2000, 40, 410, 430}, DesktopPoint{0, 40}},
        {"larger than the area: its top-left corner on it", {5000, 5000, 700, 700},
         DesktopPoint{0, 30}},
        {"at the far end of int, no overflow", {2147483000, 2147483000, 600, 600},
         DesktopPoint{40, 30}},
    };
    for (const auto& row : rows) {
        const std::optional<DesktopPoint> to = placeOnScreens(row.frame, screens, workArea);
        ASSERT_EQ(to.has_value(), row.want.has_value()) << row.fault;
        if (!to) continue;
        EXPECT_EQ(to->x, row.want->x) << row.fault;
        EXPECT_EQ(to->y, row.want->y) << row.fault;
    }
    EXPECT_FALSE(placeOnScreens({5000, 5000, 400, 400}, screens, {}).has_value())
        << "an empty work area is nowhere to go";
}

TEST(ClockRadius, FromTheClientSizeWithinTheLimits) {
    EXPECT_EQ(clockRadiusFor(600, 300, 980), 225);
    EXPECT_EQ(clockRadiusFor(400, 400, 980), 200);
    EXPECT_EQ(clockRadiusFor(205, 205, 980), 102);  // the image 204 stays inside the 205 limit
    EXPECT_EQ(clockRadiusFor(0, 0, 980), 102);
    EXPECT_EQ(clockRadiusFor(1920, 1050, 980), 490);  // a maximised window ignoring the limit
    EXPECT_EQ(clockRadiusFor(2147483647, 2147483647, 32000), 16000);  // no overflow
}

// A client area the window manager keeps non-square: the face fits the shorter side.
TEST(ClockRadius, FaceFitsTheShorterSideOfAKeptClientArea) {
    EXPECT_EQ(faceRadiusFor(350, 900, 500), 250);   // tiled: (900 + 500) div 4 would cut it
    EXPECT_EQ(faceRadiusFor(350, 500, 900), 250);   // and the same upright
    EXPECT_EQ(faceRadiusFor(490, 1920, 960), 480);  // maximised into a short work area
    EXPECT_EQ(faceRadiusFor(225, 450, 450), 225);   // a square window keeps its radius
    EXPECT_EQ(faceRadiusFor(102, 205, 205), 102);
    EXPECT_EQ(faceRadiusFor(102, 1, 0), 1);         // never an empty image
}

TEST(ClockRadius, FontPointsTruncate) {
    EXPECT_EQ(textFontPoints(200), 13);  // 13.79
    EXPECT_EQ(textFontPoints(225), 15);  // 15.52
    EXPECT_EQ(textFontPoints(102), 7);   // 7.03
    EXPECT_EQ(textFontPoints(490), 33);  // 33.79
}

struct RatioRow {
    const char* fault;
    int radius;
    double ratio;
    int want;
};

class DeviceRadius : public ::testing::TestWithParam<RatioRow> {};

TEST_P(DeviceRadius, IsTheLogicalRadiusTimesTheRatioRounded) {
    EXPECT_EQ(deviceRadiusFor(GetParam().radius, GetParam().ratio), GetParam().want)
        << GetParam().fault;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DeviceRadius,
    ::testing::Values(
        RatioRow{"an unscaled screen draws the logical radius", 200, 1.0, 200},
        RatioRow{"a 400-point window at 2 is 800 device pixels wide", 200, 2.0, 400},
        RatioRow{"fractional ratios are drawn, not truncated to 1", 200, 1.25, 250},
        RatioRow{"1.5 of an odd radius rounds the half to even", 201, 1.5, 302},
        RatioRow{"and the next half down to even", 203, 1.5, 304},
        RatioRow{"truncation would lose the device pixel", 102, 1.33, 136},
        RatioRow{"a ratio that is not a number draws 1:1", 200, std::nan(""), 200},
        RatioRow{"an infinite ratio draws 1:1", 200, HUGE_VAL, 200},
        RatioRow{"a zero or negative ratio draws 1:1", 200, -2.0, 200},
        RatioRow{"beyond the largest ratio draws 1:1", 200, 9.0, 200},
        RatioRow{"the largest face stays within the largest image", 16000, 8.0, 16000}));

TEST(DeviceRadius, DrawableRatiosAreFiniteAndInRange) {
    EXPECT_TRUE(isDrawablePixelRatio(0.5));
    EXPECT_TRUE(isDrawablePixelRatio(8.0));
    EXPECT_FALSE(isDrawablePixelRatio(0.49));
    EXPECT_FALSE(isDrawablePixelRatio(8.01));
    EXPECT_FALSE(isDrawablePixelRatio(std::nan("")));
    EXPECT_FALSE(isDrawablePixelRatio(-HUGE_VAL));
}

using Clock = std::chrono::system_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

Clock::time_point at(std::int64_t second, int ms) {
    return Clock::time_point(std::chrono::duration_cast<Clock::duration>(seconds(second) +
                                                                         milliseconds(ms)));
}

TEST(TickAlignment, WakesJustAfterTheNextSecondBoundary) {
    EXPECT_EQ(msToNextSecond(at(1'700'000'000, 0)), 1000 + tickMarginMs);
    EXPECT_EQ(msToNextSecond(at(1'700'000'000, 20)), 980 + tickMarginMs);
    EXPECT_EQ(msToNextSecond(at(1'700'000'000, 999)), 1 + tickMarginMs);
    // A sub-millisecond remainder rounds up, never down to before the boundary.
    const auto almost = at(1'700'000'000, 999) + std::chrono::microseconds(500);
    EXPECT_EQ(msToNextSecond(almost), 1 + tickMarginMs);
    // Before 1970 the second still starts at its floor.
    EXPECT_EQ(msToNextSecond(at(-5, 250)), 750 + tickMarginMs);
}

TEST(TickAlignment, OneRedrawPerSecondEvenWhenTheTimerFiresEarly) {
    const std::int64_t s = 1'700'000'000;
    TickPlan plan = planTick(at(s, 20), s - 1);
    EXPECT_TRUE(plan.redraw);
    EXPECT_EQ(plan.shownSecond, s);
    // The timer woke 3 ms early: nothing new to show, wake again just after the boundary.
    plan = planTick(at(s, 997), plan.shownSecond);
    EXPECT_FALSE(plan.redraw);
    EXPECT_EQ(plan.delayMs, 3 + tickMarginMs);
    plan = planTick(at(s + 1, 20), s);
    EXPECT_TRUE(plan.redraw);
    EXPECT_EQ(plan.shownSecond, s + 1);
}

TEST(TickAlignment, NoDriftOverAnHourOfLateWakeups) {
    // Each wake-up comes 0..14 ms after it was asked for; the plan absorbs the lateness, so
    // every second is shown exactly once and no tick drifts past the next boundary.
    const std::int64_t start = 1'700'000'000;
    std::int64_t shown = start - 1;
    auto now = at(start, 20);
    int redraws = 0;
    for (int i = 0; i < 3600; ++i) {
        const TickPlan plan = planTick(now, shown);
        if (plan.redraw) {
            EXPECT_EQ(plan.shownSecond, shown + 1);
            shown = plan.shownSecond;
            ++redraws;
        }
        now += milliseconds(plan.delayMs + i % 15);
    }
    EXPECT_EQ(redraws, 3600);
    EXPECT_EQ(shown, start + 3599);
}

TEST(TickAlignment, AClockSetBackIsShownAtOnce) {
    const TickPlan plan = planTick(at(1'700'000'000 - 3600, 20), 1'700'000'000);
    EXPECT_TRUE(plan.redraw);
}

}  // namespace
}  // namespace dorvalen
