// The settings file a companion tool reads: the tools are started from any folder, while
// the clock started from the menu keeps its file in the launcher's folder.
#include "settings/settings_location.h"

#include "settings/files.h"
#include "settings/settings_file.h"

namespace dorvalen {

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string inFolder(const std::string& folder, std::string_view name) {
    if (folder.empty() || folder == ".") return std::string(name);
    return folder + (folder.back() == '/' ? "" : "/") + std::string(name);
}

// A path inside a one-line message: control characters would break the line.
std::string shown(std::string path) {
    for (char& c : path)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
    return path;
}

}  // namespace

std::string SettingsLocation::beside(std::string_view name) const { return inFolder(folder, name); }

std::string SettingsLocation::description() const {
    switch (source) {
        case SettingsSource::CommandLine:
        case SettingsSource::LauncherFolder:
            return "Einstellungen aus " + shown(file);
        case SettingsSource::WorkingFolder:
            return folder == "." ? std::string("Einstellungen aus Dorvalen.dat im Arbeitsverzeichnis")
                                 : "Einstellungen aus " + shown(file);
        case SettingsSource::Defaults:
            break;
    }
    return std::string("Voreinstellungen: keine Dorvalen.dat im Arbeitsverzeichnis") +
           (folder == "." ? "" : " oder in " + shown(folder));
}

std::optional<std::string> launcherFolder(const char* xdgConfigHome, const char* home) {
    // As the launcher does: a relative or empty XDG_CONFIG_HOME does not count.
    if (xdgConfigHome != nullptr && xdgConfigHome[0] == '/')
        return inFolder(xdgConfigHome, "dorvalen");
    if (home != nullptr && home[0] != '\0') return inFolder(inFolder(home, ".config"), "dorvalen");
    return std::nullopt;
}

SettingsLocation locateSettingsFile(const std::optional<std::string>& explicitPath,
                                    const std::string& workingFolder, const char* xdgConfigHome,
                                    const char* home) {
    if (explicitPath) return {*explicitPath, folderOf(*explicitPath), SettingsSource::CommandLine};
    const std::string working = workingFolder.empty() ? "." : workingFolder;
    const std::string local = inFolder(working, settingsFileName);
    if (pathKindOf(local) != PathKind::Missing)
        return {local, working, SettingsSource::WorkingFolder};
    const std::optional<std::string> launcher = launcherFolder(xdgConfigHome, home);
    if (!launcher) return {local, working, SettingsSource::Defaults};
    const std::string file = inFolder(*launcher, settingsFileName);
    return {file, *launcher,
            pathKindOf(file) != PathKind::Missing ? SettingsSource::LauncherFolder
                                                  : SettingsSource::Defaults};
}

}  // namespace dorvalen
