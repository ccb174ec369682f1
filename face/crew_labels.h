// Each crew written on the ring in its sector, for eyes that do not tell the crews' colours
// apart (red-green blindness makes Grün and Orange, or Gelb and Grün, look alike).
#pragma once

#include <string>
#include <vector>

#include "canvas/canvas.h"
#include "face/shift_sectors.h"
#include "rota/rota.h"

namespace dorvalen {

// A crew's colour on the ring.
Colour crewRgb(const ShiftRota& rota, int crew);

// Black or white, whichever stands out more from the colour (WCAG contrast ratio).
Colour contrastingInk(Colour c);

// A painted sector of the ring: where it begins and how wide it is (screen degrees,
// clockwise), its crew and the colour it is painted in.
struct RingSector {
    double fromDeg = 0.0;
    double spanDeg = 360.0;
    int crew = 0;
    Colour colour = 0;
};
// The sectors as the ring paints them: the built-in rota's (a later fill of a sector wins),
// or a file's arcs.
std::vector<RingSector> paintedSectors(const ShiftRingPlan& plan, const ShiftRota& rota);

// What a sector can say of its crew, longest first: the name, the shortest start of the
// name that no other crew's name starts with, the crew's number (from 1).
std::string crewLabelText(const ShiftRota& rota, int crew, int form);
inline constexpr int crewLabelForms = 3;

// When the settings ask for it (and the ring shows the crews): each painted sector gets the
// longest form of its crew that fits a place of the ring where the sector's colour alone
// shows (no divider, hour dot or numeral under it), nearest the sector's middle, in black or
// white, whichever stands out more from the crew's colour. Draws in the canvas's current
// font; reads the ring as painted, so it comes after the numerals and before the dial.
void drawCrewLabels(Canvas& canvas, const RingPlan& ring, int r);

}  // namespace dorvalen
