// The shift rota of the five crews and the plan of the face ring that shows it.
//   1. rotaAnchorDay(year): the Monday that opens that year's 140-day swap window.
//   2. computeCrewShifts(day): each crew's shift code for one day, swap window applied.
//   3. planShiftRing(state): the dividers and sector fills of the displayed moment, in
//      paint order; paintShiftSectors (shift_sectors.h) only carries the plan out.
//   4. shiftsBeginningOn(day): the shifts each crew works, read off that plan sector by
//      sector, for the tools that list or export them.
// The crews of a day depend on that day alone: the swap window and the exchanged crew are
// both taken from the year of the day asked about, so browsing into another year's window
// shows the crews that year will really have.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/calendar.h"
#include "rota/rota_tables.h"

namespace dorvalen {

// Rota day codes. Early, late and night are painted; the others are days without a
// painted shift: 0 the week the swap window exchanges, 4 a free day, 5 a free day that
// the exchange produced.
using ShiftCode = int;
inline constexpr ShiftCode shiftSwapped = 0;
inline constexpr ShiftCode shiftEarly = 1;   // 5:45 - 13:45
inline constexpr ShiftCode shiftLate = 2;    // 13:45 - 21:45
inline constexpr ShiftCode shiftNight = 3;   // 21:45 - 5:45
inline constexpr ShiftCode shiftFree = 4;
inline constexpr ShiftCode shiftFreeSwapped = 5;

using CrewShifts = std::array<ShiftCode, crewCount>;

inline constexpr int swapWindowDays = 140;
inline constexpr int swapPeriodDays = 28;

// Day index of the first day of the swap window of `year` (a Monday between 25 April and
// 29 May); -1 for a year the calendar cannot represent.
std::int32_t rotaAnchorDay(int year);

// The anchor of the displayed year.
std::int32_t computeRotaAnchor(const Frame& frame);

// Each crew's shift code on `dayIndex` (days since 1970-01-01). It depends on the day alone,
// never on the moment the clock is looking from.
CrewShifts computeCrewShifts(std::int32_t dayIndex);

// Seconds since local midnight at which the shifts change (the built-in rota).
inline constexpr int earlyStartSeconds = 20700;   // 5:45
inline constexpr int lateStartSeconds = 49500;    // 13:45
inline constexpr int sundayLateEndSeconds = 63900;  // 17:45
inline constexpr int nightStartSeconds = 78300;   // 21:45

// Screen degrees (0 = right, clockwise; hour h of 24 at 15h - 90) of the ring's dividers,
// each a quarter hour (3.75 degrees) before the full hour it belongs to.
inline constexpr double dividerEarlyDeg = 356.25;   // 5:45
inline constexpr double dividerLateDeg = 116.25;    // 13:45
inline constexpr double dividerWeekendDeg = 176.25;  // 17:45
inline constexpr double dividerNightDeg = 236.25;   // 21:45

// Angles that name the sector a fill colours: its seed lies on that ray.
inline constexpr double sectorEarlyDeg = 60.0;       // 10:00, inside 5:45 - 13:45
inline constexpr double sectorLateDeg = 180.0;       // 18:00, inside 13:45 - 21:45
inline constexpr double sectorLateNextDeg = 160.0;    // 16:40: inside 13:45 - 17:45 as well
inline constexpr double sectorNightDeg = 300.0;      // 2:00, inside 21:45 - 5:45

// The light wedge that marks Saturday night, just before 21:45.
inline constexpr double wedgeFromDeg = 234.25;
inline constexpr double wedgeToDeg = 236.25;

struct SectorFill {
    double sectorDeg = 0.0;     // one of the sector angles above
    int crew = 0;               // 0 .. 4, the row of crewTable
    std::int32_t dayIndex = 0;  // the day whose rota chose the crew
    friend bool operator==(const SectorFill&, const SectorFill&) = default;
};

// A file's rota on the ring: one crew's shift, clipped to the 24 hours from the start of the
// current shift, in seconds from that start. Crews whose shifts overlap share the ring's
// width; a time no crew works keeps the face's background.
struct CrewArc {
    int crew = 0;  // row of the file's crews
    int red = 0, green = 0, blue = 0;
    int fromSeconds = 0;  // 0 <= from < to <= 86400
    int toSeconds = 0;
    friend bool operator==(const CrewArc&, const CrewArc&) = default;
};

struct ShiftRingPlan {
    bool showShiftColors = true;  // false: the whole face disc takes dialColor, nothing else
    // A file's rota: the ring shows `arcs` from `windowStartSeconds` (local time of day) on;
    // the built-in fields below (fills, wedge) stay empty.
    bool fromFile = false;
    int windowStartSeconds = 0;
    std::vector<CrewArc> arcs;
    std::int32_t shiftDay = 0;    // the displayed day, or the day before until 5:45
    int weekday = 0;              // of the shift day, 0 = Sunday .. 6 = Saturday
    bool weekendLayout = false;   // Saturday 21:45 until Monday 5:45: two 12-hour shifts
    std::vector<double> dividersDeg;
    std::vector<SectorFill> fills;  // in paint order; a later fill of a sector wins
    bool saturdayNightWedge = false;
    friend bool operator==(const ShiftRingPlan&, const ShiftRingPlan&) = default;
};

// The ring of the frame's rota: the built-in one's sectors as above, or a file's arcs
// (planFileRing, rota.h).
ShiftRingPlan planShiftRing(const Frame& frame);

// The sector of the ring under the hour hand (24-hour dial angle handDeg): the shift being
// worked now. A divider under the hand belongs to the sector that begins there, so the
// moment a shift begins is part of it. The fill is the last one painted into the sector;
// none when no crew's colour fills it.
struct CurrentShiftSector {
    double fromDeg = 0.0;  // divider where the sector begins
    double toDeg = 0.0;    // divider where it ends, clockwise; may be below fromDeg
    std::optional<SectorFill> fill;
};
CurrentShiftSector currentShiftSector(const ShiftRingPlan& plan, double handDeg);

// The three 8-hour shifts, and the two 12-hour shifts from Sunday 5:45 to Monday 5:45.
enum class ShiftKind { Early, Late, Night, WeekendDay, WeekendNight };

// One crew's shift in local clock time (DateValue arithmetic; the end of the last night of
// 9999 lies one day beyond the calendar and is still a plain number).
struct WorkedShift {
    int crew = 0;
    ShiftKind kind = ShiftKind::Early;  // the built-in rota's kinds
    DateValue start = 0;
    DateValue end = 0;
    int fileKind = -1;  // a file's rota: index into RotaFile::shifts; -1 for the built-in one

    friend bool operator==(const WorkedShift&, const WorkedShift&) = default;
};

// The shifts that begin on local day `dayIndex`, from 5:45 until 5:45 of the next day, in
// order: read off the ring's plan sector by sector, as the ring shows them while they run.
// Empty for a day the calendar cannot represent.
std::vector<WorkedShift> shiftsBeginningOn(std::int32_t dayIndex);

}  // namespace dorvalen
