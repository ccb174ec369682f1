// The rota the clock shows: Schichtplan.txt beside the settings file (the working
// directory), unless the choice stored beside it says built-in. Read at start, on Home and
// when the dialog changes the choice; a refused file keeps the rota the clock had (at
// start the built-in one) and its reason is kept for the dialog and written to stderr.
#pragma once

#include <optional>
#include <string>

#include "core/clock_state.h"
#include "rota/rota.h"
#include "settings/files.h"

namespace dorvalen {

struct ClockRotaStatus {
    RotaChoice choice = RotaChoice::File;  // as stored
    std::string refusal;  // why the file was refused at the last reading; empty when it was not
};

// The path of `name` (Schichtplan.txt, the choice file) in the clock's settings folder.
std::string clockRotaPath(const char* name);

// Reads the stored choice (or takes `choice`, the dialog's) and, when it is the file, the
// file; sets state.rotaFile.
void reloadClockRota(ClockState& state, ClockRotaStatus& status,
                     std::optional<RotaChoice> choice = std::nullopt);

// Stores the choice beside the rota file (written whole or not at all).
WriteResult storeRotaChoice(RotaChoice choice);

// "eingebauter Schichtplan" or "Schichtplan.txt (4 Gruppen)": what the state shows.
std::string rotaInForceText(const ClockState& state);

}  // namespace dorvalen
