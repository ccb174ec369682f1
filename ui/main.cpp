// Start-up: state first, then the platform, then the window; nothing is saved at exit.
// The constant tables are compiled in (app/tables.h), so there is nothing to fill.
#include <QApplication>

#include "app/clock_state.h"
#include "app/clock_window.h"
#include "platform/wall_clock.h"

int main(int argc, char** argv) {
    dorvalen::ClockState state;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dorvalen"));
    const dorvalen::SystemWallClock clock;
    return dorvalen::runClockWindow(state, clock);
}
