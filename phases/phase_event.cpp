// Which principal phase lies on the displayed day, and its time of day as angle and text.
#include "phases/phase_event.h"

#include <cmath>
#include <cstdint>

#include "core/conversions.h"
#include "astro/astro_time.h"
#include "core/calendar.h"
#include "phases/phase_instants.h"

namespace dorvalen {

namespace {

// Fraction of the local day; fracPart equals t - truncToInt(t) for every MJD the clock
// meets and stays in [0, 1) for anything else.
double timeOfDayFraction(double localMjd) { return fracPart(localMjd); }

constexpr double meanLunation = 29.530588853;  // days

// The local MJD of the phase of this kind that falls on day m, if one does. The search's
// estimate counts months of 30.4 days and years of 365, so at the zones far east (+13,
// +14) it may already name the next lunation on the day of a phase in its first hours, or
// still the one before: then the neighbouring lunation on the side of the day is asked too,
// but only when its mean spacing puts it near that day (phases stray less than a day from it).
std::optional<double> phaseOfKindOnDay(const Frame& frame, PhaseKind kind, std::int64_t m) {
    const PhaseSearch search = searchPhaseInstant(frame, kind);
    const double local = jdeToLocalMjd(frame, search.jde);
    if (truncToInt(local) == m) return local;
    const std::int64_t side = local < static_cast<double>(m) ? 1 : -1;
    const double guess = local + static_cast<double>(side) * meanLunation;
    if (guess < static_cast<double>(m - 1) || guess >= static_cast<double>(m + 2))
        return std::nullopt;
    const double neighbour =
        jdeToLocalMjd(frame, phaseInstantOfLunation(kind, search.lunation + side));
    if (truncToInt(neighbour) == m) return neighbour;
    return std::nullopt;
}

}  // namespace

std::optional<PhaseOnDay> phaseOnDisplayedDay(const Frame& frame) {
    const std::int64_t m = frame.moment.markedDayMjd;
    // An MJD of a valid date fits in 32 bits; anything else is no day of this clock.
    if (m < 0 || m > INT32_MAX) return std::nullopt;

    // At most one phase is marked: the first match in this order wins.
    for (PhaseKind kind : {PhaseKind::FullMoon, PhaseKind::LastQuarter, PhaseKind::NewMoon,
                           PhaseKind::FirstQuarter}) {
        if (const std::optional<double> local = phaseOfKindOnDay(frame, kind, m))
            return PhaseOnDay{kind, *local};
    }
    return std::nullopt;
}

double phaseEventOnDisplayedDay(const Frame& frame) {
    const std::optional<PhaseOnDay> phase = phaseOnDisplayedDay(frame);
    return phase ? phase->localMjd : 0.0;
}

double dayFractionAngle(double localMjd) {
    return dialAngleOfHours(timeOfDayFraction(localMjd) * 24.0);
}

std::string phaseTimeText(double localMjd) {
    // Below 86400, so the narrowing to 32 bits is exact.
    const auto seconds = static_cast<std::int32_t>(truncToInt(timeOfDayFraction(localMjd) * 86400.0));
    const std::int32_t hours = seconds / 3600;
    const std::int32_t minutes = (seconds - hours * 3600) / 60;
    return std::to_string(hours) + (minutes < 10 ? ":0" : ":") + std::to_string(minutes);
}

}  // namespace dorvalen
