// The user's crew on the ring: a thin band along the outer edge of each sector its colour
// fills, in black or white against that colour, so "my shifts" stand out at a glance.
#pragma once

#include "canvas/canvas.h"
#include "face/shift_sectors.h"

namespace dorvalen {

// Band radii: from faceDiscRadius(r) - myCrewBandWidth(r) to just inside the disc's rim,
// clear of the hour dots; the band keeps away from each sector's dividers by
// myCrewBandMarginDeg(r).
int myCrewBandWidth(int r);
double myCrewBandMarginDeg(int r);

// Nothing when no crew is chosen, the rota in force does not know it or the ring shows no
// shift colours: the face then stays exactly as it was. Comes after paintShiftSectors and
// before the crew labels (which look for places in the sector's own colour). ModeDefault.
void drawMyCrewMarks(Canvas& canvas, const RingPlan& ring, int r);

}  // namespace dorvalen
