// Crew labels on the ring. A place is free when every pixel of the label's box (and a pixel
// around it) still has the sector's own colour: dividers, hour dots and numerals are then
// avoided without knowing where each of them lies, at every radius.
#include "face/crew_labels.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

#include "core/angles.h"
#include "face/dial_geometry.h"
#include "rota/rota.h"

namespace dorvalen {

namespace {

constexpr double degreeStep = 1.0;

double clockwise(double fromDeg, double toDeg) {
    const double d = std::fmod(toDeg - fromDeg, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// WCAG's relative luminance of an sRGB colour.
double luminance(Colour c) {
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(redOf(c)) + 0.7152 * linear(greenOf(c)) + 0.0722 * linear(blueOf(c));
}

std::size_t utf8Length(std::string_view text, std::size_t at) {
    std::size_t end = at + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    return end - at;
}

// The box (with a one-pixel margin) lies between the dial disc and the face disc's rim,
// and every pixel of it is `colour`.
bool placeIsFree(Canvas& canvas, int r, PixelRect box, Colour colour) {
    if (!canvas.contains(box.x, box.y) || !canvas.contains(box.x + box.w - 1, box.y + box.h - 1))
        return false;
    const auto distance = [r](double x, double y) { return std::hypot(x - r, y - r); };
    const double nearX = std::clamp<double>(r, box.x, box.x + box.w - 1);
    const double nearY = std::clamp<double>(r, box.y, box.y + box.h - 1);
    if (distance(nearX, nearY) <= dialDiscRadius(r) + 1) return false;
    for (const int x : {box.x, box.x + box.w - 1})
        for (const int y : {box.y, box.y + box.h - 1})
            if (distance(x, y) >= faceDiscRadius(r) - 1) return false;
    for (int y = box.y; y < box.y + box.h; ++y)
        for (const Colour pixel : canvas.readRow(y, box.x, box.x + box.w - 1))
            if (rgbPart(pixel) != rgbPart(colour)) return false;
    return true;
}

// The top-left corner of the text nearest the sector's middle where it fits, if any.
std::optional<PixelPoint> freePlace(Canvas& canvas, int r, const RingSector& sector,
                                    Colour colour, int w, int h) {
    const double inner = dialDiscRadius(r), outer = faceDiscRadius(r);
    const double middleDeg = sector.fromDeg + sector.spanDeg / 2;
    for (double offset = 0; offset < sector.spanDeg / 2; offset += degreeStep) {
        for (const double angle : {middleDeg + offset, middleDeg - offset}) {
            for (const double share : {0.5, 0.4, 0.6, 0.3, 0.7}) {
                const PixelPoint centre = dialPoint(r, angle, inner + (outer - inner) * share);
                const PixelRect box{centre.x - w / 2 - 1, centre.y - h / 2 - 1, w + 2, h + 2};
                if (placeIsFree(canvas, r, box, colour))
                    return PixelPoint{box.x + 1, box.y + 1};
            }
        }
    }
    return std::nullopt;
}

}  // namespace

// Black or white, whichever has the higher contrast ratio against the colour.
Colour contrastingInk(Colour c) {
    const double l = luminance(c);
    return (l + 0.05) / 0.05 >= 1.05 / (l + 0.05) ? rgba(0, 0, 0, 255) : rgba(255, 255, 255, 255);
}

std::vector<RingSector> paintedSectors(const ShiftRingPlan& plan, const ShiftRota& rota) {
    std::vector<RingSector> sectors;
    if (plan.fromFile) {  // a file's arcs: where crews overlap, the pixel test finds no place
        for (const CrewArc& arc : plan.arcs)
            sectors.push_back({dialAngleOfHours((plan.windowStartSeconds + arc.fromSeconds) / 3600.0),
                               (arc.toSeconds - arc.fromSeconds) / 240.0, arc.crew,
                               rgb(arc.red, arc.green, arc.blue)});
        return sectors;
    }
    std::map<double, RingSector> byStart;  // a later fill of a sector wins, as on the ring
    for (const SectorFill& fill : plan.fills) {
        RingSector sector{fill.sectorDeg, 360.0, fill.crew, crewRgb(rota, fill.crew)};
        double before = 360.0, after = 360.0;
        for (double divider : plan.dividersDeg) {
            if (clockwise(divider, fill.sectorDeg) < before) {
                before = clockwise(divider, fill.sectorDeg);
                sector.fromDeg = divider;
            }
            if (clockwise(fill.sectorDeg, divider) < after) after = clockwise(fill.sectorDeg, divider);
        }
        if (!plan.dividersDeg.empty()) sector.spanDeg = before + after;
        byStart[sector.fromDeg] = sector;
    }
    for (const auto& [start, sector] : byStart) sectors.push_back(sector);
    return sectors;
}

Colour crewRgb(const ShiftRota& rota, int crew) {
    const CrewLook c = rota.crew(crew);
    return rgb(c.red, c.green, c.blue);
}

std::string crewLabelText(const ShiftRota& rota, int crew, int form) {
    const std::string name = rota.crew(crew).name;
    if (form == 0) return name;
    if (form == 1) {
        // Whole characters from the front until no other name starts the same way.
        for (std::size_t length = utf8Length(name, 0); length < name.size();
             length += utf8Length(name, length)) {
            bool unique = true;
            for (int other = 0; other < rota.crewCount(); ++other)
                if (other != crew && rota.crew(other).name.starts_with(name.substr(0, length)))
                    unique = false;
            if (unique) return name.substr(0, length);
        }
        return name;
    }
    return std::to_string(crew + 1);
}

void drawCrewLabels(Canvas& canvas, const RingPlan& ring, int r) {
    if (!ring.crewLabels || !canvas.isDrawing() || r <= 0) return;
    const ShiftRingPlan& plan = ring.shifts;
    if (!plan.showShiftColors) return;
    const ShiftRota rota(ring.rotaFile);
    const DrawingMode mode = canvas.drawingMode();
    canvas.setDrawingMode(ModeAlphaBlend | ModeTransparentText);
    for (const RingSector& sector : paintedSectors(plan, rota)) {
        for (int form = 0; form < crewLabelForms; ++form) {
            const std::string text = crewLabelText(rota, sector.crew, form);
            const int w = canvas.textWidth(text), h = canvas.textHeight(text);
            if (w <= 0 || h <= 0) continue;  // a file crew without a name: its number
            const std::optional<PixelPoint> at = freePlace(canvas, r, sector, sector.colour, w, h);
            if (!at) continue;
            canvas.drawText(at->x, at->y, text, contrastingInk(sector.colour));
            break;
        }
    }
    canvas.setDrawingMode(mode);
}

}  // namespace dorvalen
