// Window-system glue shared by the clock window and the settings dialog.
#pragma once

class QWidget;

namespace dorvalen {

// Puts the window above all others (on) or back into the normal order (off), keeping its
// position and size.
void applyAlwaysOnTop(QWidget* window, bool on);

// True where no client may keep its window above others (Wayland): there the desktop does
// it, and the program's on-top switch is shown unavailable.
bool desktopKeepsOnTop();

}  // namespace dorvalen
