// Marks of the user's crew: every ring pixel in the band whose angle lies inside one of the
// crew's sectors (less the margins) takes the ink. Drawn only with full frames (about once
// a minute), over a band of some 2 pi r * r/45 pixels.
#include "face/my_crew_marks.h"

#include <algorithm>
#include <cmath>

#include "core/angles.h"
#include "face/crew_labels.h"
#include "face/dial_geometry.h"
#include "rota/my_shift.h"

namespace dorvalen {

int myCrewBandWidth(int r) { return std::max(2, r / 45); }

double myCrewBandMarginDeg(int r) {
    // Two band widths at the band's radius, at least a degree: the dividers stay clear.
    return std::max(1.0, 2.0 * myCrewBandWidth(r) / std::max(faceDiscRadius(r), 1) / radiansPerDegree);
}

void drawMyCrewMarks(Canvas& canvas, const RingPlan& ring, int r) {
    if (!ring.myCrew || !canvas.isDrawing() || r <= 0) return;
    if (!ring.shifts.showShiftColors) return;
    std::vector<RingSector> mine;
    for (const RingSector& sector : paintedSectors(ring.shifts, ShiftRota(ring.rotaFile)))
        if (sector.crew == *ring.myCrew) mine.push_back(sector);
    if (mine.empty()) return;

    canvas.setDrawingMode(ModeDefault);
    const int outer = faceDiscRadius(r) - 1, inner = faceDiscRadius(r) - myCrewBandWidth(r);
    const double margin = myCrewBandMarginDeg(r);
    for (int dy = -outer; dy <= outer; ++dy) {
        const int reach = static_cast<int>(std::sqrt(double(outer) * outer - double(dy) * dy));
        const double innerSq = double(inner) * inner - double(dy) * dy;
        const int hole = innerSq > 0 ? static_cast<int>(std::ceil(std::sqrt(innerSq))) : 0;
        for (int dx = -reach; dx <= reach; ++dx) {
            if (std::abs(dx) < hole) dx = hole;
            double deg = std::atan2(dy, dx) / radiansPerDegree;
            if (deg < 0) deg += 360.0;
            for (const RingSector& sector : mine) {
                const double whole = sector.spanDeg >= 360.0 ? 0.0 : margin;
                double into = std::fmod(deg - sector.fromDeg, 360.0);
                if (into < 0) into += 360.0;
                if (into < whole || into > sector.spanDeg - whole) continue;
                canvas.plotPixel(r + dx, r + dy, rgbPart(contrastingInk(sector.colour)));
                break;
            }
        }
    }
}

}  // namespace dorvalen
