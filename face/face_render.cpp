// One complete frame: background, corner texts, the optional place and coordinates line,
// face ring, shift sectors, hour dots and numerals, then the dial. Every pixel of a frame is
// painted from one displayed moment (the dial's inside once, by the dial disc); nothing is
// written back.
#include "face/face_render.h"

#include "core/conversions.h"
#include "core/calendar.h"
#include "face/crew_labels.h"
#include "face/dial.h"
#include "face/dial_geometry.h"
#include "face/my_crew_marks.h"
#include "core/face_texts.h"
#include "face/palette.h"
#include "face/shift_sectors.h"

namespace dorvalen {

namespace {

constexpr int cornerMargin = 5;
// No window shows a larger face (its side is capped at 32000 pixels).
constexpr int largestRadius = 16000;

// A numeral's top-left corner sits at P(angle, r - r / divisor); the pairs place each text
// around its nominal hour (15h - 90 degrees) or minute (6m - 90 degrees).
struct Numeral {
    const char* text;
    double angleDeg;
    double divisor;
};

constexpr Numeral hourNumerals[] = {
    {"9", 43.0, 4.9},   {"12", 93.5, 4.8},  {"15", 140.7, 6.2}, {"18", 183.0, 9.2},
    {"21", 226.6, 9.8}, {"0", 268.6, 8.3},  {"3", 311.6, 7.0},  {"6", 356.3, 5.8},
};

constexpr Numeral minuteNumerals[] = {
    {"20", 28.0, 3.1},  {"25", 60.0, 3.0},  {"30", 94.0, 3.1},  {"35", 126.0, 3.6},
    {"40", 155.0, 4.2}, {"45", 183.5, 4.6}, {"50", 211.0, 5.3}, {"55", 238.0, 5.1},
    {"60", 266.5, 4.5}, {"5", 297.0, 4.1},  {"10", 324.0, 3.5}, {"15", 355.8, 3.1},
};

// The background everywhere but on the face disc: the shift ring paints the disc down to
// the under-dial ring, and nothing reads the pixels inside before the dial disc covers them.
// The outer disc (radius 1.5 r) holds the whole 2r x 2r image.
void paintBackground(Canvas& canvas, int r) {
    canvas.drawRing(r, r, r + r / 2 + 1, faceDiscRadius(r), faceBackground);
}

// The clock time in the top-left corner; returns its text cell. The cell is painted whole
// (glyphs and background), so its pixels do not depend on what lay under it.
PixelRect drawClockTime(Canvas& canvas, std::string_view clockTime, const Font& textFont) {
    canvas.setDrawingMode(ModeDefault);
    canvas.setDrawingFont(&textFont);
    return canvas.drawText(cornerMargin, cornerMargin, clockTime, black, faceBackground);
}

// The other three corner texts.
void drawCornerTexts(Canvas& canvas, const FramePlan& plan) {
    const int side = 2 * plan.r;
    const int h = canvas.textHeight("Wg");
    const std::string& date = plan.date;
    const std::string& weekday = plan.weekday;
    const std::string& week = plan.week;
    canvas.drawText(side - canvas.textWidth(date) - cornerMargin, cornerMargin, date, black,
                    faceBackground);
    canvas.drawText(cornerMargin, side - h - cornerMargin, weekday, black, faceBackground);
    canvas.drawText(side - canvas.textWidth(week) - cornerMargin, side - h - cornerMargin, week,
                    black, faceBackground);
}

// Place name centred at the top, the coordinates line centred at the bottom, both in a
// smaller font.
void drawPlaceAndCoordinates(Canvas& canvas, const FramePlan& plan, const Font& small) {
    const int r = plan.r;
    canvas.setDrawingMode(ModeDefault);
    canvas.setDrawingFont(&small);
    const std::string& line = plan.coordinates;
    const std::string& place = plan.placeName;
    canvas.drawText(r - canvas.textWidth(line) / 2, 2 * r - canvas.textHeight("Wg") - cornerMargin,
                    line, black, faceBackground);
    canvas.drawText(r - canvas.textWidth(place) / 2, cornerMargin, place, black, faceBackground);
    canvas.setDrawingFont(nullptr);  // the canvas must not keep a font it does not own
}

int placeFontPoints(int r) { return static_cast<int>(truncToInt(r / 29.0)); }

// Sixteen dots, one for every hour that carries no numeral.
void drawHourDots(Canvas& canvas, int r) {
    for (int deg = 0; deg <= 360; deg += 15) {
        if (deg % 45 != 15 && deg % 45 != 30) continue;
        const PixelPoint p = dialPoint(r, deg, r - r / 6.5);
        canvas.drawCircle(p.x, p.y, r / 70, shadowBlack);
    }
}

void drawNumerals(Canvas& canvas, int r) {
    for (const Numeral& n : hourNumerals) {
        const PixelPoint p = dialPoint(r, n.angleDeg, r - r / n.divisor);
        canvas.drawText(p.x, p.y, n.text, hourNumeralInk);
    }
    for (const Numeral& n : minuteNumerals) {
        const PixelPoint p = dialPoint(r, n.angleDeg, r - r / n.divisor);
        canvas.drawText(p.x, p.y, n.text, minuteNumeralInk);
    }
}

}  // namespace

FramePlan planFrame(const Frame& frame, int r, const Font& textFont, bool showCoordinates,
                    SkyCache* sky) {
    FramePlan plan;
    plan.r = r;
    plan.textFont = textFont.id();
    plan.date = formatDate(frame);
    plan.weekday = weekdayName(frame);
    plan.week = calendarWeekText(frame);
    plan.showCoordinates = showCoordinates;
    if (showCoordinates) {
        plan.placeName = frame.settings.placeName;
        plan.coordinates = coordinatesLine(frame);
        plan.smallFontPoints = placeFontPoints(r);
    }
    plan.ring = planRing(frame);
    plan.dial = planDial(frame, sky);
    return plan;
}

PixelRect paintFrame(Canvas& canvas, const FramePlan& plan, std::string_view clockTime,
                     const Font& textFont, const Font& smallFont) {
    const int r = plan.r;
    canvas.setDrawingMode(ModeDefault);
    paintBackground(canvas, r);
    // An invalid font: the default font.
    const PixelRect timeCell = drawClockTime(canvas, clockTime, textFont);
    canvas.watchArea(timeCell);
    drawCornerTexts(canvas, plan);
    if (plan.showCoordinates) drawPlaceAndCoordinates(canvas, plan, smallFont);

    // Face ring: a blended dark rim around the face disc, which the shift ring paints.
    canvas.setDrawingMode(ModeAlphaBlend);
    canvas.drawRing(r, r, faceRimRadius(r), faceDiscRadius(r), shadowBlack);
    canvas.setDrawingMode(ModeDefault);
    drawUnderDialRing(canvas, r);
    paintShiftSectors(canvas, plan.ring, r);
    drawMyCrewMarks(canvas, plan.ring, r);

    canvas.setDrawingMode(ModeAlphaBlend | ModeTransparentText);
    canvas.setDrawingFont(&textFont);
    drawHourDots(canvas, r);
    drawNumerals(canvas, r);
    drawCrewLabels(canvas, plan.ring, r);

    drawDial(canvas, plan.dial, textFont, r);
    return timeCell;
}

void renderClockFace(const ClockState& state, Image& clockImage, const Font& textFont, int r,
                     bool showCoordinates, FaceMemory* memory) {
    if (memory != nullptr) memory->valid = false;
    if (r < 1 || r > largestRadius) return;
    const Frame frame(state);
    FramePlan plan = planFrame(frame, r, textFont, showCoordinates,
                               memory != nullptr ? &memory->sky : nullptr);
    if (clockImage.width != 2 * r || clockImage.height != 2 * r) clockImage.resize(2 * r, 2 * r);

    // The small font lives in the memory from frame to frame, or for this frame alone.
    Font passFont;
    const Font* small = &passFont;
    if (showCoordinates) {
        if (memory != nullptr) {
            if (memory->smallFontPoints != plan.smallFontPoints) {
                memory->smallFont = loadFont("Arial", plan.smallFontPoints);
                memory->smallFontPoints = plan.smallFontPoints;
            }
            small = &memory->smallFont;
        } else {
            passFont = loadFont("Arial", plan.smallFontPoints);
        }
    }

    Canvas canvas;
    canvas.beginDrawing(clockImage);
    const PixelRect timeCell = paintFrame(canvas, plan, formatClockTime(frame), textFont, *small);
    if (memory != nullptr) {
        memory->plan = std::move(plan);
        memory->timeCell = timeCell;
        memory->timeCellAlone = !canvas.watchedAreaTouched();
        memory->valid = true;
    }
    canvas.endDrawing();
}

std::optional<PixelRect> redrawClockTimeOnly(const ClockState& state, Image& clockImage,
                                             const Font& textFont, int r, bool showCoordinates,
                                             const FaceMemory& memory) {
    if (!memory.valid || !memory.timeCellAlone || clockImage.width != 2 * r ||
        clockImage.height != 2 * r)
        return std::nullopt;
    const Frame frame(state);
    if (!(planFrame(frame, r, textFont, showCoordinates, &memory.sky) == memory.plan))
        return std::nullopt;
    Canvas canvas;
    canvas.beginDrawing(clockImage);
    const PixelRect cell = drawClockTime(canvas, formatClockTime(frame), textFont);
    canvas.endDrawing();
    // A text of another width left or covered pixels outside the proven cell: the caller
    // draws the full frame over it.
    if (!(cell == memory.timeCell)) return std::nullopt;
    return cell;
}

}  // namespace dorvalen
