// The calendar is built as libical components and serialised by libical, which folds long
// lines at 75 octets, escapes text values and ends every line with CR LF.
#include "tools/ics_export.h"

#include <libical/ical.h>

#include <cstdlib>
#include <ctime>
#include <memory>

#include "core/calendar.h"
#include "core/face_texts.h"
#include "tools/tool_text.h"

namespace dorvalen {

namespace {

constexpr const char* productId = "-//Dorvalen//Schichtplan//DE";

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

icaltimetype utcTime(std::int64_t utcSeconds) {
    return icaltime_from_timet_with_zone(static_cast<time_t>(utcSeconds), 0,
                                         icaltimezone_get_utc_timezone());
}

// "20260328T214500": the local start as a floating date-time.
std::string compactLocal(DateValue local) {
    std::string year = intText(yearOf(local));
    year.insert(0, year.size() < 4 ? 4 - year.size() : 0, '0');
    return year + twoDigits(monthOf(local)) + twoDigits(dayOf(local)) + "T" +
           twoDigits(hourOf(local)) + twoDigits(minuteOf(local)) + twoDigits(secondOf(local));
}

// A crew's name inside a UID: ASCII letters and digits as they are, other bytes as %XX.
std::string uidToken(const std::string& name) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            out += c;
        } else {
            out += '%';
            out += hex[b >> 4];
            out += hex[b & 15];
        }
    }
    return out;
}

icalcomponent* shiftEvent(const CrewShiftEntry& entry, int crew, const icaltimetype& stamp,
                          const ShiftRota& rota) {
    const std::string title = shiftTitle(entry.shift, rota);
    const std::string summary = title + " · " + crewTitle(crew, rota);
    return icalcomponent_vanew(
        ICAL_VEVENT_COMPONENT, icalproperty_new_uid(shiftUid(entry.shift, rota).c_str()),
        icalproperty_new_dtstamp(stamp), icalproperty_new_dtstart(utcTime(entry.utcStart())),
        icalproperty_new_dtend(utcTime(entry.utcEnd())), icalproperty_new_summary(summary.c_str()),
        icalproperty_new_categories(title.c_str()),
        icalproperty_new_transp(ICAL_TRANSP_OPAQUE), nullptr);
}

}  // namespace

std::string shiftUid(const WorkedShift& shift, const ShiftRota& rota) {
    const std::string crew =
        rota.isBuiltIn() ? intText(shift.crew) : uidToken(rota.crew(shift.crew).name);
    return compactLocal(shift.start) + "-crew" + crew + "-" + shiftId(shift, rota) + "@" +
           uidDomain;
}

std::optional<std::string> crewPlanIcs(const std::vector<CrewShiftEntry>& plan, int crew,
                                       std::int64_t stampUtcSeconds, const ShiftRota& rota) {
    Component calendar(icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT,
                                           icalproperty_new_version("2.0"),
                                           icalproperty_new_prodid(productId),
                                           icalproperty_new_calscale("GREGORIAN"), nullptr));
    if (!calendar) return std::nullopt;
    // Calendar apps show this as the name of the subscribed or imported calendar.
    icalproperty* name = icalproperty_new_x(("Schichtplan " + crewTitle(crew, rota)).c_str());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);

    const icaltimetype stamp = utcTime(stampUtcSeconds);
    for (const CrewShiftEntry& entry : plan)
        icalcomponent_add_component(calendar.get(), shiftEvent(entry, crew, stamp, rota));

    char* text = icalcomponent_as_ical_string_r(calendar.get());
    if (text == nullptr) return std::nullopt;
    std::string out(text);
    std::free(text);
    return out;
}

}  // namespace dorvalen
