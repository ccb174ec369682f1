// The face in words. Every part is computed the way the layer that draws it computes it, so
// the text and the picture cannot disagree.
#include "face/spoken_face.h"

#include <cmath>
#include <vector>

#include "astro/rise_set.h"
#include "core/face_texts.h"
#include "face/moon_picture.h"
#include "phases/phase_event.h"
#include "rota/my_shift.h"
#include "rota/rota.h"

namespace dorvalen {

namespace {

constexpr DateValue secondsPerDay = 86400;

// "14:05 Uhr" for seconds since some local midnight.
std::string clockText(DateValue seconds) {
    const DateValue ofDay = ((seconds % secondsPerDay) + secondsPerDay) % secondsPerDay;
    return intText(ofDay / 3600) + ":" + twoDigits(static_cast<int>(ofDay / 60 % 60)) + " Uhr";
}

// Hours after local midnight (the rise and set search's unit) as "5:12 Uhr".
std::string hoursText(double hours) {
    const auto minutes = static_cast<DateValue>(std::floor(hours * 60.0 + 0.5));
    return clockText(minutes * 60);
}

// The shift running at the displayed moment and the two after it, in the rota in force.
std::string shiftsText(const Frame& frame) {
    const ShiftRota rota = rotaOf(frame);
    const auto crewName = [&rota](int crew) { return rota.crew(crew).name; };
    std::vector<WorkedShift> shifts;
    for (std::int32_t day = frame.moment.dayIndex - 1; day <= frame.moment.dayIndex + 1; ++day)
        for (const WorkedShift& shift : rota.shiftsBeginningOn(day)) shifts.push_back(shift);
    const DateValue now = frame.moment.moment;
    std::size_t at = 0;
    while (at < shifts.size() && shifts[at].end <= now) ++at;
    if (at == shifts.size() || shifts[at].start > now) return "Keine Schicht jetzt.";
    std::string text = "Schicht jetzt: " + crewName(shifts[at].crew) + " bis " +
                       clockText(shifts[at].end);
    const char* joiners[] = {"; danach ", ", dann "};
    for (std::size_t next = 1; next <= 2 && at + next < shifts.size(); ++next) {
        const WorkedShift& shift = shifts[at + next];
        text += joiners[next - 1] + crewName(shift.crew) + " bis " + clockText(shift.end);
    }
    return text + ".";
}

// The user's own next shift after the displayed moment, when a crew is chosen.
std::string myShiftText(const Frame& frame) {
    const std::string mine = myNextShiftText(rotaOf(frame), frame.settings.extra, frame.moment.moment);
    return mine.empty() ? mine : " " + mine + ".";
}

std::string sunText(const Frame& frame) {
    const DayEvents sun = computeDayEvents(frame, SunRiseSet);
    // The search gives 0 for a crossing it did not find (polar day or night).
    const std::string rise = sun.riseHours > 0 ? hoursText(sun.riseHours) : "keiner";
    const std::string set = sun.setHours > 0 ? hoursText(sun.setHours) : "keiner";
    return "Sonnenaufgang " + rise + ", Sonnenuntergang " + set + ".";
}

std::string moonText(const Frame& frame) {
    const MoonPicturePlan moon = planMoonPicture(frame);
    std::string text = "Mond zu " + intText(std::lround(moon.k * 100.0)) + " % beleuchtet, " +
                       (moon.waning ? "abnehmend" : "zunehmend");
    if (const std::optional<PhaseOnDay> phase = phaseOnDisplayedDay(frame)) {
        static const char* const names[] = {"Neumond", "erstes Viertel", "Vollmond",
                                            "letztes Viertel"};
        text += "; " + std::string(names[static_cast<int>(phase->kind)]) + " um " +
                phaseTimeText(phase->localMjd) + " Uhr";
    }
    return text + ".";
}

}  // namespace

std::string describeFace(const Frame& frame) {
    return clockText(frame.moment.clockTime) + ", " + weekdayName(frame) + ", " +
           formatDate(frame) + ", " + calendarWeekText(frame) + ". " + shiftsText(frame) + myShiftText(frame) + " " +
           sunText(frame) + " " + moonText(frame);
}

}  // namespace dorvalen
