// One complete frame of the clock, painted into the image in a fixed order: background,
// corner texts, optional place and coordinates line, face ring, shift sectors, hour dots
// and numerals, then the dial with its layers and hands.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "canvas/canvas.h"
#include "core/calendar.h"
#include "face/dial.h"
#include "face/shift_sectors.h"

namespace dorvalen {

// Everything a frame paints but the clock time's text, whose seconds change every tick:
// when two ticks plan the same, their frames differ at most in that text's cell. Plain data,
// made from the frame alone (planFrame), painted by paintFrame and nothing else.
struct FramePlan {
    int r = 0;
    FontId textFont;
    std::string date, weekday, week;  // the three other corners
    bool showCoordinates = false;     // the place centred at the top, its line at the bottom
    std::string placeName, coordinates;
    int smallFontPoints = 0;
    RingPlan ring;
    DialPlan dial;
    friend bool operator==(const FramePlan&, const FramePlan&) = default;
};

FramePlan planFrame(const Frame& frame, int r, const Font& textFont, bool showCoordinates,
                    SkyCache* sky = nullptr);

// Paints the whole 2r x 2r image of the plan with the clock time's text; the fonts must be
// those the plan names (smallFont: of smallFontPoints, used only with the coordinates).
// Watches the clock time's cell from the moment it is drawn, and returns that cell.
PixelRect paintFrame(Canvas& canvas, const FramePlan& plan, std::string_view clockTime,
                     const Font& textFont, const Font& smallFont);

// What a full frame leaves for the ticks that follow it.
struct FaceMemory {
    bool valid = false;
    FramePlan plan;
    PixelRect timeCell;          // the clock time's text cell
    bool timeCellAlone = false;  // nothing drawn after the text wrote or read its pixels
    // The small font of the place and coordinates line, kept from frame to frame with the
    // texts it has drawn; loaded again when the face's size asks for another.
    Font smallFont;
    int smallFontPoints = -1;
    mutable SkyCache sky;  // a cache: the ticks of one minute plan the sky once
};

// The caller sets state.now (the frame's wall-clock reading) first and shows the image
// afterwards. The displayed moment is derived once here and every layer reads it. The
// image is resized to 2r x 2r when it has another size.
void renderClockFace(const ClockState& state, Image& clockImage, const Font& textFont, int r,
                     bool showCoordinates, FaceMemory* memory = nullptr);

// A tick that changes only the seconds: when the frame's plan is that of the frame in
// `memory` and nothing else covers the clock time's cell, redraws that cell alone (the
// image then equals a full frame) and returns it; otherwise returns nullopt, and the
// caller must render the full frame (the image may hold a cell of another width).
std::optional<PixelRect> redrawClockTimeOnly(const ClockState& state, Image& clockImage,
                                             const Font& textFont, int r, bool showCoordinates,
                                             const FaceMemory& memory);

}  // namespace dorvalen
