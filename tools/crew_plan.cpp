// A crew's shifts as the ring shows them, with the UTC offsets of the clock's own
// local-time rules, and their printed forms for people and scripts.
#include "tools/crew_plan.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "astro/astro_time.h"
#include "core/calendar.h"
#include "core/clock_state.h"
#include "core/conversions.h"
#include "core/face_texts.h"
#include "rota/rota_tables.h"
#include "tools/almanac_json.h"
#include "tools/tool_text.h"

namespace dorvalen {

namespace {

constexpr int secondsPerHour = 3600;

struct KindRow {
    ShiftKind kind;
    const char* title;
    const char* id;
};
constexpr std::array<KindRow, 5> kindRows = {{
    {ShiftKind::Early, "Frühschicht", "early"},
    {ShiftKind::Late, "Spätschicht", "late"},
    {ShiftKind::Night, "Nachtschicht", "night"},
    {ShiftKind::WeekendDay, "Tagschicht (12 Std.)", "weekendDay"},
    {ShiftKind::WeekendNight, "Nachtschicht (12 Std.)", "weekendNight"},
}};

const KindRow& rowOf(ShiftKind kind) {
    return *std::find_if(kindRows.begin(), kindRows.end(),
                         [&](const KindRow& row) { return row.kind == kind; });
}

// "So" .. "Sa" of a valid local date-time.
std::string weekdayShort(DateValue local) {
    const std::int64_t dayIndex = dayIndexOf(local);
    return std::string(weekdayNames[static_cast<std::size_t>((dayIndex + 4) % 7)].substr(0, 2));
}

std::string dateText(DateValue local) {
    return weekdayShort(local) + " " + twoDigits(dayOf(local)) + "." + twoDigits(monthOf(local)) +
           "." + intText(yearOf(local));
}

std::string clockText(DateValue local) {
    return intText(hourOf(local)) + ":" + twoDigits(minuteOf(local));
}

std::string offsetText(int offsetSeconds) {
    const int minutes = std::abs(offsetSeconds) / 60;
    return (offsetSeconds < 0 ? "-" : "+") + twoDigits(minutes / 60) + ":" + twoDigits(minutes % 60);
}

std::string hoursCount(std::int64_t seconds) {
    return seconds % secondsPerHour == 0 ? intText(seconds / secondsPerHour)
                                         : fixedText(static_cast<double>(seconds) / secondsPerHour, 2);
}

std::string shiftLine(const CrewShiftEntry& entry, const ShiftRota& rota) {
    const WorkedShift& s = entry.shift;
    const bool nextDay = dayIndexOf(s.end) != dayIndexOf(s.start);
    std::string line = padded(shiftTitle(s, rota), 24) + rightAligned(clockText(s.start), 5) +
                       " – " + (nextDay ? weekdayShort(s.end) + " " : "   ") +
                       rightAligned(clockText(s.end), 5);
    const std::int64_t clockLength = s.end - s.start;
    const std::int64_t realLength = entry.utcEnd() - entry.utcStart();
    if (realLength != clockLength)
        line += "   " + hoursCount(realLength) + " Stunden (Zeitumstellung)";
    return line;
}

}  // namespace

int utcOffsetSeconds(const ClockSettings& settings, DateValue localMoment) {
    ClockState state;
    state.settings = settings;
    state.now = localMoment;
    const std::int64_t zoneMinutes = roundToInt(effectiveTimeZoneHours(settings) * 60.0);
    const bool summer = localMoment != invalidDate && Frame(state).moment.summerTime;
    return static_cast<int>(zoneMinutes * 60) + (summer ? secondsPerHour : 0);
}

std::vector<CrewShiftEntry> crewPlan(const ClockSettings& settings, int crew,
                                     DateValue fromMidnight, int days, const ShiftRota& rota) {
    std::vector<CrewShiftEntry> plan;
    const std::int64_t firstDay = dayIndexOf(fromMidnight);
    for (std::int64_t day = firstDay; day < firstDay + days; ++day) {
        for (const WorkedShift& shift : rota.shiftsBeginningOn(static_cast<std::int32_t>(day))) {
            if (shift.crew != crew) continue;
            plan.push_back({shift, utcOffsetSeconds(settings, shift.start),
                            utcOffsetSeconds(settings, shift.end)});
        }
    }
    return plan;
}

std::optional<int> parseCrew(const std::string& text) {
    if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + crewCount)
        return text[0] - '0';
    // Case-blind for ASCII and for the one umlaut; "ue" stands for "ü" where it cannot be typed.
    const auto folded = [](std::string s) {
        for (std::size_t at = s.find("\xC3\x9C"); at != std::string::npos; at = s.find("\xC3\x9C"))
            s.replace(at, 2, "\xC3\xBC");
        for (char& c : s)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        for (std::size_t at = s.find("ue"); at != std::string::npos; at = s.find("ue"))
            s.replace(at, 2, "\xC3\xBC");
        return s;
    };
    for (std::size_t crew = 0; crew < crewTable.size(); ++crew)
        if (folded(text) == folded(crewTable[crew].colourName)) return static_cast<int>(crew);
    return std::nullopt;
}

