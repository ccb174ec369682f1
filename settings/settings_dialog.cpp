// Placeholder until the dialog is built.
#include "settings/settings_dialog.h"

namespace dorvalen {

void openSettingsDialog(QWidget*, ClockState&) {}

}  // namespace dorvalen
