// Reminders on a real session bus (tests/e2e/notifications.sh starts it): with python3-dbusmock's
// notification server, a Notify at the due second of a pinned clock and not a second before,
// none while only the displayed day moves, the evening notice replaced by the lead reminder
// (replaces_id), a click raising, one catch-up after a 2-hour jump; without a server, one
// line on standard error and no tick held up.
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QVariantMap>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

#include "tests/support/test_state.h"
#include "ui/shift_reminders.h"

namespace dorvalen {
namespace {

const QString path = QStringLiteral("/org/freedesktop/Notifications");

bool waitFor(const std::function<bool()>& done, int ms = 5000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return done();
}

// The Notify calls the mock server logged, each with its arguments.
std::vector<QVariantList> notifyCalls() {
    const QDBusMessage reply = QDBusConnection::sessionBus().call(
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"), path,
                                       QStringLiteral("org.freedesktop.DBus.Mock"),
                                       QStringLiteral("GetCalls")));
    std::vector<QVariantList> calls;
    const QDBusArgument log = reply.arguments().value(0).value<QDBusArgument>();
    log.beginArray();
    while (!log.atEnd()) {
        quint64 stamp = 0;
        QString method;
        QVariantList args;
        log.beginStructure();
        log >> stamp >> method >> args;
        log.endStructure();
        if (method == QStringLiteral("Notify")) calls.push_back(args);
    }
    log.endArray();
    return calls;
}

// Crew Rot works early on Friday 26.03.2027 (5:45-13:45) and Saturday 27.03.
ClockState myCrewAt(int day, int hour, int minute, int second) {
    ClockState state = test::stateAt(2027, 3, day, hour, minute, second);
    state.settings.extra.myCrew = "Rot";
    state.settings.extra.reminders = 1;
    state.settings.extra.eveningNotice = 1;
    return state;
}

TEST(ReminderBus, NoticeAtTheDueSecondReplacedClickedAndOneCatchUp) {
    if (qEnvironmentVariable("DORVALEN_NOTIFY_SESSION") != QStringLiteral("server"))
        GTEST_SKIP() << "runs under tests/e2e/notifications.sh";
    ShiftReminders reminders;
    int answers = 0, clicks = 0;
    QObject::connect(&reminders, &ShiftReminders::noticeAnswered, [&] { ++answers; });
    QObject::connect(&reminders, &ShiftReminders::noticeClicked, [&] { ++clicks; });
    const auto tick = [&](int day, int hour, int minute, int second, double displayedDay = 0) {
        ClockState state = myCrewAt(day, hour, minute, second);
        state.displayedDay = displayedDay;
        reminders.tick(state);
    };

    // Browsing: the display shows Friday 5:15 while the wall clock stays on Thursday noon.
    for (int s = 0; s < 3; ++s) tick(25, 12, 0, s, (17.0 * 3600 + 15 * 60 - s) / 86400);
    tick(25, 19, 59, 59);
    EXPECT_EQ(reminders.noticesSent(), 0) << "browsing or the second before fired";
    tick(25, 20, 0, 0);
    ASSERT_TRUE(waitFor([&] { return answers == 1; }));
    const std::uint32_t id = reminders.shownNoticeId();
    ASSERT_NE(id, 0u);
    tick(26, 5, 14, 59);
    EXPECT_EQ(reminders.noticesSent(), 1);
    tick(26, 5, 15, 0);
    ASSERT_TRUE(waitFor([&] { return answers == 2; }));

    std::vector<QVariantList> calls = notifyCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].value(1).toUInt(), 0u);
    EXPECT_EQ(calls[0].value(3).toString(), QStringLiteral("Schicht morgen: Früh 5:45–13:45"));
    EXPECT_EQ(calls[1].value(1).toUInt(), id) << "replaces_id not the shown notice's";
    EXPECT_EQ(calls[1].value(3).toString(),
              QStringLiteral("Schicht beginnt in 30 Minuten: Früh 5:45–13:45"));
    const QVariantMap hints = qdbus_cast<QVariantMap>(calls[1].value(6));
    EXPECT_EQ(hints.value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("org.dorvalen.Dorvalen"));
    EXPECT_TRUE(calls[1].value(5).toStringList().contains(QStringLiteral("default")));

    // The server reports the click as ActionInvoked of the shown notice.
    QDBusMessage click = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), path,
        QStringLiteral("org.freedesktop.DBus.Mock"), QStringLiteral("EmitSignal"));
    click << QStringLiteral("org.freedesktop.Notifications") << QStringLiteral("ActionInvoked")
         << QStringLiteral("us")
         << QVariantList{QVariant::fromValue(uint(id)), QStringLiteral("default")};
    QDBusConnection::sessionBus().call(click);
    EXPECT_TRUE(waitFor([&] { return clicks == 1; })) << "a click did not reach the clock";

    // Saturday 4:00 (Friday evening's notice for Saturday comes late, as one), then the wall
    // clock jumps two hours over the reminder and the start: one catch-up.
    tick(27, 4, 0, 0);
    ASSERT_TRUE(waitFor([&] { return answers == 3; }));
    tick(27, 6, 0, 0);
    tick(27, 6, 0, 1);
    ASSERT_TRUE(waitFor([&] { return answers == 4; }));
    calls = notifyCalls();
    ASSERT_EQ(calls.size(), 4u) << "not exactly one catch-up";
    EXPECT_EQ(calls[2].value(3).toString(), QStringLiteral("Schicht morgen: Früh 5:45–13:45"));
    EXPECT_EQ(calls[3].value(3).toString(),
              QStringLiteral("Schicht hat um 5:45 begonnen: Früh 5:45–13:45"));
}

TEST(ReminderBus, NoServerOneLineOnStandardErrorAndNoWait) {
    if (qEnvironmentVariable("DORVALEN_NOTIFY_SESSION") != QStringLiteral("none"))
        GTEST_SKIP() << "runs under tests/e2e/notifications.sh";
    ShiftReminders reminders;
    int answers = 0;
    QObject::connect(&reminders, &ShiftReminders::noticeAnswered, [&] { ++answers; });
    testing::internal::CaptureStderr();
    QElapsedTimer ticking;
    ticking.start();
    for (int day : {26, 27}) {
        for (int s = 58; s <= 60; ++s) {
            ClockState state = myCrewAt(day, 5, 14 + s / 60, s % 60);
            state.settings.extra.eveningNotice = 0;
            reminders.tick(state);
        }
    }
    EXPECT_LT(ticking.elapsed(), 500) << "the ticks waited for the bus";
    EXPECT_EQ(reminders.noticesSent(), 2);
    const bool answered = waitFor([&] { return answers == 2; });
    const std::string err = testing::internal::GetCapturedStderr();
    ASSERT_TRUE(answered) << "the failed calls never came back";
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("Erinnerung nicht angezeigt"), std::string::npos) << err;
}

}  // namespace
}  // namespace dorvalen
