// The reminders' D-Bus side. Only asynchronous calls: QDBusInterface is never used, since
// it introspects the server when it is made, and a blocking call could wait 25 s for a
// server that does not answer.
#include "ui/shift_reminders.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>
#include <cstdio>

#include "core/face_texts.h"

namespace dorvalen {

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString appId = QStringLiteral("org.dorvalen.Dorvalen");
constexpr int callTimeoutMs = 5000;

void warnOnce(bool& warned, const QString& why) {
    if (warned) return;
    warned = true;
    std::fprintf(stderr, "dorvalen: Erinnerung nicht angezeigt: %s\n", why.toUtf8().constData());
    std::fflush(stderr);
}

}  // namespace

ShiftReminders::ShiftReminders(QObject* parent) : QObject(parent) {}

void ShiftReminders::tick(const ClockState& state) {
    const ExtraSettings& extra = state.settings.extra;
    const DateValue now = state.now;
    if (extra.myCrew.empty() || extra.reminders == 0 || now < 0) {
        active_ = false;
        return;
    }
    const ReminderRules rules = reminderRules(extra);
    const bool changed = !active_ || extra.myCrew != crewName_ || rules.leadMinutes != rules_.leadMinutes ||
                         rules.eveningBefore != rules_.eveningBefore || state.rotaFile.get() != rotaFile_;
    if (changed) {
        if (extra.myCrew != crewName_ || state.rotaFile.get() != rotaFile_) given_.reset();
        crewName_ = extra.myCrew;
        rules_ = rules;
        rotaFile_ = state.rotaFile.get();
        active_ = true;
    }
    // From now on (the first tick, new settings) or after a step back, checks start afresh;
    // `given_` keeps a step back from repeating a notice.
    if (changed || last_ < 0 || now < last_) {
        last_ = now - 1;
        nextDue_ = now;
    }
    if (now >= nextDue_) {
        const ShiftRota rota(state.rotaFile);
        const std::optional<int> crew = myCrewIn(rota, extra);
        if (!crew) {
            nextDue_ = now + 3600;  // a name the rota does not know: ask again in an hour
        } else {
            const ReminderCheck check = checkReminders(rota, *crew, rules_, last_, now, given_);
            nextDue_ = check.nextDue;
            if (check.notice) {
                given_ = check.notice;
                send(*check.notice, rota, now);
            }
        }
    }
    last_ = now;
}

void ShiftReminders::send(const ShiftNotice& notice, const ShiftRota& rota, DateValue now) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        warnOnce(warned_, QStringLiteral("keine D-Bus-Sitzung"));
        return;
    }
    listenForClicks();
    const DateValue start = notice.shift.start;
    const QString body = QString::fromStdString(
        std::string(weekdayNames[static_cast<std::size_t>((dayIndexOf(start) % 7 + 11) % 7)]) +
        ", " + intText(dayOf(start)) + "." + intText(monthOf(start)) + "." + intText(yearOf(start)) +
        " · Gruppe " + rota.crew(notice.shift.crew).name);
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), appId);
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(1)));
    call << QStringLiteral("Dorvalen") << uint(noticeId_) << appId
         << QString::fromStdString(noticeText(notice, rota, now)) << body
         << QStringList{QStringLiteral("default"), QStringLiteral("Uhr zeigen")} << hints
         << int(-1);
    ++noticesSent_;
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError())
            warnOnce(warned_, reply.error().message().isEmpty() ? reply.error().name()
                                                               : reply.error().message());
        else
            noticeId_ = reply.value();
        w->deleteLater();
        emit noticeAnswered();
    });
}

// The click arrives as a signal from whichever connection owns the server's name; matching
// on no sender needs no name look-up (which Qt would make as a blocking call).
void ShiftReminders::listenForClicks() {
    if (listening_) return;
    listening_ = QDBusConnection::sessionBus().connect(
        QString(), path, interface, QStringLiteral("ActionInvoked"), this,
        SLOT(onActionInvoked(uint, QString)));
}

void ShiftReminders::onActionInvoked(uint id, const QString& action) {
    if (id != 0 && id == noticeId_ && action == QStringLiteral("default")) emit noticeClicked();
}

}  // namespace dorvalen
