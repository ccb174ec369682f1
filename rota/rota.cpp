// The rota model over its two implementations, and the ring plan of a file's rota.
#include "rota/rota.h"

#include <algorithm>

#include "core/angles.h"
#include "rota/rota_tables.h"

namespace dorvalen {

namespace {

constexpr std::int64_t secondsPerDay = 86400;

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

int ShiftRota::crewCount() const {
    return file_ ? static_cast<int>(file_->crews.size()) : dorvalen::crewCount;
}

CrewLook ShiftRota::crew(int crew) const {
    const auto i = static_cast<std::size_t>(crew);
    if (file_) {
        const RotaCrew& c = file_->crews[i];
        return {c.name, c.red, c.green, c.blue};
    }
    const Crew& c = crewTable[i];
    return {c.colourName, c.red, c.green, c.blue};
}

std::vector<WorkedShift> ShiftRota::shiftsBeginningOn(std::int32_t dayIndex) const {
    if (!file_) return dorvalen::shiftsBeginningOn(dayIndex);
    std::vector<WorkedShift> shifts;
    if (dayIndex < 0 || addToDate(0, DateUnit::Days, dayIndex) == invalidDate) return shifts;
    for (const FileShift& s : fileShiftsBeginningOn(*file_, dayIndex))
        shifts.push_back({s.crew, ShiftKind::Early, s.startSeconds, s.endSeconds, s.kind});
    return shifts;
}

const RotaShiftKind* ShiftRota::fileKind(const WorkedShift& shift) const {
    if (!file_ || shift.fileKind < 0 || shift.fileKind >= static_cast<int>(file_->shifts.size()))
        return nullptr;
    return &file_->shifts[static_cast<std::size_t>(shift.fileKind)];
}

std::optional<int> ShiftRota::fileCrewNamed(std::string_view name) const {
    if (!file_) return std::nullopt;
    for (std::size_t i = 0; i < file_->crews.size(); ++i) {
        const std::string& crewName = file_->crews[i].name;
        if (crewName.size() == name.size() &&
            std::equal(crewName.begin(), crewName.end(), name.begin(),
                       [](char a, char b) { return upperAscii(a) == upperAscii(b); }))
            return static_cast<int>(i);
    }
    return std::nullopt;
}

ShiftRingPlan planFileRing(const RotaFile& rota, const Frame& frame) {
    ShiftRingPlan plan;
    plan.fromFile = true;
    plan.showShiftColors = frame.settings.showShiftColors != 0;
    const DateValue now = frame.moment.moment;
    const std::int64_t today = frame.moment.dayIndex;
    plan.shiftDay = static_cast<std::int32_t>(today);
    if (!plan.showShiftColors) return plan;

    // A shift lasts at most a day: the ones that can touch the window begin from the day
    // before yesterday (running now, window start) to tomorrow.
    std::vector<FileShift> near;
    near.reserve(4 * rota.crews.size());
    for (std::int64_t day = today - 2; day <= today + 1; ++day)
        for (const FileShift& s : fileShiftsBeginningOn(rota, day)) near.push_back(s);
    // With no shift running the window starts at the whole minute, so the ring changes
    // only when the frame's minute does (a tick of seconds alone redraws only the time).
    DateValue windowStart = now - ((now % 60) + 60) % 60;
    for (const FileShift& s : near)
        if (s.startSeconds <= now && now < s.endSeconds)
            windowStart = std::min(windowStart, s.startSeconds);
    const DateValue windowEnd = windowStart + secondsPerDay;
    plan.windowStartSeconds =
        static_cast<int>(((windowStart % secondsPerDay) + secondsPerDay) % secondsPerDay);

    const auto dividerAt = [&](std::int64_t secondsOfDay) {
        const double deg =
            dialAngleOfHours(static_cast<double>(secondsOfDay % secondsPerDay) / 3600.0);
        if (std::find(plan.dividersDeg.begin(), plan.dividersDeg.end(), deg) ==
            plan.dividersDeg.end())
            plan.dividersDeg.push_back(deg);
    };
    for (const FileShift& s : near) {
        if (s.startSeconds >= windowEnd || s.endSeconds <= windowStart) continue;
        const RotaCrew& crew = rota.crews[static_cast<std::size_t>(s.crew)];
        const DateValue from = std::max(s.startSeconds, windowStart);
        const DateValue to = std::min(s.endSeconds, windowEnd);
        plan.arcs.push_back({s.crew, crew.red, crew.green, crew.blue,
                             static_cast<int>(from - windowStart),
                             static_cast<int>(to - windowStart)});
        dividerAt(from - windowStart + plan.windowStartSeconds);
        dividerAt(to - windowStart + plan.windowStartSeconds);
    }
    return plan;
}

}  // namespace dorvalen
