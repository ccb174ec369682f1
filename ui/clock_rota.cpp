// Reading the clock's rota file and its stored choice.
#include "ui/clock_rota.h"

#include <cstdio>

#include "settings/settings_file.h"

namespace dorvalen {

std::string clockRotaPath(const char* name) { return siblingPath(settingsFileName, name); }

void reloadClockRota(ClockState& state, ClockRotaStatus& status, std::optional<RotaChoice> choice) {
    status.choice = choice ? *choice : readRotaChoice(clockRotaPath(rotaChoiceFileName));
    status.refusal.clear();
    if (status.choice == RotaChoice::BuiltIn) {
        state.rotaFile.reset();
        return;
    }
    const RotaLoad load = loadRotaFile(clockRotaPath(rotaFileName));
    switch (load.status) {
        case RotaLoad::Status::Missing: state.rotaFile.reset(); break;
        case RotaLoad::Status::Read: state.rotaFile = load.rota; break;
        case RotaLoad::Status::Refused:
            // Nothing half-read: the rota shown so far stays.
            status.refusal = load.error;
            std::fprintf(stderr, "dorvalen: %s\n", load.error.c_str());
            break;
    }
}

WriteResult storeRotaChoice(RotaChoice choice) {
    return replaceFileContents(clockRotaPath(rotaChoiceFileName), rotaChoiceText(choice));
}

std::string rotaInForceText(const ClockState& state) {
    if (!state.rotaFile) return "eingebauter Schichtplan";
    const std::size_t crews = state.rotaFile->crews.size();
    return std::string(rotaFileName) + " (" + std::to_string(crews) +
           (crews == 1 ? " Gruppe)" : " Gruppen)");
}

}  // namespace dorvalen
