// JSON form of the almanac records, written by hand: a fixed shape of plain numbers,
// strings and booleans needs no library.
#include "tools/almanac_json.h"

#include <charconv>
#include <cmath>

#include "core/calendar.h"
#include "core/face_texts.h"
#include "tools/crew_plan.h"
#include "tools/tool_text.h"

namespace dorvalen {

namespace {

const char* jsonBool(bool b) { return b ? "true" : "false"; }

// "2027-01-04T05:45:00", a local wall-clock time.
std::string localIso(DateValue local) {
    return isoDateOf(local) + "T" + twoDigits(hourOf(local)) + ":" + twoDigits(minuteOf(local)) +
           ":" + twoDigits(secondOf(local));
}

std::string jsonRecord(const DayRecord& r, const ShiftRota& rota) {
    std::string out = "{\"date\": " + jsonString(r.isoDate) + ", \"weekday\": " +
                      jsonString(r.weekday) + ", \"calendarWeek\": " + intText(r.calendarWeek) +
                      ", \"summerTime\": " + jsonBool(r.summerTime) + ", \"events\": {";
    for (std::size_t k = 0; k < r.events.size(); ++k) {
        const EventTimes& e = r.events[k];
        out += (k == 0 ? "\"" : ", \"") + intText(static_cast<std::int64_t>(k) + 1) +
               "\": {\"riseHours\": " + jsonNumber(e.riseHours) +
               ", \"setHours\": " + jsonNumber(e.setHours) +
               ", \"upAtLastStep\": " + jsonBool(e.upAtLastStep) + "}";
    }
    out += "}, \"illuminatedFraction\": " + jsonNumber(r.illuminatedFraction) + ", \"phase\": ";
    if (r.phase)
        out += "{\"kind\": " + jsonString(phaseKindName(r.phase->kind)) +
               ", \"localMjd\": " + jsonNumber(r.phase->localMjd) +
               ", \"label\": " + jsonString(r.phase->label) + "}";
    else
        out += "null";
    out += ", \"crews\": {\"codes\": [";
    if (rota.isBuiltIn()) {
        for (std::size_t i = 0; i < r.crews.size(); ++i)
            out += (i == 0 ? "" : ", ") + intText(r.crews[i]);
    } else {
        for (std::size_t i = 0; i < r.fileCodes.size(); ++i)
            out += (i == 0 ? "" : ", ") + jsonString(std::string(1, r.fileCodes[i]));
    }
    out += "]}, \"shifts\": [";
    for (std::size_t i = 0; i < r.shifts.size(); ++i) {
        const WorkedShift& s = r.shifts[i];
        const RotaShiftKind* kind = rota.fileKind(s);
        out += (i == 0 ? "{\"crew\": " : ", {\"crew\": ") +
               (rota.isBuiltIn() ? intText(s.crew) : jsonString(rota.crew(s.crew).name)) +
               ", \"shift\": " +
               jsonString(kind != nullptr ? std::string(1, kind->code) : shiftKindId(s.kind)) +
               ", \"start\": " + jsonString(localIso(s.start)) +
               ", \"end\": " + jsonString(localIso(s.end)) + "}";
    }
    return out + "]}";
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 32) {
            const char* hex = "0123456789abcdef";
            out += "\\u00";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string phaseKindName(PhaseKind kind) {
    switch (kind) {
        case PhaseKind::NewMoon: return "NewMoon";
        case PhaseKind::FirstQuarter: return "FirstQuarter";
        case PhaseKind::FullMoon: return "FullMoon";
        case PhaseKind::LastQuarter: return "LastQuarter";
    }
    return "";
}

std::string jsonNumber(double x) {
    if (!std::isfinite(x)) return "null";
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::general, 17);
    return error == std::errc() ? std::string(buffer, end) : "null";
}

std::string almanacJson(const std::vector<DayRecord>& records, const ShiftRota& rota) {
    std::string out = "[";
    for (std::size_t i = 0; i < records.size(); ++i)
        out += (i == 0 ? "\n  " : ",\n  ") + jsonRecord(records[i], rota);
    return out + "\n]\n";
}

}  // namespace dorvalen
