// The ten persisted settings, and the few kept beyond them. Strings are held as UTF-8 in memory; the settings file
// stores them in Windows-1252 (see settings_file.h).
#pragma once

#include <cstdint>
#include <string>

namespace dorvalen {

// Settings beyond the ten lines. The file keeps them below the group line "[Dorvalen]"
// after the ten lines: the ten lines' reader stops at the first group line, so no reader of
// the ten lines can take them for one of its own.
struct ExtraSettings {
    std::int32_t crewLabels = 0;  // "Schichtnamen auf dem Ring": non-zero writes each crew on it
    // "Meine Schichtgruppe": the user's crew by its name in the rota (UTF-8); empty: none.
    // Kept by name, so a crew the rota in force does not know is not lost, only unused.
    std::string myCrew;
    std::int32_t reminders = 0;         // "Erinnerung vor Schichtbeginn": non-zero: on
    std::int32_t reminderMinutes = 30;  // "Erinnerung Minuten vorher"
    std::int32_t eveningNotice = 0;     // "Erinnerung am Vorabend": also the evening before an early shift
    // The file from its first group line on, as read (Windows-1252): a save writes it back
    // with the entries above brought up to date, so nothing another version wrote is lost.
    std::string tail;

    friend bool operator==(const ExtraSettings&, const ExtraSettings&) = default;
};

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
    ExtraSettings extra;              // not one of the ten lines

    friend bool operator==(const ClockSettings&, const ClockSettings&) = default;
};

// The seconds hand shows for the stored 1 alone; any other number, as a damaged file may
// hold, leaves it off.
inline bool showsSecondsHand(const ClockSettings& s) { return s.showSecondsHand == 1; }

}  // namespace dorvalen
