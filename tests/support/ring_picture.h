// The shift ring as the frame paints it, without the rest of the face: for the tests that
// read the crews' colours off its pixels.
#pragma once

#include "canvas/canvas.h"
#include "core/clock_state.h"
#include "face/dial_geometry.h"
#include "face/face_render.h"
#include "face/palette.h"
#include "face/shift_sectors.h"

namespace dorvalen::test {

// What the frame leaves for the ring (background, dark rim, face disc), then the ring.
inline Image paintedRing(const ClockState& state, int r) {
    Image image(2 * r, 2 * r, faceBackground);
    Canvas canvas;
    canvas.beginDrawing(image);
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.drawCircle(r, r, faceRimRadius(r), shadowBlack);
    canvas.setDrawingMode(ModeDefault);
    canvas.drawCircle(r, r, faceDiscRadius(r), faceBackground);
    paintShiftSectors(canvas, planRing(state), r);
    canvas.endDrawing();
    return image;
}

}  // namespace dorvalen::test
