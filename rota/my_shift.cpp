// The user's crew, its next shift and the reminders before it, over the rota model.
#include "rota/my_shift.h"

#include <algorithm>

#include "core/calendar.h"
#include "core/face_texts.h"

namespace dorvalen {

namespace {

constexpr DateValue secondsPerDay = 86400;
constexpr int maxLeadMinutes = 720;
// An evening notice comes at most 16 hours before its shift (20:00 to noon).
constexpr DateValue eveningReach = 16 * 3600;

bool sameIgnoringAsciiCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return lower(x) == lower(y); });
}

std::string clockText(DateValue local) {
    return intText(hourOf(local)) + ":" + twoDigits(minuteOf(local));
}

// Evening notice and lead reminder are two stages of one shift; a catch-up is the lead's.
int stageOf(NoticeKind kind) { return kind == NoticeKind::EveningBefore ? 0 : 1; }

bool laterThan(const ShiftNotice& a, const ShiftNotice& b) {
    if (a.shift.start != b.shift.start) return a.shift.start > b.shift.start;
    return stageOf(a.kind) > stageOf(b.kind);
}

}  // namespace

std::optional<int> myCrewIn(const ShiftRota& rota, const ExtraSettings& extra) {
    const std::string& name = extra.myCrew;
    if (name.empty()) return std::nullopt;
    if (!rota.isBuiltIn()) return rota.fileCrewNamed(name);
    if (name.size() == 1 && name[0] >= '0' && name[0] < '0' + rota.crewCount()) return name[0] - '0';
    for (int crew = 0; crew < rota.crewCount(); ++crew)
        if (sameIgnoringAsciiCase(rota.crew(crew).name, name)) return crew;
    return std::nullopt;
}

std::optional<WorkedShift> nextShiftOfCrew(const ShiftRota& rota, int crew, DateValue after,
                                           int horizonDays) {
    if (after < 0 || crew < 0 || crew >= rota.crewCount()) return std::nullopt;
    // A shift belongs to the day it begins on, never before that day's midnight.
    const std::int64_t first = dayIndexOf(after);
    for (std::int64_t day = first; day <= first + horizonDays; ++day) {
        if (day > INT32_MAX) break;
        for (const WorkedShift& shift : rota.shiftsBeginningOn(static_cast<std::int32_t>(day)))
            if (shift.crew == crew && shift.start > after) return shift;
    }
    return std::nullopt;
}

std::string shiftShortName(const WorkedShift& shift, const ShiftRota& rota) {
    if (const RotaShiftKind* kind = rota.fileKind(shift)) return kind->name;
    switch (shift.kind) {
        case ShiftKind::Early: return "Früh";
        case ShiftKind::Late: return "Spät";
        case ShiftKind::WeekendDay: return "Tag";
        case ShiftKind::Night:
        case ShiftKind::WeekendNight: return "Nacht";
    }
    return "";
}

std::string shiftSpanText(const WorkedShift& shift, const ShiftRota& rota) {
    return shiftShortName(shift, rota) + " " + clockText(shift.start) + "–" + clockText(shift.end);
}

std::string myNextShiftText(const ShiftRota& rota, const ExtraSettings& extra, DateValue moment) {
    const std::optional<int> crew = myCrewIn(rota, extra);
    if (!crew) return {};
    const std::optional<WorkedShift> next = nextShiftOfCrew(rota, *crew, moment);
    if (!next) return "Meine nächste Schicht: keine in den nächsten " +
                      intText(nextShiftHorizonDays) + " Tagen";
    const std::string_view day =
        weekdayNames[static_cast<std::size_t>((dayIndexOf(next->start) % 7 + 11) % 7)];
    return "Meine nächste Schicht: " + shiftShortName(*next, rota) + ", " +
           std::string(day.substr(0, 2)) + " " + clockText(next->start) + "–" +
           clockText(next->end);
}

ReminderRules reminderRules(const ExtraSettings& extra) {
    return {std::clamp(extra.reminderMinutes, 1, maxLeadMinutes), extra.eveningNotice != 0};
}

ReminderCheck checkReminders(const ShiftRota& rota, int crew, const ReminderRules& rules,
                             DateValue last, DateValue now,
                             const std::optional<ShiftNotice>& given) {
    const DateValue lead = DateValue{std::clamp(rules.leadMinutes, 1, maxLeadMinutes)} * 60;
    const DateValue reach = std::max(lead, rules.eveningBefore ? eveningReach : 0);
    ReminderCheck check;
    // Nothing of a shift beyond now + 2 reach falls due before now + reach.
    check.nextDue = now + reach;
    if (now < 0) return check;
    last = std::min(last, now);
    std::optional<ShiftNotice> best;
    const auto consider = [&](const WorkedShift& shift, NoticeKind kind, DateValue due,
                              DateValue until) {
        if (due > now) {
            check.nextDue = std::min(check.nextDue, due);
            return;
        }
        if (due <= last || now >= until) return;
        const ShiftNotice notice{shift, kind, due};
        if (given && !laterThan(notice, *given)) return;
        if (!best || due > best->dueAt) best = notice;
    };
    // A shift still running began less than a day ago; one that began before `last` had
    // everything of it due by then.
    std::optional<WorkedShift> shift =
        nextShiftOfCrew(rota, crew, std::max(last, now - secondsPerDay), 3);
    for (; shift && shift->start <= now + 2 * reach;
         shift = nextShiftOfCrew(rota, crew, shift->start, 3)) {
        const DateValue ahead = shift->start - lead;
        const DateValue dayStart = shift->start - (shift->start % secondsPerDay);
        const DateValue evening = dayStart - secondsPerDay + eveningNoticeSecondsOfDay;
        if (rules.eveningBefore && shift->start - dayStart < secondsPerDay / 2 && evening < ahead)
            consider(*shift, NoticeKind::EveningBefore, evening, ahead);
        consider(*shift, now < shift->start ? NoticeKind::Ahead : NoticeKind::Started, ahead,
                 shift->end);
    }
    check.notice = best;
    return check;
}

std::string noticeText(const ShiftNotice& notice, const ShiftRota& rota, DateValue now) {
    const std::string span = shiftSpanText(notice.shift, rota);
    switch (notice.kind) {
        case NoticeKind::EveningBefore: return "Schicht morgen: " + span;
        case NoticeKind::Started:
            return "Schicht hat um " + clockText(notice.shift.start) + " begonnen: " + span;
        case NoticeKind::Ahead: break;
    }
    const DateValue minutes = std::max<DateValue>((notice.shift.start - now + 59) / 60, 1);
    return "Schicht beginnt in " + intText(minutes) + (minutes == 1 ? " Minute: " : " Minuten: ") +
           span;
}

}  // namespace dorvalen
