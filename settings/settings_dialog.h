// The settings dialog "Programmeinstellungen", modal over the clock window.
#pragma once

#include "app/clock_state.h"

class QWidget;

namespace dorvalen {

// Runs the dialog until Speichern, Anzeigen, Abbruch, Esc or Close; changes state.settings
// as the user chose and saves on Speichern.
void openSettingsDialog(QWidget* clockWindow, ClockState& state);

}  // namespace dorvalen