std::optional<int> crewOfRota(const ShiftRota& rota, const std::string& text) {
    return rota.isBuiltIn() ? parseCrew(text) : rota.fileCrewNamed(text);
}

std::string crewChoices(const ShiftRota& rota) {
    std::string names;
    for (int crew = 0; crew < rota.crewCount(); ++crew)
        names += (crew == 0 ? "" : ", ") + rota.crew(crew).name;
    return rota.isBuiltIn() ? "Crew 0 bis 4 oder " + names
                            : "Gruppe des Schichtplans (" + names + ")";
}

std::string crewTitle(int crew, const ShiftRota& rota) {
    if (!rota.isBuiltIn()) return "Crew " + rota.crew(crew).name;
    return "Crew " + intText(crew) + " (" + crewTable[static_cast<std::size_t>(crew)].colourName + ")";
}

std::string shiftKindTitle(ShiftKind kind) { return rowOf(kind).title; }
std::string shiftKindId(ShiftKind kind) { return rowOf(kind).id; }

std::string shiftTitle(const WorkedShift& shift, const ShiftRota& rota) {
    const RotaShiftKind* kind = rota.fileKind(shift);
    return kind != nullptr ? kind->name : shiftKindTitle(shift.kind);
}

std::string shiftId(const WorkedShift& shift, const ShiftRota& rota) {
    const RotaShiftKind* kind = rota.fileKind(shift);
    return kind != nullptr ? std::string(1, kind->code) : shiftKindId(shift.kind);
}

std::string isoLocalWithOffset(DateValue local, int offsetSeconds) {
    return isoDateOf(local) + "T" + twoDigits(hourOf(local)) + ":" + twoDigits(minuteOf(local)) +
           ":" + twoDigits(secondOf(local)) + offsetText(offsetSeconds);
}

std::string crewPlanText(const std::vector<CrewShiftEntry>& plan, const ClockSettings& settings,
                         int crew, DateValue fromMidnight, int days, const ShiftRota& rota) {
    std::string out = "Schichtplan " + crewTitle(crew, rota) + ", Zeitzone " +
                      fixedText(effectiveTimeZoneHours(settings), 1) +
                      (settings.autoSummerTime != 0 ? " mit Sommerzeit" : " ohne Sommerzeit") +
                      "\nZeiten in Uhrzeit des Ortes; die Dauer steht dabei, wo die Zeitumstellung "
                      "sie ändert.\n\n";
    auto next = plan.begin();
    for (int day = 0; day < days; ++day) {
        const DateValue midnight = addToDate(fromMidnight, DateUnit::Days, day);
        if (midnight == invalidDate) break;
        std::string line = padded(dateText(midnight), 15);
        bool any = false;
        for (; next != plan.end() && dayIndexOf(next->shift.start) == dayIndexOf(midnight); ++next) {
            out += (any ? std::string(15, ' ') : line) + shiftLine(*next, rota) + "\n";
            any = true;
        }
        if (!any) out += line + "frei\n";
    }
    return out;
}

std::string crewPlanJson(const std::vector<CrewShiftEntry>& plan, const ShiftRota& rota) {
    std::string out = "[";
    for (std::size_t i = 0; i < plan.size(); ++i) {
        const CrewShiftEntry& e = plan[i];
        const std::string crew = rota.isBuiltIn() ? intText(e.shift.crew)
                                                  : jsonString(rota.crew(e.shift.crew).name);
        const std::string name =
            rota.isBuiltIn() ? "" : ", \"name\": " + jsonString(shiftTitle(e.shift, rota));
        out += (i == 0 ? "\n  " : ",\n  ") + std::string("{\"crew\": ") + crew +
               ", \"kind\": " + jsonString(shiftId(e.shift, rota)) + name +
               ", \"start\": " + jsonString(isoLocalWithOffset(e.shift.start, e.startOffsetSeconds)) +
               ", \"end\": " + jsonString(isoLocalWithOffset(e.shift.end, e.endOffsetSeconds)) + "}";
    }
    return out + (plan.empty() ? "]\n" : "\n]\n");
}

}  // namespace dorvalen
