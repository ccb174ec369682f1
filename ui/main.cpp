// Start-up: state first, then the platform, then the window; nothing is saved at exit.
// The constant tables are compiled in (rota/rota_tables.h, astro/term_tables.h), so there is nothing to fill.
#include <QApplication>

#include "core/clock_state.h"
#include "ui/clock_window.h"
#include "core/wall_clock.h"

int main(int argc, char** argv) {
    dorvalen::ClockState state;
    QApplication app(argc, argv);
    // The window class (X11) is the application name, which the desktop entry's
    // StartupWMClass names; Wayland matches the entry by the desktop file name.
    QApplication::setApplicationName(QStringLiteral("Dorvalen"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.dorvalen.Dorvalen"));
    const dorvalen::SystemWallClock clock;
    return dorvalen::runClockWindow(state, clock);
}
