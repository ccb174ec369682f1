// Phase instants by the method of Meeus ch. 49 (first edition ch. 47, whose constants the
// clock keeps): mean phase of lunation k, 25 periodic terms per kind, the quarter
// correction W and the fourteen additional corrections. The JDE is used as UT (no Delta T).
#include "phases/phase_instants.h"

#include <cmath>

#include "core/conversions.h"
#include "astro/astro_time.h"
#include "core/calendar.h"
#include "phases/phase_tables.h"

namespace dorvalen {

namespace {

constexpr double lunationsPerCentury = 1236.85;

// The polynomials of one lunation, evaluated once and shared by all its terms.
struct LunationArguments {
    double k, t, jde0, e, m, mPrime, f, omega;
};

LunationArguments argumentsOf(double k) {
    const double t = k / lunationsPerCentury;
    return {k,
            t,
            meanPhaseJde(k, t),
            eccentricityFactor(t),
            sunMeanAnomaly(k, t),
            moonMeanAnomaly(k, t),
            moonArgumentOfLatitude(k, t),
            moonNodeLongitude(k, t)};
}

double eToThe(const LunationArguments& a, int power) {
    return power == 0 ? 1.0 : power == 1 ? a.e : a.e * a.e;
}

// The periodic terms, in table order, added to the mean phase.
double withPeriodicTerms(const LunationArguments& a, const PhaseTerm (&terms)[25]) {
    double jde = a.jde0;
    for (const PhaseTerm& term : terms) {
        const double arg =
            term.m * a.m + term.mPrime * a.mPrime + term.f * a.f + term.omega * a.omega;
        jde += term.coefficient * eToThe(a, term.ePower) * sinDeg(arg);
    }
    return jde;
}

double quarterCorrection(const LunationArguments& a) {
    double w = 0.0;
    for (const QuarterCorrectionTerm& term : quarterCorrectionTerms) {
        const double arg = term.m * a.m + term.mPrime * a.mPrime + term.f * a.f;
        w += term.coefficient * eToThe(a, term.ePower) * (term.isCosine ? cosDeg(arg) : 1.0);
    }
    return w;
}

// k = the estimate truncated toward zero, plus the kind's offset: before 2000 a negative
// estimate names the lunation after the one in progress.
double lunationNumber(double estimate, double offset) {
    return static_cast<double>(truncToInt(estimate)) + offset;
}

double instantOf(PhaseKind kind, double estimate) {
    switch (kind) {
        case PhaseKind::NewMoon: return newMoonJde(estimate);
        case PhaseKind::FirstQuarter: return quarterJde(estimate, 0.25);
        case PhaseKind::FullMoon: return fullMoonJde(estimate);
        case PhaseKind::LastQuarter: return quarterJde(estimate, 0.75);
    }
    return newMoonJde(estimate);
}

}  // namespace

double phaseOffset(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return 0.0;
        case PhaseKind::FirstQuarter: return 0.25;
        case PhaseKind::FullMoon: return 0.5;
        case PhaseKind::LastQuarter: return 0.75;
    }
    return 0.0;
}

double lunationEstimate(const Frame& frame, std::int32_t dayShift) {
    const DateValue d = frame.moment.calendarDay;
    const double year = yearOf(d);
    const double month = monthOf(d);
    const double day = dayOf(d);
    return (year + ((month - 1.0) * 30.4 + (day - 1.0) + dayShift) / 365.0 - 2000.0) * 12.3685;
}

double meanPhaseJde(double k, double t) {
    return 2451550.09765 + 29.530588853 * k + t * t * horner(t, {0.0001337, -0.00000015, 0.00000000073});
}
double eccentricityFactor(double t) { return horner(t, {1.0, -0.002516, -0.0000074}); }
double sunMeanAnomaly(double k, double t) {
    return 2.5534 + 29.10535669 * k + t * t * horner(t, {-0.0000218, -0.00000011});
}
double moonMeanAnomaly(double k, double t) {
    return 201.5643 + 385.81693528 * k + t * t * horner(t, {0.0107438, 0.00001239, -0.000000058});
}
double moonArgumentOfLatitude(double k, double t) {
    return 160.7108 + 390.67050274 * k + t * t * horner(t, {-0.0016341, -0.00000227, 0.000000011});
}
double moonNodeLongitude(double k, double t) {
    return 124.7746 - 1.5637558 * k + t * t * horner(t, {0.0020691, 0.00000215});
}

double newMoonJde(double estimate) {
    const LunationArguments a = argumentsOf(lunationNumber(estimate, 0.0));
    return addPlanetaryCorrections(withPeriodicTerms(a, newPhaseTerms), a.t, a.k);
}

double fullMoonJde(double estimate) {
    const LunationArguments a = argumentsOf(lunationNumber(estimate, 0.5));
    return addPlanetaryCorrections(withPeriodicTerms(a, fullPhaseTerms), a.t, a.k);
}

double quarterJde(double estimate, double offset) {
    const LunationArguments a = argumentsOf(lunationNumber(estimate, offset));
    const double w = quarterCorrection(a);
    const double jde = withPeriodicTerms(a, quarterPhaseTerms) + (offset == 0.25 ? w : -w);
    return addPlanetaryCorrections(jde, a.t, a.k);
}

double phaseInstantOfLunation(PhaseKind kind, std::int64_t k) {
    return instantOf(kind, static_cast<double>(k));
}

double addPlanetaryCorrections(double jde, double t, double k) {
    for (const AdditionalCorrection& c : additionalCorrections) {
        jde += c.coefficient * sinDeg(c.constant + c.perK * k + c.perT2 * t * t);
    }
    return jde;
}

double findPhaseInstant(const Frame& frame, PhaseKind kind) {
    return searchPhaseInstant(frame, kind).jde;
}

PhaseSearch searchPhaseInstant(const Frame& frame, PhaseKind kind) {
    std::int32_t shift = frame.moment.year > 1999 ? -1 : -35;
    // Julian Day of noon two days before the marked day. The local day starts up to 15 hours
    // before its UT midnight (zone +14 with summer time), and the phase of the lunation
    // before lies some 29 days earlier, so no phase of the day is skipped and none earlier
    // is taken for it.
    const std::int64_t threshold = frame.moment.markedDayMjd + 2399999;
    PhaseSearch search{0.0, 0};
    // Neighbouring days mostly name the same lunation; its instant is computed once.
    std::int64_t lunation = 0;
    do {
        const double estimate = lunationEstimate(frame, shift);
        ++shift;
        if (search.candidates == 0 || truncToInt(estimate) != lunation) {
            lunation = truncToInt(estimate);
            search.jde = instantOf(kind, estimate);
        }
        ++search.candidates;
    } while (truncToInt(search.jde) < threshold && shift <= 2);
    search.lunation = lunation;
    return search;
}

double jdeToLocalMjd(const Frame& frame, double jde) {
    return localMjdOfUT(frame.settings, jde - 2400000.5);
}

}  // namespace dorvalen
