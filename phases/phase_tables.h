// The compiled term rows of the phase method, generated from the reference tables
// (scripts/generate_reference_tables.sh), with the row shapes they fill.
#pragma once

namespace dorvalen {

struct PhaseTerm {
    double coefficient;  // days
    int ePower;
    int m, mPrime, f, omega;  // multiples of M, M', F, Omega
};
struct AdditionalCorrection {
    double coefficient;  // days
    double constant, perK, perT2;  // degrees
};
struct QuarterCorrectionTerm {
    bool isCosine;
    double coefficient;  // days
    int ePower;
    int m, mPrime, f;
};

#include "phases/phase_tables.inc"

}  // namespace dorvalen
