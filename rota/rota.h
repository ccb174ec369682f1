// The one rota every place that shows a crew reads: the ring, the almanac, the crew plan and
// the calendar export. Either the built-in rota (five crews, 35 days, the yearly swap
// window) or a rota file (rota_file.h); the two answer the same questions:
//   1. crewCount / crew: the crews' names and colours.
//   2. shiftsBeginningOn(day): which crew works which shift, local start and end.
//   3. planFileRing (used by planShiftRing): a file's rota as the face ring shows it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/calendar.h"
#include "rota/rota_file.h"
#include "rota/shift_rota.h"

namespace dorvalen {

struct CrewLook {
    std::string name;  // UTF-8; the built-in crews' colour names
    int red = 0, green = 0, blue = 0;
};

// Cheap to copy: a shared, never changed file rota, or none for the built-in one.
class ShiftRota {
public:
    ShiftRota() = default;
    explicit ShiftRota(std::shared_ptr<const RotaFile> file) : file_(std::move(file)) {}

    bool isBuiltIn() const { return !file_; }
    const std::shared_ptr<const RotaFile>& file() const { return file_; }

    int crewCount() const;
    CrewLook crew(int crew) const;  // crew in 0 .. crewCount() - 1

    // The shifts that begin on local day `dayIndex`, by start; empty for a day the calendar
    // cannot represent.
    std::vector<WorkedShift> shiftsBeginningOn(std::int32_t dayIndex) const;

    // A file shift's kind (code, name, times); nullptr for a built-in shift.
    const RotaShiftKind* fileKind(const WorkedShift& shift) const;

    // A file's crew by its name, without regard to ASCII case; nothing for the built-in rota.
    std::optional<int> fileCrewNamed(std::string_view name) const;

private:
    std::shared_ptr<const RotaFile> file_;
};

// The rota a frame shows.
inline ShiftRota rotaOf(const Frame& frame) { return ShiftRota(frame.rotaFile); }

// The ring of a file's rota at the displayed moment: the shifts over the 24 hours from the
// start of the earliest shift running then (or from the moment itself when none runs),
// with a divider where each begins and ends.
ShiftRingPlan planFileRing(const RotaFile& rota, const Frame& frame);

}  // namespace dorvalen
