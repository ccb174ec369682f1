// The settings file "Dorvalen.dat": ten lines of key " = " value, CR LF, Windows-1252.
// Reading never fails (every field is read or defaulted); saving writes a complete new
// file beside the old one and renames it over, so a failed save loses nothing.
#pragma once

#include <string>
#include <string_view>

#include "core/settings.h"

namespace dorvalen {

inline constexpr const char* settingsFileName = "Dorvalen.dat";

// The fields found in the bytes of a settings file, defaults for the rest.
ClockSettings parseSettings(std::string_view fileBytes);
// The exact bytes saveSettings writes.
std::string formatSettings(const ClockSettings& settings);

// Reads `path` (default: "Dorvalen.dat" in the working directory); a missing or
// unreadable file gives the defaults.
ClockSettings loadSettings(const std::string& path = settingsFileName);

struct SaveResult {
    bool ok = false;
    std::string reason;  // short German text for the user when !ok
};
SaveResult saveSettings(const ClockSettings& settings, const std::string& path = settingsFileName);

}  // namespace dorvalen
