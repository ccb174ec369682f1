// The geometry every layer of the face shares: points on rays from the centre (r, r) of a
// 2r x 2r image, the radii of the face's parts, and (through palette.h) its colours.
#pragma once

#include "canvas/canvas.h"
#include "face/palette.h"

namespace dorvalen {

// The face disc inside the dark rim: the shift ring's sectors reach out to its edge.
int faceDiscRadius(int r);

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

// Screen degrees: 0 = right, clockwise, y down (core/angles.h puts the hours on them).
struct PixelPoint {
    int x, y;
};

// P(angle, distance) from the dial centre (r, r), each coordinate rounded to nearest.
PixelPoint dialPoint(int r, double angleDeg, double distance);
// Q(angle, distance): the point opposite P, through the centre.
PixelPoint dialPointOpposite(int r, double angleDeg, double distance);

}  // namespace dorvalen
