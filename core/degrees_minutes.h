// Coordinates in the settings' degrees.minutes notation: 48.47 is 48 degrees 47 minutes.
// The arrow keys step in whole arc minutes and the face and almanac show degrees and
// minutes, so no step ever leaves minutes of 60 and above behind.
#pragma once

#include <cstdint>
#include <string>

namespace dorvalen {

// Whole arc minutes of a finite degrees.minutes value, to the nearest minute. Decimals of
// .599 and more cannot be minutes: like the dialog, read them as a decimal fraction of a
// degree (48.97 is 48 degrees 58 minutes). Magnitudes beyond 10^9 degrees are cut there.
std::int64_t arcMinutesOf(double degreesMinutes);

// The degrees.minutes value of whole arc minutes: the double nearest d.mm (2957 -> 49.17).
double degreesMinutesOf(std::int64_t arcMinutes);

// value moved by stepMinutes and kept within -bound .. bound degrees; a NaN stays NaN.
double stepDegreesMinutes(double value, std::int64_t stepMinutes, double bound);

// The magnitude as degrees and minutes, "48°47'" (the caller names the hemisphere);
// NaN and the infinities give "?".
std::string degreesMinutesText(double degreesMinutes);

}  // namespace dorvalen
