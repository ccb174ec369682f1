// The phase marker: a triangle at the local time of a principal phase on the displayed
// day, and that time as text in the middle of the moon picture.
//   1. planPhaseMarker finds the phase of the displayed day, its dial angle and label.
//   2. paintPhaseMarker draws the triangle and the label in the face's text font.
#pragma once

#include <string>

#include "canvas/canvas.h"
#include "core/calendar.h"
#include "core/exact_double.h"

namespace dorvalen {

struct PhaseMarkerPlan {
    bool shown = false;     // a principal phase falls on the displayed day
    ExactDouble angleDeg = 0.0;  // dial degrees of its local time of day
    std::string label;           // that time, "h:mm"
    friend bool operator==(const PhaseMarkerPlan&, const PhaseMarkerPlan&) = default;
};

PhaseMarkerPlan planPhaseMarker(const Frame& frame);

// Sets the modes and the font it draws with; leaves ModeDefault.
void paintPhaseMarker(Canvas& canvas, const PhaseMarkerPlan& plan, const Font& textFont, int r);

}  // namespace dorvalen
