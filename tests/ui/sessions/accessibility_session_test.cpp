// The clock on a real accessibility bus (tests/e2e/accessibility_session.sh starts it, with
// Xvfb): while an assistive technology listens, ten minutes of the wall clock, stepped a
// second at a time, announce the changing words of the face at most once a minute.
#include <QAccessible>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "core/wall_clock.h"
#include "ui/clock_window.h"

namespace dorvalen {
namespace {

TEST(AccessibilityBus, TenMinutesAnnounceAtMostTenChanges) {
    QElapsedTimer waited;
    waited.start();
    while (!QAccessible::isActive() && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(QAccessible::isActive()) << "no accessibility bridge on this bus";

    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    PinnedWallClock clock{{2024, 6, 12, 14, 30, 15}};
    ClockState state;
    {
        ClockWindow window(state, clock);
        window.show();
        for (int elapsed = 1; elapsed <= 600; ++elapsed) {
            const int second = 30 * 60 + 15 + elapsed;
            clock.set({2024, 6, 12, 14 + second / 3600, second / 60 % 60, second % 60});
            window.redrawForTick();
            if (elapsed % 30 == 0) QCoreApplication::processEvents();
        }
        // The minute shown changed ten times (14:31 ... 14:40), each once.
        EXPECT_EQ(window.spokenFaceChanges(), 10);
    }
    QDir::setCurrent(previous);
}

}  // namespace
}  // namespace dorvalen
