// The geometry every layer of the face shares: points on rays from the centre (r, r) of a
// 2r x 2r image, and the face's fixed background colour.
#pragma once

#include "canvas/canvas.h"

namespace dorvalen {

// The face background and the dial disc; fixed, whatever dialColor says.
inline constexpr Colour faceBackground = rgb(236, 233, 216);

// Screen degrees: 0 = right, clockwise, y down (core/angles.h puts the hours on them).
struct PixelPoint {
    int x, y;
};

// P(angle, distance) from the dial centre (r, r), each coordinate rounded to nearest.
PixelPoint dialPoint(int r, double angleDeg, double distance);
// Q(angle, distance): the point opposite P, through the centre.
PixelPoint dialPointOpposite(int r, double angleDeg, double distance);

}  // namespace dorvalen
