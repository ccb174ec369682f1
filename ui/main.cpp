// Start-up: state first, then the platform, then the window; nothing is saved at exit.
// The constant tables are compiled in (rota/rota_tables.h, astro/term_tables.h), so there is nothing to fill.
#include <QApplication>

#include "core/clock_state.h"
#include "ui/clock_window.h"
#include "core/wall_clock.h"

int main(int argc, char** argv) {
    dorvalen::ClockState state;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dorvalen"));
    const dorvalen::SystemWallClock clock;
    return dorvalen::runClockWindow(state, clock);
}
