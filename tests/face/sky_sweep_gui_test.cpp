// The sweep over 1975-2037 at the places and zones where the day arcs and the phase days
// went wrong: the dial's pixels around every arc border, and the day each principal phase is
// marked on, compared with the event times. In CI it takes a sample of the days and phases;
// DORVALEN_FULL_SWEEP=1 takes every day and every phase and prints the counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "astro/rise_set.h"
#include "core/angles.h"
#include "core/conversions.h"
#include "face/day_arcs.h"
#include "face/dial_geometry.h"
#include "phases/phase_event.h"
#include "phases/phase_instants.h"
#include "tests/face/sky_face.h"
#include "tests/support/test_state.h"

namespace dorvalen {
namespace {

constexpr int r = 100;
constexpr Colour disc = faceBackground;
constexpr Colour yellow = moonYellow;

struct Place {
    const char* name;
    double latitude, longitude, timeZone;  // degrees.minutes, west positive
    int autoSummerTime;
};

const Place places[] = {
    {"default place", 48.47, -12.52, 1.0, 1},
    {"69 N (69 39 N 18 57 E)", 69.39, -18.57, 1.0, 1},
    {"78 N (78 13 N 15 38 E)", 78.13, -15.38, 1.0, 1},
    {"77 S (77 51 S 166 40 E, zone 12)", -77.51, -166.40, 12.0, 0},
    {"zone -11", 48.47, -12.52, -11.0, 0},
    {"zone +5.75", 48.47, -12.52, 5.75, 0},
    {"zone +12.75", 48.47, -12.52, 12.75, 0},
    {"zone +13", 48.47, -12.52, 13.0, 0},
    {"zone +14", 48.47, -12.52, 14.0, 0},
};

bool fullSweep() {
    const char* v = std::getenv("DORVALEN_FULL_SWEEP");
    return v != nullptr && std::string(v) == "1";
}

ClockState noonOf(const Place& place, std::int64_t dayIndex) {
    ClockState state;
    state.now = dayIndex * 86400 + 43200;
    state.settings.latitude = place.latitude;
    state.settings.longitude = place.longitude;
    state.settings.timeZone = place.timeZone;
    state.settings.autoSummerTime = place.autoSummerTime;
    state.settings.twilightKind = 5;  // astronomical: the narrowest nights
    return state;
}

const std::int64_t firstDay = dayIndexOf(makeDate(1975, 1, 1, 0, 0, 0));
const std::int64_t lastDay = dayIndexOf(makeDate(2037, 12, 31, 0, 0, 0));

// One layer's interval on the dial, clockwise from `from` to `to`, as the events give it. On
// a day with more than one rising or setting every crossing bounds it: the body's state at
// an hour is the one the last crossing before it left.
struct Interval {
    bool any = false;   // some part of the day
    bool all = false;   // the whole day, no border
    double from = 0.0, to = 0.0;
    bool up = false;    // the state the interval stands for
    std::vector<Crossing> crossings;
};

double clockwise(double from, double to) {
    double d = std::fmod(to - from, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}

bool inside(const Interval& i, double angle) {
    if (!i.crossings.empty()) {
        const double hours = std::fmod(angle + 450.0, 360.0) / 15.0;
        bool up = !i.crossings.front().rising;
        for (const Crossing& c : i.crossings) {
            if (c.hours <= hours) up = c.rising;
        }
        return up == i.up;
    }
    if (i.all) return true;
    if (!i.any) return false;
    return clockwise(i.from, angle) <= clockwise(i.from, i.to);
}

// The moon's up interval runs from rising to setting; a shade from setting to rising.
Interval intervalOf(const DayEvents& e, bool up) {
    if (e.crossings.beyondFirstPair())
        return {true, false, 0.0, 0.0, up, {e.crossings.begin(), e.crossings.end()}};
    const bool crosses = !(e.riseHours == 0.0 && e.setHours == 0.0);
    if (!crosses) return {e.upAtLastStep == up, e.upAtLastStep == up, 0.0, 0.0, up, {}};
    return up ? Interval{true, false, e.riseAngle, e.setAngle, up, {}}
              : Interval{true, false, e.setAngle, e.riseAngle, up, {}};
}

// The border angles of an interval: its two ends, or every crossing and the top of the dial.
std::vector<double> bordersOf(const Interval& i) {
    if (i.crossings.empty()) return {i.from, i.to};
    std::vector<double> borders{270.0};
    for (const Crossing& c : i.crossings) borders.push_back(dialAngleOfHours(c.hours));
    return borders;
}

std::string describe(const Interval& i) {
    std::string text;
    for (const double border : bordersOf(i)) text += " " + std::to_string(border);
    return text;
}

// Distance in pixels of a point from the ray at `angle` from the centre.
double distanceFromRay(double dx, double dy, double angle) {
    const double c = std::cos(angle * pi / 180.0), s = std::sin(angle * pi / 180.0);
    const double along = dx * c + dy * s;
    if (along < 0.0) return std::hypot(dx, dy);
    return std::fabs(dx * s - dy * c);
}

// A border line's pixels lie within about a pixel of its ray (its raster, its rounded end).
bool nearBorder(const Interval& i, double dx, double dy, double tolerance = 2.0) {
    if (!i.any || i.all) return false;
    for (const double border : bordersOf(i))
        if (distanceFromRay(dx, dy, border) < tolerance) return true;
    return false;
}

struct ArcCheck {
    int days = 0, wrongDays = 0, samples = 0, wrongSamples = 0;
    std::string firstWrong;
};

// Paints the arcs of one day on a bare dial and reads the pixels just inside and outside
// every border and in the middle of every interval, at radii inside, on and outside the ring.
void checkArcs(const ClockState& state, const Place& place, ArcCheck& check) {
    const Frame frame(state);
    const Interval moon = intervalOf(computeDayEvents(frame, MoonRiseSet), true);
    const Interval night = intervalOf(computeDayEvents(frame, SunRiseSet), false);
    const Interval dark = intervalOf(
        computeDayEvents(frame, static_cast<EventKind>(frame.settings.twilightKind)), false);

    Image image(2 * r, 2 * r, disc);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.drawCircle(r, r, dialShadowRadius(r), shadowBlack);
    canvas.setDrawingMode(ModeDefault);
    canvas.drawCircle(r, r, dialDiscRadius(r), disc);
    paintDayArcs(canvas, planDayArcs(frame), r);
    canvas.endDrawing();

    std::vector<double> angles;
    for (const Interval* i : {&moon, &night, &dark}) {
        if (!i->any || i->all) continue;
        std::vector<double> borders = bordersOf(*i);
        std::sort(borders.begin(), borders.end());
        for (std::size_t b = 0; b < borders.size(); ++b) {
            const double next = b + 1 < borders.size() ? borders[b + 1] : borders[0] + 360.0;
            angles.push_back((borders[b] + next) / 2.0);
            for (const double step : {-4.0, -1.0, 1.0, 4.0}) angles.push_back(borders[b] + step);
        }
    }
    if (angles.empty()) angles = {0.0, 90.0, 180.0, 270.0};

    ++check.days;
    bool dayWrong = false;
    for (const double angle : angles) {
        for (const double distance : {0.30 * r, 0.45 * r, 0.532 * r, 0.62 * r}) {
            const PixelPoint p = dialPoint(r, angle, distance);
            const double dx = p.x - r, dy = p.y - r;
            double a = std::atan2(dy, dx) * 180.0 / pi;
            if (a < 0.0) a += 360.0;
            const bool onRing = distance > 0.5 * r && distance < 0.565 * r;
            // Lines of a shade have its colour, so inside a shade only the raster of its own
            // border leaves a doubt; elsewhere a border line may cover the pixel.
            const bool inDark = inside(dark, a), inNight = inside(night, a);
            Colour expected = disc;
            bool doubtful = nearBorder(moon, dx, dy) && onRing;
            if (onRing && inside(moon, a)) {
                expected = yellow;
                doubtful = doubtful || nearBorder(night, dx, dy) || nearBorder(dark, dx, dy);
            } else if (inDark) {
                expected = twilightShade;
                doubtful = doubtful || nearBorder(night, dx, dy) || nearBorder(dark, dx, dy, 1.2);
            } else if (inNight) {
                expected = nightShade;
                doubtful = doubtful || nearBorder(dark, dx, dy) || nearBorder(night, dx, dy, 1.2);
            } else {
                doubtful = doubtful || nearBorder(night, dx, dy) || nearBorder(dark, dx, dy);
            }
            if (doubtful) continue;
            ++check.samples;
            if (image.pixel(p.x, p.y) == expected) continue;
            ++check.wrongSamples;
            if (!dayWrong && check.firstWrong.empty()) {
                const DateValue day = state.now;
                check.firstWrong = std::string(place.name) + " " + std::to_string(yearOf(day)) +
                                   "-" + std::to_string(monthOf(day)) + "-" +
                                   std::to_string(dayOf(day)) + " at " + std::to_string(angle) +
                                   " deg, " + std::to_string(distance) + " px: colour " +
                                   std::to_string(image.pixel(p.x, p.y)) + ", expected " +
                                   std::to_string(expected) + "; borders of moon " +
                                   describe(moon) + ", night " + describe(night) + ", dark " +
                                   describe(dark);
            }
            dayWrong = true;
        }
    }
    if (dayWrong) ++check.wrongDays;
}

struct PhaseCheck {
    int phases = 0, lost = 0, doubled = 0, wrongTime = 0;
    std::string firstWrong;
};

// The local MJD of an instant: the zone, and summer time when the instant's own local
// standard date lies in the summer-time window of its year.
double expectedLocalMjd(const ClockSettings& settings, double jde) {
    const double standard = jde - 2400000.5 + settings.timeZone / 24.0;
    const double day = std::floor(standard);
    const int year = yearOf(static_cast<DateValue>(day - mjdOfDayIndexZero) * 86400);
    const bool summer = isSummerTime(summerTimeWindow(settings, year), day);
    return standard + (summer ? 1.0 : 0.0) / 24.0;
}

// The phase must be marked on its own local day, with its time, and on neither neighbour.
void checkPhase(const Place& place, PhaseKind kind, double jde, PhaseCheck& check) {
    const ClockSettings settings = noonOf(place, 0).settings;
    const double local = expectedLocalMjd(settings, jde);
    const auto day = static_cast<std::int64_t>(std::floor(local)) - mjdOfDayIndexZero;
    if (day - 1 < firstDay || day + 1 > lastDay) return;
    ++check.phases;
    int marked = 0;
    bool timeWrong = false;
    for (std::int64_t d = day - 1; d <= day + 1; ++d) {
        const std::optional<PhaseOnDay> found = phaseOnDisplayedDay(Frame(noonOf(place, d)));
        if (!found || found->kind != kind || std::fabs(found->localMjd - local) > 0.1) continue;
        ++marked;
        timeWrong = timeWrong || d != day || std::fabs(found->localMjd - local) > 1e-9;
    }
    if (marked == 0) ++check.lost;
    if (marked > 1) ++check.doubled;
    if (marked == 1 && timeWrong) ++check.wrongTime;
    if (marked != 1 || timeWrong) {
        if (check.firstWrong.empty()) {
            check.firstWrong = std::string(place.name) + " phase " +
                               std::to_string(static_cast<int>(kind)) + " at JDE " +
                               std::to_string(jde) + " marked on " + std::to_string(marked) +
                               " days";
        }
    }
}

double instantOf(PhaseKind kind, double k) {
    switch (kind) {
        case PhaseKind::NewMoon: return newMoonJde(k);
        case PhaseKind::FirstQuarter: return quarterJde(k, 0.25);
        case PhaseKind::FullMoon: return fullMoonJde(k);
        case PhaseKind::LastQuarter: return quarterJde(k, 0.75);
    }
    return 0.0;
}

// Days the audit named, always in the sample: short nights, a single event near midnight,
// the moon up from 0:06.
struct NamedDay {
    int place, year, month, day;
};
const NamedDay namedDays[] = {
    {0, 2024, 6, 29}, {1, 2005, 5, 18}, {3, 2024, 11, 1},
};

TEST(SkySweep, ArcsFollowTheEventsAndEveryPhaseFallsOnOneLocalDay) {
    const bool full = fullSweep();
    const int dayStride = full ? 1 : 61;
    const int lunationStride = full ? 1 : 7;
    ArcCheck arcs;
    PhaseCheck phases;
    for (std::size_t p = 0; p < std::size(places); ++p) {
        const Place& place = places[p];
        for (std::int64_t d = firstDay + static_cast<std::int64_t>(p); d <= lastDay; d += dayStride) {
            checkArcs(noonOf(place, d), place, arcs);
        }
        // Lunation -310 is the new moon of late 1974, 469 that of 2037.
        for (int k = -310 + static_cast<int>(p); k <= 469; k += lunationStride) {
            for (PhaseKind kind : {PhaseKind::NewMoon, PhaseKind::FirstQuarter,
                                   PhaseKind::FullMoon, PhaseKind::LastQuarter}) {
                checkPhase(place, kind, instantOf(kind, k), phases);
            }
        }
    }
    for (const NamedDay& n : namedDays) {
        const Place& place = places[n.place];
        checkArcs(noonOf(place, dayIndexOf(makeDate(n.year, n.month, n.day, 0, 0, 0))), place, arcs);
    }
    // Autumn and spring switches at zone 1: the last quarter of 1986-10-25 22:25 UT.
    checkPhase(places[0], PhaseKind::LastQuarter, instantOf(PhaseKind::LastQuarter, -163), phases);
    if (full) {
        std::printf("arcs: %d days, %d wrong (%d of %d samples)\n", arcs.days, arcs.wrongDays,
                    arcs.wrongSamples, arcs.samples);
        std::printf("phases: %d, %d lost, %d on two days, %d at a wrong time\n", phases.phases,
                    phases.lost, phases.doubled, phases.wrongTime);
    }
    EXPECT_EQ(arcs.wrongDays, 0) << arcs.firstWrong;
    EXPECT_EQ(phases.lost, 0) << phases.firstWrong;
    EXPECT_EQ(phases.doubled, 0) << phases.firstWrong;
    EXPECT_EQ(phases.wrongTime, 0) << phases.firstWrong;
}

}  // namespace
}  // namespace dorvalen
