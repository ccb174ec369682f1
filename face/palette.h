// The face's colours, each named once. The flood fills stop at exact colours, so a layer
// that fills over another's colour names it from here rather than writing the numbers again.
#pragma once

#include "canvas/canvas.h"

namespace dorvalen {

// The face background and the dial disc; fixed, whatever dialColor says.
inline constexpr Colour faceBackground = rgb(236, 233, 216);

// A darker tone of the face background; its translucent forms tint what lies under them.
constexpr Colour dialShade(int alpha) { return rgba(138, 135, 118, alpha); }
inline constexpr Colour hourHandFill = dialShade(64);
// Lighter than the hour hand's: a part of the minute hand that holds both seeds takes it twice.
inline constexpr Colour minuteHandFill = dialShade(32);
inline constexpr Colour phaseMarkerFill = dialShade(64);
inline constexpr Colour minuteNumeralInk = dialShade(176);
// The hour numerals, nearly black, over the ring's colours.
inline constexpr Colour hourNumeralInk = rgba(0, 0, 0, 224);

// Half-transparent black: the face's dark rim, the dial's shadow and the hour dots darken
// whatever lies under them.
inline constexpr Colour shadowBlack = rgba(0, 0, 0, 128);

// The moon: the ring while it is up, and the lit part of the picture; its dark part.
inline constexpr Colour moonYellow = rgb(250, 247, 131);
inline constexpr Colour moonDark = rgb(188, 185, 168);

// Night, where the sun is down: the dial's shade, and the ring's Saturday-night wedge.
inline constexpr Colour nightShade = rgb(220, 217, 200);
// The night beyond the chosen twilight, painted over nightShade.
inline constexpr Colour twilightShade = rgb(204, 201, 184);

inline constexpr Colour secondsRed = rgb(196, 0, 0);
// The cap on the black centre disc, where the hands meet.
inline constexpr Colour centreCapColour = rgb(148, 145, 128);

}  // namespace dorvalen
