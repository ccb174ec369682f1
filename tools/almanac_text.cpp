// The almanac as a German table for people: one block per day with sun, twilights, moon,
// phase and the crews of each shift period.
#include "tools/almanac_text.h"

#include <cmath>
#include <cstdint>

#include "core/conversions.h"
#include "core/degrees_minutes.h"
#include "core/face_texts.h"
#include "rota/my_shift.h"
#include "rota/rota_tables.h"
#include "tools/tool_text.h"

namespace dorvalen {

namespace {

struct EventRow {
    const char* title;
    const char* riseWord;
    const char* setWord;
    const char* alwaysUp;    // neither crossing found, above the threshold
    const char* alwaysDown;  // neither crossing found, below it
};

// EventKind 1 .. 5. For the twilights "up" means the sun stays above that depth.
constexpr EventRow eventRows[5] = {
    {"Mond", "Aufgang", "Untergang", "immer über dem Horizont", "immer unter dem Horizont"},
    {"Sonne", "Aufgang", "Untergang", "immer über dem Horizont", "immer unter dem Horizont"},
    {"Bürgerliche Dämmerung", "Beginn", "Ende", "Sonne immer über −6°", "Sonne immer unter −6°"},
    {"Nautische Dämmerung", "Beginn", "Ende", "Sonne immer über −12°", "Sonne immer unter −12°"},
    {"Astronomische Dämmerung", "Beginn", "Ende", "Sonne immer über −18°",
     "Sonne immer unter −18°"},
};
// Printed sun first, then the twilights from light to dark, then the moon.
constexpr int eventPrintOrder[5] = {1, 2, 3, 4, 0};

constexpr std::size_t titleWidth = 26;
constexpr const char* notOnThisDay = "–";

// The crossings of the day beyond the first rising and setting, in time order: "außerdem
// Untergang 23:50, Aufgang 23:58".
std::string furtherCrossings(const EventRow& row, const EventTimes& e) {
    bool riseShown = e.riseHours == 0.0, setShown = e.setHours == 0.0;
    std::string text;
    for (const Crossing& c : e.crossings) {
        bool& shown = c.rising ? riseShown : setShown;
        if (!shown && c.hours == (c.rising ? e.riseHours : e.setHours)) {
            shown = true;
            continue;
        }
        text += (text.empty() ? "   außerdem " : ", ") +
                std::string(c.rising ? row.riseWord : row.setWord) + " " + hoursText(c.hours);
    }
    return text;
}

std::string eventLine(const EventRow& row, const EventTimes& e) {
    std::string line = "  " + padded(row.title, titleWidth);
    // A search that found nothing at all tells from the state at its last step whether
    // the body stayed up or down all day.
    if (e.riseHours == 0.0 && e.setHours == 0.0)
        return line + (e.upAtLastStep ? row.alwaysUp : row.alwaysDown);
    const auto time = [](double h) { return h == 0.0 ? std::string(notOnThisDay) : hoursText(h); };
    return line + padded(row.riseWord, 8) + rightAligned(time(e.riseHours), 5) + "   " +
           padded(row.setWord, 10) + rightAligned(time(e.setHours), 5) + furtherCrossings(row, e);
}

std::string timeOfDayText(int seconds) {
    const std::string hm = intText(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60);
    return seconds % 60 == 0 ? hm : hm + ":" + twoDigits(seconds % 60);
}

// Each shift that begins on the day with its crew; a file's rota names its own shifts and
// crews, and a day on which nobody begins a shift says so.
std::string crewLine(const DayRecord& record, const ShiftRota& rota) {
    std::string line = "  " + padded("Schichten", titleWidth);
    for (std::size_t i = 0; i < record.shifts.size(); ++i) {
        const WorkedShift& shift = record.shifts[i];
        const int startSeconds = static_cast<int>(shift.start % 86400);
        const std::string crew =
            rota.isBuiltIn() ? intText(shift.crew) + " " +
                                   crewTable[static_cast<std::size_t>(shift.crew)].colourName
                             : rota.crew(shift.crew).name;
        line += (i == 0 ? "" : "   ") +
                shiftShortName(shift, rota) + " " +
                timeOfDayText(startSeconds) + ": " + crew;
    }
    return record.shifts.empty() ? line + "keine" : line;
}

std::string germanPhaseName(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return "Neumond";
        case PhaseKind::FirstQuarter: return "Erstes Viertel";
        case PhaseKind::FullMoon: return "Vollmond";
        case PhaseKind::LastQuarter: return "Letztes Viertel";
    }
    return "";
}

std::string percentText(double fraction) {
    if (!std::isfinite(fraction)) return "?";
    return intText(roundToInt(fraction * 100.0)) + " %";
}


}  // namespace

std::string hoursText(double hours) {
    if (!std::isfinite(hours) || hours < 0.0 || hours > 48.0) return "?";
    std::int64_t minutes = roundToInt(hours * 60.0);
    // A crossing in the day's last half minute is still the day's: 23:59, not 24:00.
    if (hours < 24.0 && minutes > 1439) minutes = 1439;
    return intText(minutes / 60) + ":" + twoDigits(static_cast<int>(minutes % 60));
}

std::string almanacText(const std::vector<DayRecord>& records, const ClockSettings& settings,
                        const AlmanacOptions& options, const ShiftRota& rota) {
    std::string out = "Almanach für " + settings.placeName + " (Länge " +
                      degreesMinutesText(settings.longitude) +
                      (settings.longitude > 0 ? " West" : " Ost") + ", Breite " +
                      degreesMinutesText(settings.latitude) +
                      (settings.latitude < 0 ? " Süd" : " Nord") + ", Zeitzone " +
                      zoneHoursText(settings.timeZone) + ")\n" +
                      "Zeiten in Uhrzeit des Ortes; " + notOnThisDay +
                      " = fällt nicht auf diesen Tag.\n";
    for (const DayRecord& r : records) {
        out += "\n" + r.weekday + ", " + r.dateText + ", " + intText(r.calendarWeek) + ".Woche, " +
               (r.summerTime ? "Sommerzeit" : "Winterzeit") + "\n";
        for (int k : eventPrintOrder)
            out += eventLine(eventRows[k], r.events[static_cast<std::size_t>(k)]) + "\n";
        out += "  " + padded("Mond beleuchtet", titleWidth) + percentText(r.illuminatedFraction) +
               " um " + timeOfDayText(options.timeSeconds) + " Uhr\n";
        if (r.phase)
            out += "  " + padded("Mondphase", titleWidth) + germanPhaseName(r.phase->kind) +
                   " um " + r.phase->label + " Uhr\n";
        out += crewLine(r, rota) + "\n";
        if (!r.myNextShift.empty()) out += "  " + r.myNextShift + "\n";
    }
    return out;
}

}  // namespace dorvalen
