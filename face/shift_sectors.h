// Paints the shift periods of the displayed day on the face ring in the crews' colours.
#pragma once

#include <memory>
#include <optional>

#include "canvas/canvas.h"
#include "core/calendar.h"
#include "rota/shift_rota.h"

namespace dorvalen {

struct RotaFile;

// The ring and what is written on it, planned once for its three painters (sectors, my
// crew's marks, crew labels).
struct RingPlan {
    ShiftRingPlan shifts;
    Colour wholeDiscColour = 0;  // the face disc when the ring shows no shift colours
    std::shared_ptr<const RotaFile> rotaFile;  // the crews' names and colours; none: built in
    std::optional<int> myCrew;  // marked on the ring
    bool crewLabels = false;
    friend bool operator==(const RingPlan&, const RingPlan&) = default;
};

RingPlan planRing(const Frame& frame);

// Paints the face disc from the under-dial ring out to its rim, whatever lay there before.
// The under-dial ring (drawUnderDialRing), when drawn first, stops the fills at the dial so
// they skip the area it covers; without it the disc inside must be in faceBackground.
// Leaves ModeDefault.
void paintShiftSectors(Canvas& canvas, const RingPlan& plan, int r);

}  // namespace dorvalen
