// Degrees.minutes arithmetic in whole arc minutes.
#include "core/degrees_minutes.h"

#include <algorithm>
#include <cmath>

#include "core/conversions.h"

namespace dorvalen {

namespace {
constexpr double largestDegrees = 1e9;  // keeps degrees * 60 far inside 64 bits
}  // namespace

std::int64_t arcMinutesOf(double degreesMinutes) {
    if (!std::isfinite(degreesMinutes)) return 0;
    const double magnitude = std::min(std::fabs(degreesMinutes), largestDegrees);
    const double degrees = std::trunc(magnitude);
    const double fraction = magnitude - degrees;
    const double minutes = fraction >= 0.599 ? fraction * 60.0 : fraction * 100.0;
    const std::int64_t total = truncToInt(degrees) * 60 + roundToInt(minutes);
    return degreesMinutes < 0 ? -total : total;
}

double degreesMinutesOf(std::int64_t arcMinutes) {
    const std::int64_t magnitude = arcMinutes < 0 ? -arcMinutes : arcMinutes;
    // Both operands are exact, so the quotient is the double nearest the decimal d.mm.
    const double value = static_cast<double>(magnitude / 60 * 100 + magnitude % 60) / 100.0;
    return arcMinutes < 0 ? -value : value;
}

double stepDegreesMinutes(double value, std::int64_t stepMinutes, double bound) {
    if (std::isnan(value)) return value;
    const std::int64_t limit = roundToInt(bound * 60.0);
    const std::int64_t moved = arcMinutesOf(std::clamp(value, -bound, bound)) + stepMinutes;
    return degreesMinutesOf(std::clamp(moved, -limit, limit));
}

std::string degreesMinutesText(double degreesMinutes) {
    if (!std::isfinite(degreesMinutes)) return "?";
    const std::int64_t total = arcMinutesOf(std::fabs(degreesMinutes));
    const std::int64_t minutes = total % 60;
    return std::to_string(total / 60) + "°" + (minutes < 10 ? "0" : "") +
           std::to_string(minutes) + "'";
}

}  // namespace dorvalen
