// Instants of the moon's principal phases (Meeus ch. 49, first edition ch. 47), used as UT.
//   1. lunationEstimate names the lunation of the displayed day (moved by a day shift).
//   2. newMoonJde / fullMoonJde / quarterJde turn an estimate into the instant of that phase.
//   3. findPhaseInstant walks the shifts until the instant reaches the displayed day.
//   4. jdeToLocalMjd shows it in local civil time.
#pragma once

#include <cstdint>

#include "core/calendar.h"

namespace dorvalen {

enum class PhaseKind { NewMoon, FirstQuarter, FullMoon, LastQuarter };

// 0, 0.25, 0.5, 0.75: the fraction of a lunation after new moon.
double phaseOffset(PhaseKind kind);

// Rough lunation number of the displayed day moved by dayShift days (months of 30.4 days,
// years of 365).
double lunationEstimate(const Frame& frame, std::int32_t dayShift);

// The argument polynomials of lunation k, t = k / 1236.85 (first-edition constants).
double meanPhaseJde(double k, double t);
double eccentricityFactor(double t);
double sunMeanAnomaly(double k, double t);
double moonMeanAnomaly(double k, double t);
double moonArgumentOfLatitude(double k, double t);
double moonNodeLongitude(double k, double t);

// The phase of the lunation that truncToInt(estimate) names.
double newMoonJde(double estimate);
double fullMoonJde(double estimate);
double quarterJde(double estimate, double offset);  // W added for 0.25 only, else subtracted

// The phase of this kind in lunation k (k = 0: the new moon of 2000-01-06).
double phaseInstantOfLunation(PhaseKind kind, std::int64_t k);

// jde plus the fourteen additional corrections A1..A14.
double addPlanetaryCorrections(double jde, double t, double k);

// The instant of this kind that belongs to the displayed day: the first candidate whose
// whole Julian Day reaches noon two days before the marked day (early enough for zone +14
// with summer time), or the last one tried (day shift +2).
double findPhaseInstant(const Frame& frame, PhaseKind kind);

// The same search with the number of candidates it computed (4 at most from 2000 on,
// 38 at most before) and the lunation of the instant it returns.
struct PhaseSearch {
    double jde;
    int candidates;
    std::int64_t lunation = 0;
};
PhaseSearch searchPhaseInstant(const Frame& frame, PhaseKind kind);

// Local MJD of an instant: the time zone, plus summer time when it applies at the instant.
double jdeToLocalMjd(const Frame& frame, double jde);

}  // namespace dorvalen
