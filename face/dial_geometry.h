// The geometry every layer of the face shares: points on rays from the centre (r, r) of a
// 2r x 2r image, the radii of the face's parts, and (through palette.h) its colours.
#pragma once

#include "canvas/canvas.h"
#include "face/palette.h"

namespace dorvalen {

// Single-precision constants of the hand and moon shapes, widened to double where they are
// used: 2.3f is 2.2999999523 once widened, so the tips land on the pixels the clock always had.
constexpr double f(float v) { return static_cast<double>(v); }

// Distances from the centre are written r - r / divisor.
inline constexpr double handShoulderDivisor = f(2.0f);  // the hour and minute hands' shoulders
// The hour hand's tip, which the phase marker's tip shares: the moon ring's outer edge.
inline constexpr double hourTipDivisor = f(2.3f);
inline constexpr double minuteTipDivisor = f(2.85f);   // the minute and seconds hands' tips
inline constexpr double secondsTailDivisor = f(1.2f);  // the seconds hand's tail, behind the centre

// The moon picture's centre height, r + r / 3.725, in the picture's single precision; the
// phase marker's time is centred on it.
constexpr float moonCentreY(int r) { return static_cast<float>(r + r / f(3.725f)); }

// The dark rim's outer edge; the face disc lies inside it.
constexpr int faceRimRadius(int r) { return r - r / 10; }

// The face disc inside the dark rim: the shift ring's sectors reach out to its edge.
int faceDiscRadius(int r);

// The dial's shadow, a dark band outside the dial disc; the ring shows from here outwards.
constexpr int dialShadowRadius(int r) { return r - r / 3; }

// The dial disc, painted opaque in faceBackground over everything inside it.
int dialDiscRadius(int r);

// A closed ring just inside the dial disc, drawn before the shift ring's fills so they stop
// at it instead of filling the area the dial disc paints over. Any colour but
// faceBackground and the dividers' black would do; the dial disc covers the ring.
inline constexpr Colour underDialColour = rgb(255, 0, 255);
// Its outer radius stays two pixels inside the dial disc's, so the narrowest sector keeps
// the pixels it would have had next to the disc's rim; it is two pixels wide, which no
// 4-connected fill crosses.
int underDialRadius(int r);
int underDialHoleRadius(int r);  // the disc inside the ring
void drawUnderDialRing(Canvas& canvas, int r);

// The black centre disc and the cap on it, over the hands.
constexpr int centreDiscRadius(int r) { return r / 25; }
constexpr int centreCapRadius(int r) { return r / 28; }

// Screen degrees: 0 = right, clockwise, y down (core/angles.h puts the hours on them).
struct PixelPoint {
    int x, y;
};

// P(angle, distance) from the dial centre (r, r), each coordinate rounded to nearest.
PixelPoint dialPoint(int r, double angleDeg, double distance);
// Q(angle, distance): the point opposite P, through the centre.
PixelPoint dialPointOpposite(int r, double angleDeg, double distance);

}  // namespace dorvalen
