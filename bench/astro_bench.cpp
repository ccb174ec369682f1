// The astronomy of one frame: the three day-arc searches (moon, sun, twilight), the moon
// picture's positions and fractions, and the phase searches of a day without a phase, which
// runs all four kinds. Target: well under 50 microseconds.
#include <benchmark/benchmark.h>

#include "astro/astro_time.h"
#include "astro/moon.h"
#include "astro/moon_orientation.h"
#include "astro/rise_set.h"
#include "astro/sun.h"
#include "core/calendar.h"
#include "phases/phase_event.h"

namespace dorvalen {
namespace {

ClockState frameState() {
    ClockState state;
    state.now = makeDate(2015, 2, 6, 21, 30, 0);  // no principal phase on this day
    state.settings.twilightKind = AstronomicalTwilight;
    return state;
}

void BM_FrameAstronomy(benchmark::State& bench) {
    const ClockState state = frameState();
    for (auto _ : bench) {
        benchmark::DoNotOptimize(computeDayEvents(state, MoonRiseSet));
        benchmark::DoNotOptimize(computeDayEvents(state, SunRiseSet));
        benchmark::DoNotOptimize(
            computeDayEvents(state, static_cast<EventKind>(state.settings.twilightKind)));
        const double jd = computeDisplayedMoment(state).julianDayUT;
        benchmark::DoNotOptimize(apparentMoon(jd));
        benchmark::DoNotOptimize(apparentSun(jd));
        benchmark::DoNotOptimize(moonIlluminatedFractionAt(computeDisplayedMoment(state).julianDayUT));
        benchmark::DoNotOptimize(moonIlluminatedFractionAt(julianDayUTOfReading(computeDisplayedMoment(state), state.now, -1.0)));
        benchmark::DoNotOptimize(phaseEventOnDisplayedDay(state));
    }
}
BENCHMARK(BM_FrameAstronomy);

// What the moon picture will actually call: the fractions and the orientation (which runs
// apparentMoon, apparentSun and the apparent sidereal time).
void BM_MoonPicture(benchmark::State& bench) {
    const ClockState state = frameState();
    for (auto _ : bench) {
        const double k = moonIlluminatedFractionAt(computeDisplayedMoment(state).julianDayUT);
        const double kPrev = moonIlluminatedFractionAt(julianDayUTOfReading(computeDisplayedMoment(state), state.now, -1.0));
        benchmark::DoNotOptimize(moonOrientationAngle(state, k < kPrev ? -1 : 1));
    }
}
BENCHMARK(BM_MoonPicture);

void BM_MoonRiseSet(benchmark::State& bench) {
    const ClockState state = frameState();
    for (auto _ : bench) benchmark::DoNotOptimize(computeDayEvents(state, MoonRiseSet));
}
BENCHMARK(BM_MoonRiseSet);

void BM_PhaseSearchesWithoutPhase(benchmark::State& bench) {
    const ClockState state = frameState();
    for (auto _ : bench) benchmark::DoNotOptimize(phaseEventOnDisplayedDay(state));
}
BENCHMARK(BM_PhaseSearchesWithoutPhase);

}  // namespace
}  // namespace dorvalen

BENCHMARK_MAIN();
