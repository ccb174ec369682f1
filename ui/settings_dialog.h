// The settings dialog "Programmeinstellungen", which holds the clock window while it is open.
//
// 1. At opening the fields show the settings; leaving a field reformats it at once (the name
//    is taken over then, cut to 50 characters with a message).
// 2. The twilight options and the colour chooser change the settings at once, whatever the
//    dialog's end.
// 3. "Anzeigen" and "Speichern" take the coordinates, the time zone and the check boxes over
//    (east, south and west turn the typed value's sign); "Speichern" then writes the file
//    and says so when it cannot. "Abbruch", Esc and Close take nothing more over.
// 4. The rota option chooses the built-in rota or Schichtplan.txt: "Anzeigen" shows it,
//    "Speichern" also stores the choice beside the rota file. Two lines say which rota is
//    in force and why the file was refused, when it was.
// 5. "Meine Schichtgruppe" (keine, or a crew of the rota in force) and the reminders (on,
//    minutes before, the evening before) are taken over by "Anzeigen" and "Speichern".
// 6. Before "Speichern" the user confirms a name the file would give back changed
//    (characters without a Windows-1252 byte, blanks at its ends); "Nein" keeps it typed.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/clock_state.h"
#include "ui/clock_rota.h"

class QWidget;

namespace dorvalen {

// The two system dialogs the settings dialog opens, replaceable so that tests can answer
// them. An empty function means the system dialog.
struct SettingsDialogSeams {
    // The chosen colour as r + g*256 + b*65536, or nothing when the user cancels.
    std::function<std::optional<std::int32_t>(QWidget* parent, std::int32_t startColour)>
        chooseColour;
    // A message box with an OK button; returns when it is closed.
    std::function<void(QWidget* parent, const QString& title, const QString& text)> showMessage;
    // A question with the buttons Ja and Nein; true for Ja.
    std::function<bool(QWidget* parent, const QString& title, const QString& text)> askQuestion;
};

// Runs the dialog until Speichern, Anzeigen, Abbruch, Esc or Close (in the dialog or in any
// other window of the program, the clock window included); changes state.settings
// as the user chose and saves on Speichern. `clockWindow` owns the dialog and is put above
// all windows or back when "always on top" changes; it may be null.
// `rota`: how the clock read its rota; a changed choice is applied to state.rotaFile and
// written back into it. Null: as if no choice were stored and no file refused.
void openSettingsDialog(QWidget* clockWindow, ClockState& state,
                        const SettingsDialogSeams& seams = {}, ClockRotaStatus* rota = nullptr);

}  // namespace dorvalen
