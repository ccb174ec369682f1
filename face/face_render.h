// One complete frame of the clock, painted into the image in a fixed order: background,
// corner texts, optional place and coordinates line, face ring, shift sectors, hour dots
// and numerals, then the dial with its layers and hands.
#pragma once

#include "core/calendar.h"
#include "canvas/canvas.h"
#include "face/dial_geometry.h"

#include <memory>
#include <optional>

namespace dorvalen {

// Everything a frame's pixels depend on except the seconds of the clock time: when two
// ticks agree on it, their frames differ at most in the clock time's text cell.
struct FaceInputs {
    ClockSettings settings;
    double displayedDay = 0.0;
    int r = 0;
    bool showCoordinates = false;
    const void* font = nullptr;  // the dial font's identity
    DateValue momentMinute = 0, clockMinute = 0, calendarMinute = 0;
    int minuteHand = 0, hourHand = 0;
    int year = 0;
    std::int32_t dayIndex = 0;
    std::int64_t markedDayMjd = 0;
    bool summerEnabled = false, summerTime = false;
    double summerStartMjd = 0.0, summerEndMjd = 0.0, timeZoneHours = 0.0;
    double midnightUT = 0.0, julianDayUT = 0.0, julianDayUTDayBefore = 0.0;
    std::shared_ptr<const RotaFile> rotaFile;  // held, so a new rota never has the old address
    friend bool operator==(const FaceInputs&, const FaceInputs&) = default;
};

// What a full frame leaves for the ticks that follow it.
struct FaceMemory {
    bool valid = false;
    FaceInputs inputs;
    PixelRect timeCell;          // the clock time's text cell
    bool timeCellAlone = false;  // nothing drawn after the text wrote or read its pixels
    // The small font of the place and coordinates line, kept from frame to frame with the
    // texts it has drawn; loaded again when the face's size asks for another.
    Font smallFont;
    int smallFontPoints = -1;
};

// The caller sets state.now (the frame's wall-clock reading) first and shows the image
// afterwards. The displayed moment is derived once here and every layer reads it. The
// image is resized to 2r x 2r when it has another size.
void renderClockFace(const ClockState& state, Image& clockImage, const Font& textFont, int r,
                     bool showCoordinates, FaceMemory* memory = nullptr);

// A tick that changes only the seconds: when the frame's inputs are those of the frame in
// `memory` and nothing else covers the clock time's cell, redraws that cell alone (the
// image then equals a full frame) and returns it; otherwise returns nullopt, and the
// caller must render the full frame (the image may hold a cell of another width).
std::optional<PixelRect> redrawClockTimeOnly(const ClockState& state, Image& clockImage,
                                             const Font& textFont, int r, bool showCoordinates,
                                             const FaceMemory& memory);

}  // namespace dorvalen
