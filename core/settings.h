// The ten persisted settings. Strings are held as UTF-8 in memory; the settings file
// stores them in Windows-1252 (see settings_file.h).
#pragma once

#include <cstdint>
#include <string>

namespace dorvalen {

struct ClockSettings {
    std::string placeName = "Mirelstadt";
    double longitude = -12.52;        // degrees.minutes, west positive
    double latitude = 48.47;          // degrees.minutes, north positive
    double timeZone = 1.0;            // hours east of Greenwich, decimal
    std::int32_t autoSummerTime = 1;  // non-zero: the summer-time rule applies
    std::int32_t twilightKind = 3;    // 3 civil, 4 nautical, 5 astronomical (file may hold others)
    std::int32_t alwaysOnTop = 0;
    std::int8_t showShiftColors = 1;  // low 8 bits of the stored number
    std::int32_t dialColor = 218099387;  // r + g*256 + b*65536, top byte kept as stored
    std::int8_t showSecondsHand = 0;  // only 1 shows the hand

    friend bool operator==(const ClockSettings&, const ClockSettings&) = default;
};

}  // namespace dorvalen
