// The geometry every layer of the face shares: points on rays from the centre (r, r) of a
// 2r x 2r image, and the face's fixed background colour.
#pragma once

#include "canvas/canvas.h"

namespace dorvalen {

// The face background and the dial disc; fixed, whatever dialColor says.
inline constexpr Colour faceBackground = rgb(236, 233, 216);

// The dial disc, painted opaque in faceBackground over everything inside it.
int dialDiscRadius(int r);

// Paints the part of the face disc that the dial disc will cover, so the fills of the shift
// ring stop at its edge instead of filling an area that is painted over; any colour but
// faceBackground and the black of the dividers would do.
inline constexpr Colour underDialColour = rgb(255, 0, 255);
// Its radius stays two pixels inside the dial disc's, so the narrowest sector keeps the
// pixels it would have had next to the disc's rim.
int underDialRadius(int r);

// Screen degrees: 0 = right, clockwise, y down (core/angles.h puts the hours on them).
struct PixelPoint {
    int x, y;
};

// P(angle, distance) from the dial centre (r, r), each coordinate rounded to nearest.
PixelPoint dialPoint(int r, double angleDeg, double distance);
// Q(angle, distance): the point opposite P, through the centre.
PixelPoint dialPointOpposite(int r, double angleDeg, double distance);

}  // namespace dorvalen
