// Which settings file a program outside the clock's own folder reads, and the folder that
// holds it, where the user's other files for the clock are looked up too.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dorvalen {

enum class SettingsSource {
    CommandLine,     // the path the user gave
    WorkingFolder,   // "Dorvalen.dat" in the working directory
    LauncherFolder,  // "Dorvalen.dat" in the folder the menu starts the clock in
    Defaults,        // no file anywhere: the defaults
};

struct SettingsLocation {
    std::string file;    // the settings file to read; for Defaults, where it would be saved
    std::string folder;  // the folder of `file` ("." for the working directory)
    SettingsSource source = SettingsSource::Defaults;

    // The path of the file `name` in `folder`, e.g. beside("Schichtplan.txt").
    std::string beside(std::string_view name) const;
    // One German line for the user: which file was read, or that the defaults were used.
    std::string description() const;
};

// The folder the menu's launcher runs the clock in: $XDG_CONFIG_HOME/dorvalen when that is
// an absolute path, else $HOME/.config/dorvalen; nothing without either.
std::optional<std::string> launcherFolder(const char* xdgConfigHome, const char* home);

// An explicit path (a tool's --settings) is taken as it is. Otherwise "Dorvalen.dat" in
// `workingFolder` ("" is the working directory) when anything has that name, so a folder of
// its own keeps its own place; else the one in the launcher's folder, where the clock started
// from the menu saves it. The environment values are passed in (getenv at the caller).
SettingsLocation locateSettingsFile(const std::optional<std::string>& explicitPath,
                                    const std::string& workingFolder, const char* xdgConfigHome,
                                    const char* home);

}  // namespace dorvalen
