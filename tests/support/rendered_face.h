// A whole frame rendered as the clock renders it at radius r, with the font it would take.
// Header only: it needs the face, which only the face and later tests link.
#pragma once

#include "canvas/canvas.h"
#include "core/clock_state.h"
#include "core/conversions.h"
#include "face/face_render.h"

namespace dorvalen::test {

inline Image renderedFace(const ClockState& state, int r) {
    Image image(2 * r, 2 * r);
    Font font = loadFont("Arial", static_cast<int>(truncToInt(r / 14.5)));
    renderClockFace(state, image, font, r, false);
    releaseFont(font);
    return image;
}

}  // namespace dorvalen::test
