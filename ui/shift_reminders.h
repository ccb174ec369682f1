// Desktop notices before the user's shifts, through org.freedesktop.Notifications.
//   1. tick(state) runs after every wall-clock reading; rota/my_shift.h decides what is due
//      (at most one notice per check), so browsing days, which moves only the displayed
//      moment, fires nothing.
//   2. Notify is sent asynchronously: a missing or hung server never stalls the tick. Every
//      notice replaces the one shown before (replaces_id of the last reply), so the clock
//      has at most one on the screen.
//   3. A click on the notice ("default" action) emits noticeClicked.
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "core/clock_state.h"
#include "rota/my_shift.h"

namespace dorvalen {

class ShiftReminders : public QObject {
    Q_OBJECT

public:
    explicit ShiftReminders(QObject* parent = nullptr);

    // state.now is the wall clock just read. Nearly always a few comparisons: the rota is
    // asked only when the next notice can be due.
    void tick(const ClockState& state);

    // Seconds from `now` until a notice can next be due; nothing while reminders are off.
    std::optional<std::int64_t> secondsToNextCheck(DateValue now) const {
        if (!active_) return std::nullopt;
        return nextDue_ > now ? nextDue_ - now : 0;
    }

    int noticesSent() const { return noticesSent_; }
    std::uint32_t shownNoticeId() const { return noticeId_; }  // 0: none (yet)

signals:
    void noticeClicked();
    void noticeAnswered();  // a Notify call came back, with an id or an error

private slots:
    void onActionInvoked(uint id, const QString& action);

private:
    void send(const ShiftNotice& notice, const ShiftRota& rota, DateValue now);
    void listenForClicks();

    // What the last check was made for; any change starts the checks afresh.
    std::string crewName_;
    ReminderRules rules_;
    const void* rotaFile_ = nullptr;
    bool active_ = false;

    DateValue last_ = -1;     // the previous tick's wall clock
    DateValue nextDue_ = 0;   // nothing is due before this
    std::optional<ShiftNotice> given_;
    std::uint32_t noticeId_ = 0;
    int noticesSent_ = 0;
    bool listening_ = false;
    bool warned_ = false;  // one line on standard error per run, however often it fails
};

}  // namespace dorvalen
